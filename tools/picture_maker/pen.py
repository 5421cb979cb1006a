# A supersampling pen and the curves and shapes the drawings are made of.

import io
import math
import os
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from picture_maker.palette import *

class Pen:
    def __init__(self, img, scale):
        self.img = img
        self.d = ImageDraw.Draw(img)
        self.k = scale

    def pts(self, points):
        return [(x * self.k, y * self.k) for x, y in points]

    def poly(self, points, fill, outline=None, width=0.0):
        self.d.polygon(self.pts(points), fill=fill)
        if outline is not None and width > 0:
            p = list(points) + [points[0]]
            self.line(p, outline, width)

    def line(self, points, fill, width):
        self.d.line(self.pts(points), fill=fill, width=max(1, int(round(width * self.k))),
                    joint="curve")
        r = width / 2.0
        for x, y in (points[0], points[-1]):  # round caps
            self.ellipse(x, y, r, r, fill)

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=0.0):
        k = self.k
        box = [(cx - rx) * k, (cy - ry) * k, (cx + rx) * k, (cy + ry) * k]
        if outline is not None and width > 0:
            self.d.ellipse(box, fill=fill, outline=outline, width=max(1, int(round(width * k))))
        else:
            self.d.ellipse(box, fill=fill)

    def ring(self, cx, cy, rx, ry, color, width):
        k = self.k
        box = [(cx - rx) * k, (cy - ry) * k, (cx + rx) * k, (cy + ry) * k]
        self.d.ellipse(box, outline=color, width=max(1, int(round(width * k))))

    def arc(self, cx, cy, rx, ry, a0, a1, color, width):
        k = self.k
        box = [(cx - rx) * k, (cy - ry) * k, (cx + rx) * k, (cy + ry) * k]
        self.d.arc(box, a0, a1, fill=color, width=max(1, int(round(width * k))))


def bezier(p0, p1, p2, n=16, p3=None):
    out = []
    for i in range(n + 1):
        t = i / n
        if p3 is None:
            x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0]
            y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]
        else:
            x = ((1 - t) ** 3 * p0[0] + 3 * (1 - t) ** 2 * t * p1[0] + 3 * (1 - t) * t * t * p2[0]
                 + t ** 3 * p3[0])
            y = ((1 - t) ** 3 * p0[1] + 3 * (1 - t) ** 2 * t * p1[1] + 3 * (1 - t) * t * t * p2[1]
                 + t ** 3 * p3[1])
        out.append((x, y))
    return out


def star_points(cx, cy, r_out, r_in, n, rot=-90.0):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def rotated(points, cx, cy, deg):
    a = math.radians(deg)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


# ---------------------------------------------------------------------------------------------
# Emblems, drawn centred on (x, y) with a nominal radius r.

# The emblem each angel holds or wears.

import io
import math
import os
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from picture_maker.palette import *
from picture_maker.pen import *

def emblem_leaf(p, x, y, r, a):
    # a maple leaf: right half as points, mirrored for the left half
    half = [(0, -1.0), (0.17, -0.62), (0.42, -0.8), (0.36, -0.28), (0.92, -0.52), (0.78, -0.12),
            (0.98, 0.06), (0.55, 0.22), (0.62, 0.5), (0.12, 0.36), (0.0, 0.52)]
    pts = half + [(-u, v) for u, v in reversed(half[1:-1])]
    pts = rotated([(x + u * r, y + v * r) for u, v in pts], x, y, 12)
    line = hx("#6a2008")
    p.line(rotated([(x, y + 0.2 * r), (x, y + 1.15 * r)], x, y, 12), line, 0.9)
    p.poly(pts, hx("#ee7a22"), line, 0.6)
    for u, v in ((0, -0.75), (0.7, -0.3), (-0.7, -0.3), (0.45, 0.3), (-0.45, 0.3)):
        p.line(rotated([(x, y + 0.35 * r), (x + u * r, y + v * r)], x, y, 12), hx("#b8400e"), 0.4)


def emblem_flower(p, x, y, r, a):
    for i in range(5):
        ang = math.radians(-90 + i * 72)
        px, py = x + 0.52 * r * math.cos(ang), y + 0.52 * r * math.sin(ang)
        p.ellipse(px, py, 0.48 * r, 0.48 * r, hx("#f58cb8"), hx("#b8406e"), 0.45)
    p.ellipse(x, y, 0.34 * r, 0.34 * r, hx("#ffd24a"), hx("#c08a10"), 0.4)


def emblem_drop(p, x, y, r, a):
    cy, rr = y + 0.3 * r, 0.8 * r
    pts = bezier((x, y - 1.2 * r), (x - 0.15 * r, y - 0.5 * r), (x - rr, cy), 8)
    for i in range(1, 18):  # lower half of the round bottom, left to right
        ang = math.radians(180 - i * 10)
        pts.append((x + rr * math.cos(ang), cy + rr * math.sin(ang)))
    pts += bezier((x + rr, cy), (x + 0.15 * r, y - 0.5 * r), (x, y - 1.2 * r), 8)
    p.poly(pts, hx("#3f8fe0"), hx("#1d4f8f"), 0.6)
    p.ellipse(x - 0.3 * r, y + 0.2 * r, 0.16 * r, 0.28 * r, hx("#cfe6ff"))


def emblem_heart(p, x, y, r, a):
    pts = []
    for i in range(48):
        t = 2 * math.pi * i / 48
        hx_ = 16 * math.sin(t) ** 3
        hy_ = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((x + hx_ * r / 16.0, y - hy_ * r / 16.0 - 0.05 * r))
    p.poly(pts, hx("#e0283c"), hx("#7a0c1c"), 0.6)
    p.ellipse(x - 0.45 * r, y - 0.35 * r, 0.18 * r, 0.14 * r, hx("#ffb0b8"))


def emblem_moon(p, x, y, r, a):
    # crescent: the left half of a circle, closed by the arc of an offset circle
    pts = []
    for i in range(37):
        ang = math.radians(90 + i * 5)  # bottom -> left -> top
        pts.append((x + r * math.cos(ang), y + r * math.sin(ang)))
    cx2, r2 = x + 0.45 * r, 0.85 * r
    for i in range(1, 24):
        yy = y - r + 2 * r * i / 24.0
        dy = yy - y
        inner = cx2 - math.sqrt(max(0.0, r2 * r2 - dy * dy))
        pts.append((min(inner, x + 0.1 * r), yy))
    p.poly(pts, hx("#ffe27a"), hx("#a87a10"), 0.6)
    p.poly(star_points(x + 0.55 * r, y - 0.55 * r, 0.45 * r, 0.16 * r, 4), hx("#fff3c0"))


def emblem_trumpet(p, x, y, r, a):
    # long horn tilted upwards to the right with a flared bell
    body = [(x - 1.1 * r, y + 0.45 * r), (x + 0.45 * r, y - 0.12 * r), (x + 1.05 * r, y - 0.75 * r),
            (x + 1.25 * r, y + 0.15 * r), (x + 0.55 * r, y + 0.18 * r), (x - 1.0 * r, y + 0.7 * r)]
    p.poly(body, hx("#f2c448"), hx("#8a5c10"), 0.6)
    p.ellipse(x + 1.15 * r, y - 0.3 * r, 0.18 * r, 0.48 * r, hx("#8a5c10"))
    p.ellipse(x - 1.1 * r, y + 0.58 * r, 0.14 * r, 0.2 * r, hx("#8a5c10"))
    # a small banner hanging from it
    p.poly([(x - 0.5 * r, y + 0.6 * r), (x + 0.35 * r, y + 0.3 * r), (x + 0.4 * r, y + 1.0 * r),
            (x + 0.0, y + 0.85 * r), (x - 0.4 * r, y + 1.2 * r)], hx("#3a6fc0"), hx("#1d3f80"), 0.45)


def emblem_wheat(p, x, y, r, a):
    line = hx("#5a3a08")
    grain = hx("#ffd85a")
    for side, lean in ((-1, -20), (1, 20), (0, 0)):
        root = (x, y + 1.2 * r)
        stem = rotated([root, (x, y - 0.5 * r)], root[0], root[1], lean)
        p.line(stem, line, 0.55)
        for j in range(3):
            yy = y - 0.55 * r + j * 0.5 * r
            for s in (-1, 1):
                g = rotated([(x + s * 0.24 * r, yy)], root[0], root[1], lean)[0]
                p.ellipse(g[0], g[1], 0.24 * r, 0.34 * r, grain, line, 0.35)
        tip = rotated([(x, y - 0.98 * r)], root[0], root[1], lean)[0]
        p.ellipse(tip[0], tip[1], 0.2 * r, 0.32 * r, grain, line, 0.35)


def emblem_snowflake(p, x, y, r, a):
    col, edge = hx("#ffffff"), hx("#2a4f8f")
    for pass_ in (0, 1):
        c = edge if pass_ == 0 else col
        w = 1.7 if pass_ == 0 else 0.85
        for i in range(6):
            ang = math.radians(-90 + i * 60)
            ex, ey = x + r * math.cos(ang), y + r * math.sin(ang)
            p.line([(x, y), (ex, ey)], c, w)
            mx, my = x + 0.58 * r * math.cos(ang), y + 0.58 * r * math.sin(ang)
            for s in (-1, 1):
                b = ang + s * math.radians(45)
                p.line([(mx, my), (mx + 0.32 * r * math.cos(b), my + 0.32 * r * math.sin(b))], c, w)
    p.ellipse(x, y, 0.16 * r, 0.16 * r, col)


def emblem_shield(p, x, y, r, a):
    pts = [(x - 0.95 * r, y - 0.95 * r), (x + 0.95 * r, y - 0.95 * r)]
    pts += bezier((x + 0.95 * r, y - 0.95 * r), (x + 0.95 * r, y + 0.55 * r), (x, y + 1.15 * r), 10)[1:]
    pts += bezier((x, y + 1.15 * r), (x - 0.95 * r, y + 0.55 * r), (x - 0.95 * r, y - 0.95 * r), 10)[1:]
    p.poly(pts, hx("#2a5bc0"), hx("#f2c448"), 0.9)
    p.line([(x, y - 0.7 * r), (x, y + 0.8 * r)], hx("#f6e0a0"), 0.8)
    p.line([(x - 0.6 * r, y - 0.2 * r), (x + 0.6 * r, y - 0.2 * r)], hx("#f6e0a0"), 0.8)


def emblem_crown(p, x, y, r, a):
    pts = [(x - 1.0 * r, y + 0.6 * r), (x - 1.05 * r, y - 0.55 * r), (x - 0.5 * r, y - 0.05 * r),
           (x, y - 0.9 * r), (x + 0.5 * r, y - 0.05 * r), (x + 1.05 * r, y - 0.55 * r),
           (x + 1.0 * r, y + 0.6 * r)]
    p.poly(pts, hx("#f6c83e"), hx("#8a5c10"), 0.6)
    p.poly([(x - 1.0 * r, y + 0.35 * r), (x + 1.0 * r, y + 0.35 * r), (x + 1.0 * r, y + 0.75 * r),
            (x - 1.0 * r, y + 0.75 * r)], hx("#d99a20"), hx("#8a5c10"), 0.5)
    for px, py in ((x - 1.05 * r, y - 0.6 * r), (x, y - 0.95 * r), (x + 1.05 * r, y - 0.6 * r)):
        p.ellipse(px, py, 0.17 * r, 0.17 * r, hx("#ffffff"), hx("#8a5c10"), 0.3)
    p.ellipse(x, y + 0.55 * r, 0.15 * r, 0.15 * r, hx("#d02030"))


def emblem_wave(p, x, y, r, a):
    for k, (col, dy) in enumerate(((hx("#1b6390"), -0.35), (hx("#3aa7d8"), 0.35))):
        pts = []
        for i in range(25):
            t = i / 24.0
            xx = x - 1.15 * r + 2.3 * r * t
            pts.append((xx, y + dy * r + 0.32 * r * math.sin(t * 2 * math.pi * 1.5 + k)))
        p.line(pts, hx("#ffffff"), 1.7)
        p.line(pts, col, 1.05)


def emblem_fish(p, x, y, r, a):
    body = bezier((x - 0.6 * r, y), (x + 0.1 * r, y - 1.0 * r), (x + 1.1 * r, y), 10)
    body += bezier((x + 1.1 * r, y), (x + 0.1 * r, y + 1.0 * r), (x - 0.6 * r, y), 10)[1:]
    tail = [(x - 0.45 * r, y), (x - 1.15 * r, y - 0.55 * r), (x - 1.0 * r, y), (x - 1.15 * r, y + 0.55 * r)]
    p.poly(tail, hx("#6fa8d8"), hx("#2a5a8a"), 0.5)
    p.poly(body, hx("#9ccbef"), hx("#2a5a8a"), 0.55)
    p.ellipse(x + 0.6 * r, y - 0.1 * r, 0.12 * r, 0.12 * r, hx("#1a2a3a"))


def flame_shape(x, y, r):
    pts = bezier((x, y + 0.8 * r), (x - 1.1 * r, y + 0.6 * r), (x - 0.55 * r, y - 0.4 * r), 8)
    pts += bezier((x - 0.55 * r, y - 0.4 * r), (x - 0.2 * r, y - 0.9 * r), (x + 0.05 * r, y - 1.5 * r), 6)[1:]
    pts += bezier((x + 0.05 * r, y - 1.5 * r), (x + 0.3 * r, y - 0.8 * r), (x + 0.6 * r, y - 0.3 * r), 6)[1:]
    pts += bezier((x + 0.6 * r, y - 0.3 * r), (x + 1.1 * r, y + 0.6 * r), (x, y + 0.8 * r), 8)[1:]
    return pts


def emblem_flame(p, x, y, r, a):
    p.poly(flame_shape(x, y, r), hx("#ff8a1a"), hx("#a8320a"), 0.55)
    p.poly(flame_shape(x, y + 0.3 * r, 0.55 * r), hx("#ffe46a"))


def emblem_lamp(p, x, y, r, a):
    # an oil lamp: bowl, spout, handle, with a flame at the spout
    p.arc(x - 1.0 * r, y + 0.1 * r, 0.35 * r, 0.35 * r, 90, 270, hx("#8a5c10"), 0.6)
    bowl = bezier((x - 0.95 * r, y), (x - 0.9 * r, y + 0.95 * r), (x + 0.2 * r, y + 0.75 * r), 10)
    bowl += [(x + 0.95 * r, y + 0.1 * r), (x + 0.8 * r, y - 0.1 * r), (x, y - 0.05 * r)]
    p.poly(bowl, hx("#e0a030"), hx("#7a4a08"), 0.6)
    p.ellipse(x - 0.3 * r, y + 0.85 * r, 0.5 * r, 0.14 * r, hx("#7a4a08"))
    p.poly(flame_shape(x + 0.8 * r, y - 0.55 * r, 0.62 * r), hx("#ffcf3a"), hx("#c0400a"), 0.45)


def emblem_sun(p, x, y, r, a):
    rays = star_points(x, y, 1.2 * r, 0.62 * r, 12, -90)
    p.poly(rays, hx("#ffb01a"), hx("#b05a08"), 0.5)
    p.ellipse(x, y, 0.62 * r, 0.62 * r, hx("#ffe04a"), hx("#b05a08"), 0.55)
    p.ellipse(x - 0.18 * r, y - 0.2 * r, 0.18 * r, 0.14 * r, hx("#fff6c0"))


EMBLEMS = dict(leaf=emblem_leaf, flower=emblem_flower, drop=emblem_drop, heart=emblem_heart,
               moon=emblem_moon, trumpet=emblem_trumpet, wheat=emblem_wheat,
               snowflake=emblem_snowflake, shield=emblem_shield, crown=emblem_crown,
               wave=emblem_wave, fish=emblem_fish, lamp=emblem_lamp, sun=emblem_sun,
               flame=emblem_flame)


# ---------------------------------------------------------------------------------------------
# The card

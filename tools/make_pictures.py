#!/usr/bin/env python3
# make_pictures.py - draws the fourteen angel cards and the program icon of Corvel Haloquill.
#
# Everything is drawn procedurally here (no source artwork): each card is a small framed
# portrait of a stylised angel (halo, head, robe, two wings) with its own colours and emblem,
# painted at 4x size and reduced with LANCZOS for smooth edges.
#
# Writes, relative to the repository root (found from this file's location):
#   content/pictures/01.jpg ... 14.jpg   baseline JFIF, RGB, 96 dpi
#   content/icons/haloquill.ico          16 and 32 (8-bit), 32 and 48 (32-bit), 256 (PNG)
#
# Run from anywhere (needs Debian's python3-pil and python3-numpy):
#   python3 tools/make_pictures.py            write every file, then check them
#   python3 tools/make_pictures.py --check    only check the files already written
#   python3 tools/make_pictures.py --sheet F  also write a contact sheet PNG to F (for review)
#
# Output is deterministic: running it twice gives byte-identical files.

import io
import math
import os
import struct
import sys

try:
    import numpy as np
    from PIL import Image, ImageDraw, ImageFont
except ImportError:  # e.g. a private Python without Pillow first on PATH: use Debian's
    if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != os.path.realpath(
            "/usr/bin/python3") and not os.environ.get("HALOQUILL_REEXEC"):
        os.environ["HALOQUILL_REEXEC"] = "1"
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
PICTURE_DIR = os.path.join(ROOT, "content", "pictures")
ICON_PATH = os.path.join(ROOT, "content", "icons", "haloquill.ico")

SS = 4  # supersampling factor for the cards

GOLD = (242, 196, 72)
GOLD_DARK = (170, 120, 30)
GOLD_LIGHT = (255, 236, 160)
SKIN = (246, 214, 184)
SKIN_LINE = (196, 146, 112)


def hx(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# One entry per angel, in catalogue order. Keys:
#   name, size (w, h), sky (top, bottom), glow, frame, robe, robe_dark, sash, mantle (or None),
#   wing, wing_line, hair, emblem, held (None or an item drawn in the hands), motif, wings pose,
#   badge (optional colour of the round plate behind the emblem)
ANGELS = [
    dict(name="Adnachiel", size=(75, 112), sky=("#f2b765", "#9c4a1f"), glow="#fff0c8",
         frame="#5a2410", robe="#7e1f2c", robe_dark="#561420", sash="#e8a33a", mantle=None,
         wing="#fbefd9", wing_line="#b9875a", hair="#7a3b12", emblem="leaf", held=None, badge="#fbe8c4",
         motif="leaves", pose="high"),
    dict(name="Ambriel", size=(75, 112), sky=("#eaf7c8", "#8fcf8a"), glow="#ffffff",
         frame="#2f6b34", robe="#2f9a55", robe_dark="#1f6e3b", sash="#f6a6c8", mantle=None,
         wing="#ffffff", wing_line="#7fae86", hair="#e0b048", emblem="flower", held=None,
         motif="petals", pose="low"),
    dict(name="Asmodel", size=(75, 112), sky=("#cfe8fb", "#7fb2e0"), glow="#ffffff",
         frame="#3a5f8f", robe="#f08fb0", robe_dark="#c45f86", sash="#ffffff", mantle=None,
         wing="#ffffff", wing_line="#86a3c4", hair="#8a5a2c", emblem="drop", held=None,
         motif="rain", pose="high"),
    dict(name="Barachiel", size=(75, 112), sky=("#f6dcef", "#c08ad0"), glow="#fff6fb",
         frame="#5b2a6e", robe="#7b3fa0", robe_dark="#552676", sash="#f5d06a", mantle=None,
         wing="#fff8fd", wing_line="#a47bb5", hair="#3e2a1c", emblem="heart", held=None,
         motif="rosepetals", pose="low"),
    dict(name="Barbiel", size=(75, 112), sky=("#2c2f6b", "#d9824a"), glow="#ffd9a8",
         frame="#1f1a3d", robe="#c65a1e", robe_dark="#8c3b10", sash="#f3d27a", mantle=None,
         wing="#e9e3f2", wing_line="#8a80a8", hair="#2a1a12", emblem="moon", held=None,
         motif="stars", pose="high"),
    dict(name="Gabriel", size=(75, 112), sky=("#f4f8ff", "#a9c3e6"), glow="#ffffff",
         frame="#284f8a", robe="#ffffff", robe_dark="#b7c4da", sash="#f2c448", mantle="#3a6fc0",
         wing="#ffffff", wing_line="#8fa6c8", hair="#d8a441", emblem="trumpet", held="lily",
         motif=None, pose="high"),
    dict(name="Hamiliel", size=(75, 112), sky=("#fff0b0", "#d9a63c"), glow="#fffbe6",
         frame="#6e4a12", robe="#8fb43a", robe_dark="#647f22", sash="#fff2b0", mantle=None,
         wing="#fffaf0", wing_line="#bf9a55", hair="#a8541e", emblem="wheat", held=None,
         motif=None, pose="low"),
    dict(name="Hanael", size=(75, 112), sky=("#16306b", "#8fb6e2"), glow="#e8f4ff",
         frame="#0f1d40", robe="#e9f0fa", robe_dark="#9fb0cc", sash="#8fc4ff", mantle="#5a7fbf",
         wing="#f4f8ff", wing_line="#7b93bb", hair="#c9d2e0", emblem="snowflake", held=None,
         motif="snow", pose="high"),
    dict(name="Michael", size=(75, 112), sky=("#1d3f93", "#6b93d6"), glow="#fff6d8",
         frame="#10214f", robe="#c0262b", robe_dark="#86151a", sash="#f2c448", mantle=None,
         wing="#ffffff", wing_line="#7e8fb5", hair="#6b3414", emblem="shield", held="sword", badge="#e4ebf7",
         motif=None, pose="high"),
    dict(name="Michidiel", size=(73, 113), sky=("#d8fbf3", "#5cc4b8"), glow="#ffffff",
         frame="#135a55", robe="#157f86", robe_dark="#0c5a60", sash="#f2c448", mantle=None,
         wing="#ffffff", wing_line="#6aa9a2", hair="#e2b04a", emblem="crown", held=None,
         motif=None, pose="low"),
    dict(name="Muriel", size=(75, 112), sky=("#fde9e4", "#e7a9bb"), glow="#ffffff",
         frame="#1f5d86", robe="#2a8fc4", robe_dark="#1b6390", sash="#ffffff", mantle=None,
         wing="#ffffff", wing_line="#b88a9c", hair="#5a3520", emblem="wave", held=None, badge="#fff4f2",
         motif=None, pose="high"),
    dict(name="Raphael", size=(75, 112), sky=("#eef6d2", "#9cc98a"), glow="#ffffff",
         frame="#2e4f22", robe="#3f7d3a", robe_dark="#2a5a27", sash="#d9b36a", mantle="#9a6a3a",
         wing="#fffdf6", wing_line="#8daa7e", hair="#8a5a2c", emblem="fish", held="staff",
         motif=None, pose="low"),
    dict(name="Uriel", size=(76, 112), sky=("#4a1010", "#e8702a"), glow="#ffd27a",
         frame="#2a0808", robe="#e8a028", robe_dark="#b06e12", sash="#9a2a14", mantle=None,
         wing="#ffe9c0", wing_line="#c07a3a", hair="#3a1a0c", emblem="lamp", held="flame",
         motif=None, pose="high"),
    dict(name="Verchiel", size=(75, 112), sky=("#4aa6ec", "#ffd75a"), glow="#fffbe0",
         frame="#b0560e", robe="#ffcf3a", robe_dark="#d69a12", sash="#e0402a", mantle=None,
         wing="#ffffff", wing_line="#d0a050", hair="#c0701a", emblem="sun", held=None,
         motif="rays", pose="low"),
]


# ---------------------------------------------------------------------------------------------
# Drawing helpers. Coordinates are in output pixels (floats); Pen scales them to the canvas.

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

def sky_layer(a, W, H, k):
    """Gradient background with a soft glow behind the head, as an RGB image (canvas size)."""
    top, bot = np.array(hx(a["sky"][0]), float), np.array(hx(a["sky"][1]), float)
    glow = np.array(hx(a["glow"]), float)
    yy, xx = np.mgrid[0:H * k, 0:W * k].astype(float)
    t = (yy / (H * k - 1))[..., None]
    img = top * (1 - t) + bot * t
    cx, cy = W * k / 2.0, 30.0 * k * H / 112.0
    d = np.sqrt((xx - cx) ** 2 + ((yy - cy) * 0.9) ** 2) / (24.0 * k)
    g = np.clip(1.0 - d, 0.0, 1.0)[..., None] ** 1.6 * 0.85
    img = img * (1 - g) + glow * g
    return Image.fromarray(np.clip(img + 0.5, 0, 255).astype(np.uint8), "RGB")


def draw_motif(p, a, W, H, rng):
    m = a["motif"]
    if m is None:
        return
    if m == "rays":
        cx, cy = W / 2.0, 30.0 * H / 112.0
        for i in range(16):
            ang = math.radians(i * 22.5 + 11.25)
            pts = [(cx, cy),
                   (cx + 90 * math.cos(ang - 0.07), cy + 90 * math.sin(ang - 0.07)),
                   (cx + 90 * math.cos(ang + 0.07), cy + 90 * math.sin(ang + 0.07))]
            p.poly(pts, hx("#fff2a8"))
        return
    spots = []
    tries = 0
    while len(spots) < 9 and tries < 500:
        tries += 1
        x, y = rng.uniform(9, W - 9), rng.uniform(9, H * 0.78)
        if abs(x - W / 2) < 25 and 12 < y < H * 0.7:  # keep clear of the figure and its wings
            if abs(x - W / 2) < 31 or y > 20:
                continue
        if any((x - sx) ** 2 + (y - sy) ** 2 < 110 for sx, sy in spots):
            continue
        spots.append((x, y))
    for x, y in spots:
        if m == "stars":
            p.poly(star_points(x, y, 2.2, 0.8, 4), hx("#fff3c0"))
        elif m == "snow":
            p.ellipse(x, y, 1.0, 1.0, hx("#ffffff"))
        elif m == "rain":
            p.line([(x, y), (x - 0.8, y + 3.0)], hx("#ffffff"), 0.8)
        elif m in ("petals", "rosepetals"):
            col = hx("#f7a8c8") if m == "petals" else hx("#e8506a")
            pts = rotated([(x - 1.8, y), (x, y - 1.1), (x + 1.8, y), (x, y + 1.1)], x, y, rng.uniform(0, 180))
            p.poly(pts, col)
        elif m == "leaves":
            pts = rotated([(x - 2.2, y), (x, y - 1.3), (x + 2.2, y), (x, y + 1.3)], x, y, rng.uniform(0, 180))
            p.poly(pts, hx("#e0782a") if rng.random() < 0.5 else hx("#c8a030"))


def wing_shape(sx, sy, side, pose, H):
    """Outline points of one wing. side = -1 (left) or +1 (right)."""
    f = H / 112.0
    if pose == "high":
        tip = (sx + side * 27, sy - 20 * f)
        ctrl = (sx + side * 10, sy - 22 * f)
        lower = [(sx + side * 27, sy - 14 * f), (sx + side * 25, sy - 4 * f), (sx + side * 21, sy + 6 * f),
                 (sx + side * 16, sy + 15 * f), (sx + side * 9, sy + 22 * f), (sx + side * 3, sy + 16 * f)]
    else:
        tip = (sx + side * 26, sy - 11 * f)
        ctrl = (sx + side * 12, sy - 17 * f)
        lower = [(sx + side * 27, sy - 3 * f), (sx + side * 25, sy + 7 * f), (sx + side * 21, sy + 16 * f),
                 (sx + side * 15, sy + 24 * f), (sx + side * 8, sy + 29 * f), (sx + side * 3, sy + 20 * f)]
    top = bezier((sx, sy), ctrl, tip, 12)
    pts = list(top)
    chain = [tip] + lower
    # scalloped lower edge: a small outward bulge between each pair of feather tips
    for (x0, y0), (x1, y1) in zip(chain[:-1], chain[1:]):
        mx, my = (x0 + x1) / 2, (y0 + y1) / 2
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = dy / ln, -dx / ln  # normal; pick the one pointing away from the body
        if nx * side < 0 or (abs(nx) < 0.2 and ny < 0):
            nx, ny = -nx, -ny
        bulge = 0.28 * ln
        pts += bezier((x0, y0), (mx + nx * bulge, my + ny * bulge), (x1, y1), 6)[1:]
    return pts, chain


def draw_wing(p, a, sx, sy, side, H):
    pts, chain = wing_shape(sx, sy, side, a["pose"], H)
    wing, line = hx(a["wing"]), hx(a["wing_line"])
    p.poly(pts, wing, line, 0.8)
    # covert feathers: a shaded band along the top
    inner = [(sx + side * 2, sy + 2)] + [(x * 0.55 + sx * 0.45, y * 0.55 + sy * 0.45 - 1) for x, y in chain[1:-1]]
    for (x0, y0), (x1, y1) in zip(chain[1:-1], inner[1:]):
        p.line([(x1, y1), (x0 * 0.9 + x1 * 0.1, y0 * 0.9 + y1 * 0.1)], mix(wing, line, 0.55), 0.5)
    p.line(inner[1:], mix(wing, line, 0.55), 0.5)


def draw_figure(p, a, W, H):
    cx = W / 2.0
    f = H / 112.0
    robe, robe_dark = hx(a["robe"]), hx(a["robe_dark"])
    outline = mix(robe_dark, (0, 0, 0), 0.35)
    head_y = 31.0 * f
    shoulder_y = 42.0 * f
    hem_y = 86.0 * f

    # wings behind everything
    for side in (-1, 1):
        draw_wing(p, a, cx + side * 4, shoulder_y + 1, side, H)

    # hair falling behind the shoulders
    hair = hx(a["hair"])
    p.poly([(cx - 6.8, head_y - 1), (cx - 8.0, shoulder_y + 0.5), (cx + 8.0, shoulder_y + 0.5),
            (cx + 6.8, head_y - 1)], hair)

    # robe: a bell shape from the shoulders to the hem
    left = bezier((cx - 7.5, shoulder_y - 1), (cx - 9, shoulder_y + 20 * f), (cx - 17, hem_y), 12)
    hem = bezier((cx - 17, hem_y), (cx, hem_y + 5 * f), (cx + 17, hem_y), 10)
    right = bezier((cx + 17, hem_y), (cx + 9, shoulder_y + 20 * f), (cx + 7.5, shoulder_y - 1), 12)
    top = bezier((cx + 7.5, shoulder_y - 1), (cx, shoulder_y - 5.5), (cx - 7.5, shoulder_y - 1), 8)
    body = left + hem[1:] + right[1:] + top[1:]
    p.poly(body, robe, outline, 0.8)
    # shading on one side and folds
    shade = bezier((cx + 3, shoulder_y + 14 * f), (cx + 7, shoulder_y + 30 * f), (cx + 9, hem_y + 2.5 * f), 8)
    shade += list(reversed(right[:9]))
    p.poly(shade, robe_dark)
    for dx in (-7, -1.5, 4.5):
        p.line(bezier((cx + dx * 0.35, shoulder_y + 17 * f), (cx + dx * 0.8, shoulder_y + 30 * f),
                      (cx + dx * 1.45, hem_y + 2 * f), 8), robe_dark, 0.55)
    if a["mantle"]:
        m = hx(a["mantle"])
        for side in (-1, 1):
            mant = bezier((cx + side * 7.5, shoulder_y - 1), (cx + side * 11, shoulder_y + 20 * f),
                          (cx + side * 18, hem_y - 1), 10)
            mant += bezier((cx + side * 18, hem_y - 1), (cx + side * 13.5, hem_y - 1.5),
                           (cx + side * 11.5, hem_y - 3), 4)[1:]
            mant += bezier((cx + side * 11.5, hem_y - 3), (cx + side * 6, shoulder_y + 18 * f),
                           (cx + side * 4, shoulder_y), 10)[1:]
            p.poly(mant, m, mix(m, (0, 0, 0), 0.4), 0.6)
    # sash at the waist
    wy = shoulder_y + 15 * f
    sash = hx(a["sash"])
    p.poly([(cx - 9.6, wy - 1.3), (cx + 9.6, wy - 1.3), (cx + 10.0, wy + 1.3), (cx - 10.0, wy + 1.3)],
           sash, mix(sash, (0, 0, 0), 0.35), 0.45)
    # collar
    p.arc(cx, shoulder_y - 2.4, 4.2, 2.6, 10, 170, mix(sash, robe, 0.3), 1.0)

    # sleeves and hands
    held = a["held"]
    hand_y = shoulder_y + 9 * f
    sleeve_l = [(cx - 7.5, shoulder_y), (cx - 11.5, shoulder_y + 9 * f), (cx - 10, shoulder_y + 13.5 * f),
                (cx - 1.5, hand_y + 2.5), (cx - 1.5, hand_y - 1.5)]
    p.poly(sleeve_l, robe, outline, 0.7)
    if held in ("sword", "staff"):
        # right arm reaches out to hold a tall item
        hx_r, hy_r = cx + 13.5, shoulder_y + 5 * f
        sleeve_r = [(cx + 7.5, shoulder_y), (cx + 12, shoulder_y + 1), (cx + 14.5, hy_r + 1.5),
                    (cx + 11.5, hy_r + 3.5), (cx + 8.5, shoulder_y + 6)]
        p.poly(sleeve_r, robe, outline, 0.7)
        draw_held(p, a, held, hx_r, hy_r, H)
        p.ellipse(hx_r + 0.3, hy_r + 0.6, 2.0, 2.0, SKIN, SKIN_LINE, 0.45)
        p.ellipse(cx - 0.7, hand_y + 0.5, 2.1, 2.1, SKIN, SKIN_LINE, 0.45)
    else:
        sleeve_r = [(cx + 7.5, shoulder_y), (cx + 11.5, shoulder_y + 9 * f), (cx + 10, shoulder_y + 13.5 * f),
                    (cx + 1.5, hand_y + 2.5), (cx + 1.5, hand_y - 1.5)]
        p.poly(sleeve_r, robe, outline, 0.7)
        if held:
            draw_held(p, a, held, cx, hand_y, H)
        p.ellipse(cx - 1.3, hand_y + 0.5, 1.9, 2.1, SKIN, SKIN_LINE, 0.45)
        p.ellipse(cx + 1.3, hand_y + 0.5, 1.9, 2.1, SKIN, SKIN_LINE, 0.45)

    # head
    p.ellipse(cx, head_y - 1.3, 7.0, 6.6, hair)                       # hair mass
    p.ellipse(cx, head_y + 0.6, 5.6, 6.0, SKIN, SKIN_LINE, 0.5)       # face
    p.poly(bezier((cx - 6.6, head_y), (cx - 4.5, head_y - 7.5), (cx + 1.5, head_y - 4.8), 8)
           + bezier((cx + 1.5, head_y - 4.8), (cx + 4.5, head_y - 7.5), (cx + 6.6, head_y), 8)[1:]
           + [(cx + 6.9, head_y - 5), (cx, head_y - 8.3), (cx - 6.9, head_y - 5)], hair)  # fringe
    eye = (70, 44, 30)
    p.arc(cx - 2.3, head_y + 1.1, 1.2, 0.9, 200, 340, eye, 0.55)
    p.arc(cx + 2.3, head_y + 1.1, 1.2, 0.9, 200, 340, eye, 0.55)
    p.ellipse(cx - 3.4, head_y + 3.4, 1.1, 0.7, (246, 178, 168))
    p.ellipse(cx + 3.4, head_y + 3.4, 1.1, 0.7, (246, 178, 168))
    p.arc(cx, head_y + 3.5, 1.3, 0.9, 30, 150, (180, 90, 80), 0.5)

    # halo: a golden ring floating above the head
    hy = head_y - 10.5 * f
    p.ring(cx, hy, 9.2, 3.1, GOLD_DARK, 2.6)
    p.ring(cx, hy, 9.0, 2.9, GOLD, 1.8)
    p.arc(cx, hy, 8.6, 2.6, 195, 255, GOLD_LIGHT, 0.7)

    # cloud under the feet
    cy = hem_y + 2.5 * f
    cloud = hx("#ffffff") if a["name"] not in ("Gabriel", "Hanael") else hx("#eef4ff")
    cl = mix(cloud, hx(a["sky"][1]), 0.45)
    for dx, r in ((-17, 3.6), (-10, 4.4), (10, 4.4), (17, 3.6), (-3.5, 3.8), (3.5, 3.8)):
        p.ellipse(cx + dx, cy + (0.8 if abs(dx) > 12 else 0), r + 0.6, r * 0.78 + 0.6, cl)
    for dx, r in ((-17, 3.6), (-10, 4.4), (10, 4.4), (17, 3.6), (-3.5, 3.8), (3.5, 3.8)):
        p.ellipse(cx + dx, cy + (0.8 if abs(dx) > 12 else 0), r, r * 0.78, cloud)


def draw_held(p, a, held, x, y, H):
    f = H / 112.0
    if held == "sword":
        tip = (x + 6.5, y - 30 * f)
        base = (x - 0.8, y + 3.5)
        ang = math.atan2(tip[1] - base[1], tip[0] - base[0])
        nx, ny = -math.sin(ang), math.cos(ang)
        gx, gy = x + 0.6 * math.cos(ang), y + 0.6 * math.sin(ang)
        blade = [(gx + nx * 1.4, gy + ny * 1.4), (tip[0] + nx * 0.3, tip[1] + ny * 0.3), tip,
                 (tip[0] - nx * 0.3, tip[1] - ny * 0.3), (gx - nx * 1.4, gy - ny * 1.4)]
        # a faint glow: "sword of light"
        p.line([(gx, gy), tip], mix(hx("#ffffff"), hx(a["sky"][0]), 0.5), 4.0)
        p.poly(blade, hx("#eef2fa"), hx("#5a6478"), 0.5)
        p.line([(gx + math.cos(ang) * 2, gy + math.sin(ang) * 2), (tip[0] - math.cos(ang) * 3, tip[1] - math.sin(ang) * 3)],
               hx("#b8c2d6"), 0.4)
        p.line([(gx + nx * 3.6, gy + ny * 3.6), (gx - nx * 3.6, gy - ny * 3.6)], GOLD, 1.4)
        p.line([(x - 0.6 * math.cos(ang), y - 0.6 * math.sin(ang)), base], hx("#7a4a18"), 1.3)
        p.ellipse(base[0], base[1], 1.0, 1.0, GOLD)
    elif held == "staff":
        top = (x + 1.0, y - 27 * f)
        bot = (x + 3.0, y + 40 * f)
        p.line([top, bot], hx("#5a3414"), 2.0)
        p.line([top, bot], hx("#9a6a3a"), 1.1)
        # a small travelling gourd tied near the top
        p.line([(top[0] + 0.3, top[1] + 6), (top[0] + 2.2, top[1] + 9)], hx("#5a3414"), 0.5)
        p.ellipse(top[0] + 2.8, top[1] + 11, 1.8, 2.4, hx("#e0a040"), hx("#7a4a10"), 0.45)
        p.ellipse(top[0] + 0.8, top[1] - 0.5, 1.4, 1.4, hx("#9a6a3a"), hx("#5a3414"), 0.5)
    elif held == "lily":
        stem = bezier((x + 1.5, y + 2), (x + 5, y - 8 * f), (x + 12, y - 22 * f), 10)
        p.line(stem, hx("#2e7d32"), 0.9)
        for t, s in ((0.45, 1), (0.65, -1)):
            i = int(t * 10)
            lx, ly = stem[i]
            p.poly(rotated([(lx, ly), (lx + s * 3.0, ly - 1.2), (lx + s * 4.2, ly - 3.2),
                            (lx + s * 1.5, ly - 1.6)], lx, ly, 0), hx("#43a047"))
        for i, (bx, by) in enumerate(((x + 12, y - 22 * f), (x + 7.8, y - 14 * f))):
            rr = 3.4 if i == 0 else 2.6
            for ang in (-90, -30, -150):
                a_ = math.radians(ang)
                pts = [(bx, by + 0.8),
                       (bx + rr * 0.5 * math.cos(a_ - 0.5), by + rr * 0.5 * math.sin(a_ - 0.5)),
                       (bx + rr * math.cos(a_), by + rr * math.sin(a_)),
                       (bx + rr * 0.5 * math.cos(a_ + 0.5), by + rr * 0.5 * math.sin(a_ + 0.5))]
                p.poly(pts, hx("#ffffff"), hx("#9aa8b8"), 0.35)
            p.ellipse(bx, by - 0.2, 0.6, 0.6, hx("#f2b22a"))
    elif held == "flame":
        # a small flame carried in the cupped hands
        yy = y - 4.5
        p.ellipse(x, yy, 6.5, 6.5, mix(hx("#ffe08a"), hx(a["robe"]), 0.35))
        p.poly(flame_shape(x, yy - 0.5, 3.4), hx("#ff8a1a"), hx("#b0380a"), 0.5)
        p.poly(flame_shape(x, yy + 0.5, 1.9), hx("#fff08a"))


def draw_frame(p, a, W, H):
    frame = hx(a["frame"])
    k = p.k
    d = p.d
    # outer band as four rectangles around the panel (panel inset 4 px, rounded corners)
    ins = 4.0
    mask = Image.new("L", p.img.size, 255)
    md = ImageDraw.Draw(mask)
    md.rounded_rectangle([ins * k, ins * k, (W - ins) * k - 1, (H - ins) * k - 1], radius=int(3.5 * k), fill=0)
    band = Image.new("RGB", p.img.size, frame)
    # a subtle lighter inner bevel on the band
    bd = ImageDraw.Draw(band)
    bd.rectangle([int(1.0 * k), int(1.0 * k), int((W - 1.0) * k) - 1, int((H - 1.0) * k) - 1],
                 outline=mix(frame, (255, 255, 255), 0.22), width=max(1, int(0.6 * k)))
    p.img.paste(band, (0, 0), mask)
    d.rounded_rectangle([(ins - 0.2) * k, (ins - 0.2) * k, (W - ins + 0.2) * k - 1, (H - ins + 0.2) * k - 1],
                        radius=int(3.7 * k), outline=GOLD, width=int(1.1 * k))
    # small gold studs in the corners of the band
    for x, y in ((2.0, 2.0), (W - 2.0, 2.0), (2.0, H - 2.0), (W - 2.0, H - 2.0)):
        p.ellipse(x, y, 1.15, 1.15, GOLD_LIGHT)


def draw_card(index, a):
    W, H = a["size"]
    k = SS
    rng = np.random.RandomState(1000 + index)
    img = sky_layer(a, W, H, k)
    p = Pen(img, k)
    draw_motif(p, a, W, H, rng)
    draw_figure(p, a, W, H)
    # the emblem sits on a small round badge below the feet
    ex, ey = W / 2.0, H - 13.8
    badge = hx(a["badge"]) if a.get("badge") else mix(hx(a["frame"]), (255, 255, 255), 0.12)
    p.ellipse(ex, ey, 9.0, 9.0, badge, GOLD, 1.0)
    EMBLEMS[a["emblem"]](p, ex, ey, 5.8, a)
    draw_frame(p, a, W, H)
    return img.resize((W, H), Image.LANCZOS)


def save_jpeg(img, path):
    img.convert("RGB").save(path, "JPEG", quality=88, progressive=False, optimize=False,
                            dpi=(96, 96), subsampling=0)


# ---------------------------------------------------------------------------------------------
# The icon: a golden halo over a white quill on a blue rounded square.

ICON_BLUE = (48, 98, 165)


def draw_icon_rgba(size):
    k = 8 if size <= 64 else 4
    S = size * k
    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = S / 32.0  # design on a 32 x 32 grid
    small = size <= 16
    m = 0.5 * u if small else 1.0 * u
    rad = 6 * u
    d.rounded_rectangle([m, m, S - m - 1, S - m - 1], radius=int(rad), fill=ICON_BLUE + (255,))
    if not small:
        # soft lighter top half for depth
        top = Image.new("RGBA", (S, S), (0, 0, 0, 0))
        td = ImageDraw.Draw(top)
        td.rounded_rectangle([m, m, S - m - 1, S - m - 1], radius=int(rad), fill=(90, 140, 205, 255))
        grad = np.linspace(1.0, 0.0, S)[:, None] * np.ones((1, S))
        alpha = (np.array(top.split()[3], float) * np.clip(grad * 1.4 - 0.35, 0, 1) * 0.7).astype(np.uint8)
        top.putalpha(Image.fromarray(alpha, "L"))
        img = Image.alpha_composite(img, top)
        d = ImageDraw.Draw(img)
        d.rounded_rectangle([m, m, S - m - 1, S - m - 1], radius=int(rad),
                            outline=(28, 62, 118, 255), width=int(0.7 * u))

    def P(x, y):
        return (x * u, y * u)

    def curve(p0, p1, p2, n=24):
        return [P(x, y) for x, y in bezier(p0, p1, p2, n)]

    # halo above the feather's tip
    hx_, hy_, rx, ry = 20.0, 6.4, 7.2, 2.8
    wid = 1.8 * u
    box = [(hx_ - rx) * u, (hy_ - ry) * u, (hx_ + rx) * u, (hy_ + ry) * u]
    if small:  # pixel-aligned ring, one pixel thick, from x 6 to 14 and y 1 to 5 on the 16 grid
        box = [12 * u, 2 * u, 28 * u - 1, 10 * u - 1]
        wid = 2 * u
    if not small:
        d.ellipse([box[0] - 0.45 * u, box[1] - 0.45 * u, box[2] + 0.45 * u, box[3] + 0.45 * u],
                  outline=(140, 92, 16, 255), width=int(wid + 0.9 * u))
    d.ellipse(box, outline=(255, 212, 64, 255), width=int(wid))
    if not small:
        d.arc([box[0] + 0.6 * u, box[1] + 0.45 * u, box[2] - 0.6 * u, box[3] - 0.45 * u], 190, 265,
              fill=(255, 246, 200, 255), width=int(0.6 * u))

    # quill: a curved feather leaning to the right, nib at the lower left
    white = (255, 255, 255, 255)
    shade = (200, 218, 242, 255)
    tip = (25.2, 11.0) if not small else (25.5, 11.0)
    base_l, base_r = (8.6, 25.2), (11.6, 27.4)
    vane = curve(base_l, (8.2, 15.5), tip) + curve(tip, (21.5, 22.5), base_r)[1:]
    d.polygon(vane, fill=white)
    if not small:
        lower = curve((9.6, 26.4), (17.0, 18.0), tip) + curve(tip, (21.5, 22.5), base_r)[1:]
        d.polygon(lower, fill=shade)
        # two notches where the barbs part
        for a0, a1, a2 in (((9.2, 19.0), (12.6, 19.2), (9.0, 21.2)),
                           ((20.9, 19.0), (18.6, 19.7), (20.1, 20.8))):
            d.polygon([P(*a0), P(*a1), P(*a2)], fill=ICON_BLUE + (255,))
        d.line(vane + [vane[0]], fill=(150, 170, 205, 255), width=int(0.45 * u))
    # shaft and nib
    shaft = curve((6.0, 28.6), (13.5, 19.0), tip, 16)
    d.line(shaft, fill=(120, 84, 30, 255), width=max(1, int((1.0 if not small else 1.7) * u)), joint="curve")
    d.polygon([P(4.6, 30.0), P(5.4, 26.9), P(7.7, 28.3)], fill=(30, 30, 50, 255))
    out = img.resize((size, size), Image.LANCZOS)
    if small:  # crisp pixel halo for the smallest size
        gold, soft = (255, 212, 64, 255), (168, 160, 110, 255)
        for x in range(7, 13):
            out.putpixel((x, 1), gold)
            out.putpixel((x, 4), gold)
        for y in (2, 3):
            out.putpixel((6, y), gold)
            out.putpixel((13, y), gold)
            for x in range(7, 13):
                out.putpixel((x, y), ICON_BLUE + (255,))
        for x, y in ((6, 1), (13, 1), (6, 4), (13, 4)):
            out.putpixel((x, y), soft)
    return out


def dib_32(img):
    w, h = img.size
    px = np.array(img.convert("RGBA"))
    bgra = px[:, :, [2, 1, 0, 3]][::-1].tobytes()
    and_rows = and_mask(px[:, :, 3] == 0)
    hdr = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(bgra) + len(and_rows), 0, 0, 0, 0)
    return hdr + bgra + and_rows


def and_mask(transparent):
    h, w = transparent.shape
    row_bytes = ((w + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        bits = np.packbits(transparent[y].astype(np.uint8))
        out += bytes(bits) + b"\0" * (row_bytes - len(bits))
    return bytes(out)


def dib_8(img):
    """8-bit palettised DIB with a 1-bit AND mask; palette index 0 is black (transparent)."""
    w, h = img.size
    rgba = img.convert("RGBA")
    px = np.array(rgba)
    transparent = px[:, :, 3] < 128
    rgb = px[:, :, :3].copy()
    rgb[transparent] = ICON_BLUE  # keep the hidden pixels from taking palette entries
    q = Image.fromarray(rgb, "RGB").quantize(colors=255, method=Image.Quantize.MEDIANCUT,
                                             dither=Image.Dither.NONE)
    idx = np.array(q, dtype=np.uint16) + 1
    idx[transparent] = 0
    pal = q.getpalette()[:255 * 3]
    pal += [0] * (255 * 3 - len(pal))
    palette = b"\0\0\0\0" + b"".join(bytes((pal[i * 3 + 2], pal[i * 3 + 1], pal[i * 3], 0)) for i in range(255))
    row_bytes = ((w + 3) // 4) * 4
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = idx[y].astype(np.uint8).tobytes()
        xor += row + b"\0" * (row_bytes - w)
    and_rows = and_mask(transparent)
    hdr = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, len(xor) + len(and_rows), 0, 0, 256, 0)
    return hdr + palette + bytes(xor) + and_rows


def png_bytes(img):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=False, compress_level=9)
    return buf.getvalue()


ICON_ENTRIES = [(16, 8), (32, 8), (32, 32), (48, 32), (256, 32)]


def build_icon():
    blobs = []
    for size, bits in ICON_ENTRIES:
        img = draw_icon_rgba(size)
        if size == 256:
            data = png_bytes(img)
        elif bits == 8:
            data = dib_8(img)
        else:
            data = dib_32(img)
        blobs.append((size, bits, data))
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for size, bits, data in blobs:
        b = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", b, b, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    for _, _, data in blobs:
        out += data
    return bytes(out)


# ---------------------------------------------------------------------------------------------
# Checks

def icon_entries(path):
    """Each image of the icon file as its own Pillow image (opened from a one-image icon)."""
    with open(path, "rb") as fh:
        data = fh.read()
    count = struct.unpack_from("<H", data, 4)[0]
    out = []
    for i in range(count):
        entry = bytearray(data[6 + 16 * i:22 + 16 * i])
        size, offset = struct.unpack_from("<II", entry, 8)
        struct.pack_into("<I", entry, 12, 22)
        one = struct.pack("<HHH", 0, 1, 1) + bytes(entry) + data[offset:offset + size]
        im = Image.open(io.BytesIO(one))
        im.load()
        out.append((entry[6] | entry[7] << 8, im.convert("RGBA")))
    return out


def check_icon(path):
    with open(path, "rb") as fh:
        data = fh.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert reserved == 0 and kind == 1, "not an icon file"
    assert count == len(ICON_ENTRIES), "wrong number of icon images"
    found = []
    for i in range(count):
        w, h, colors, res, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        assert offset + size <= len(data), "icon image runs past the end"
        blob = data[offset:offset + size]
        if blob[:8] == b"\x89PNG\r\n\x1a\n":
            pw, ph = struct.unpack(">II", blob[16:24])
            assert (pw, ph) == (w, h), "PNG size differs from its directory entry"
            kind_ = "png"
        else:
            hsz, bw, bh, bplanes, bbits = struct.unpack_from("<IiiHH", blob, 0)
            assert hsz == 40 and bw == w and bh == 2 * h and bplanes == 1 and bbits == bits, \
                "bitmap header does not match its directory entry"
            pal = 256 * 4 if bits == 8 else 0
            xor = ((w * bits + 31) // 32) * 4 * h
            andm = ((w + 31) // 32) * 4 * h
            assert len(blob) == 40 + pal + xor + andm, "bitmap data has the wrong length"
            kind_ = "bmp"
        found.append((w, h, bits, kind_, size))
    want = [(s, s, b) for s, b in ICON_ENTRIES]
    assert [(w, h, b) for w, h, b, _, _ in found] == want, "icon images differ from the list"
    im = Image.open(path)
    im.load()
    sizes = sorted(im.info.get("sizes", set()) or im.ico.sizes())
    assert sizes == [(16, 16), (32, 32), (48, 48), (256, 256)], sizes
    for s in sizes:
        im.size = s
        im.load()
    for (w, h, bits, _, _), (_, one) in zip(found, icon_entries(path)):
        assert one.size == (w, h), "Pillow reads a %dx%d image as %s" % (w, h, one.size)
    return found


def jpeg_frame(raw):
    """Walks the JPEG markers up to the scan; returns (SOF marker, precision, height, width,
    components) of the frame header, or None."""
    pos, frame, jfif = 2, None, None
    if raw[:2] != b"\xff\xd8":
        return None
    while pos + 4 <= len(raw) and raw[pos] == 0xFF:
        marker = raw[pos + 1]
        length = struct.unpack(">H", raw[pos + 2:pos + 4])[0]
        body = raw[pos + 4:pos + 2 + length]
        if marker == 0xE0 and body[:5] == b"JFIF\0":
            jfif = struct.unpack(">BHH", body[7:12])  # units, x density, y density
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            frame = (marker, body[0]) + struct.unpack(">HH", body[1:5]) + (body[5],)
        if marker == 0xDA:
            break
        pos += 2 + length
    if jfif != (1, 96, 96):
        return ("JFIF density", jfif)
    return frame


def check_all():
    ok = True
    total = 0
    for i, a in enumerate(ANGELS, 1):
        path = os.path.join(PICTURE_DIR, "%02d.jpg" % i)
        with open(path, "rb") as fh:
            raw = fh.read()
        im = Image.open(path)
        im.load()
        problems = []
        if im.size != tuple(a["size"]):
            problems.append("size %s" % (im.size,))
        if im.mode != "RGB":
            problems.append("mode %s" % im.mode)
        if im.format != "JPEG":
            problems.append("format %s" % im.format)
        if im.info.get("progressive") or im.info.get("progression"):
            problems.append("progressive")
        if "jfif" not in im.info or raw[6:11] != b"JFIF\0":
            problems.append("no JFIF header")
        if im.info.get("jfif_unit") != 1 or tuple(im.info.get("jfif_density", ())) != (96, 96):
            problems.append("density %s unit %s" % (im.info.get("jfif_density"), im.info.get("jfif_unit")))
        if tuple(round(v) for v in im.info.get("dpi", (0, 0))) != (96, 96):
            problems.append("dpi %s" % (im.info.get("dpi"),))
        frame = jpeg_frame(raw)
        if frame != (0xC0, 8, im.size[1], im.size[0], 3):
            problems.append("frame header %s is not baseline 8-bit with 3 components" % (frame,))
        if len(raw) > 8192:
            problems.append("larger than 8 KB")
        total += len(raw)
        status = "ok" if not problems else "PROBLEM: " + ", ".join(problems)
        ok = ok and not problems
        print("content/pictures/%02d.jpg  %-10s %3dx%-3d %5d bytes  %s"
              % (i, a["name"], im.size[0], im.size[1], len(raw), status))
    print("pictures total: %d bytes" % total)
    try:
        entries = check_icon(ICON_PATH)
        print("content/icons/haloquill.ico  %d bytes  ok" % os.path.getsize(ICON_PATH))
        for w, h, bits, kind, size in entries:
            print("    %3dx%-3d %2d-bit %s  %6d bytes" % (w, h, bits, kind, size))
    except AssertionError as e:
        ok = False
        print("content/icons/haloquill.ico  PROBLEM: %s" % e)
    print("all checks passed" if ok else "CHECKS FAILED")
    return ok


def contact_sheet(path):
    scale = 3
    cards = [Image.open(os.path.join(PICTURE_DIR, "%02d.jpg" % i)).convert("RGB") for i in range(1, 15)]
    cw, ch = 76 * scale + 10, 113 * scale + 24
    cols = 7
    sheet = Image.new("RGB", (cols * cw + 10, 2 * ch + 430), (235, 235, 235))
    d = ImageDraw.Draw(sheet)
    try:
        font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 14)
    except OSError:
        font = ImageFont.load_default()
    for i, c in enumerate(cards):
        x, y = 10 + (i % cols) * cw, 10 + (i // cols) * ch
        sheet.paste(c.resize((c.width * scale, c.height * scale), Image.NEAREST), (x, y + 18))
        d.text((x, y), "%02d %s" % (i + 1, ANGELS[i]["name"]), fill=(0, 0, 0), font=font)
    y = 2 * ch + 20
    for i in range(14):  # also at real size
        sheet.paste(cards[i], (10 + i * 82, y))
    y += 125
    entries = icon_entries(ICON_PATH)
    for bg in ((255, 255, 255), (40, 40, 40)):
        xx = 10
        for bits, im in entries:  # real size (the 256 one at half size)
            if im.width > 128:
                im = im.resize((128, 128), Image.LANCZOS)
            box = Image.new("RGB", (im.width + 8, im.height + 8), bg)
            box.paste(im, (4, 4), im)
            sheet.paste(box, (xx, y))
            xx += box.width + 6
        for bits, im in entries[:4]:  # magnified
            z = 128 // im.width
            big = im.resize((im.width * z, im.height * z), Image.NEAREST)
            box = Image.new("RGB", (136, 136), bg)
            box.paste(big, (4, 4), big)
            sheet.paste(box, (xx, y))
            d.text((xx, y + 138), "%dx%d %d-bit" % (im.width, im.height, bits), fill=(0, 0, 0), font=font)
            xx += 142
        y += 140 + 20
    sheet.save(path)
    print("contact sheet written to %s" % path)


def main(argv):
    if "--check" not in argv:
        os.makedirs(PICTURE_DIR, exist_ok=True)
        os.makedirs(os.path.dirname(ICON_PATH), exist_ok=True)
        for i, a in enumerate(ANGELS, 1):
            save_jpeg(draw_card(i, a), os.path.join(PICTURE_DIR, "%02d.jpg" % i))
        with open(ICON_PATH, "wb") as fh:
            fh.write(build_icon())
    ok = check_all()
    if "--sheet" in argv:
        contact_sheet(argv[argv.index("--sheet") + 1])
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

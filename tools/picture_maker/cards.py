# One angel card: sky, motif, wings, figure, held emblem and frame; and its JPEG.

import io
import math
import os
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from picture_maker.palette import *
from picture_maker.pen import *
from picture_maker.emblems import *

def sky_layer(a, W, H, k, canvas):
    """Gradient background with a soft glow behind the head, as an RGB image of the canvas size."""
    top, bot = np.array(hx(a["sky"][0]), float), np.array(hx(a["sky"][1]), float)
    glow = np.array(hx(a["glow"]), float)
    yy, xx = np.mgrid[0:canvas[1], 0:canvas[0]].astype(float)
    t = (yy / (canvas[1] - 1))[..., None]
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


def scaled_pixels(pixels, dpi):
    """A 96-dpi length at `dpi`, rounded half up as the program scales it."""
    return (pixels * 15 * dpi + 720) // 1440


def draw_card(index, a, dpi=96):
    """Card `index` drawn at `dpi`: its geometry is laid out on the card's size at that dpi
    (in 96-dpi units, so a rounded-up size widens the card by a fraction) and painted SS times
    finer before the reduction."""
    out = tuple(scaled_pixels(v, dpi) for v in a["size"])
    k = SS * dpi // 96
    W, H = (v * 96 / dpi if dpi != 96 else v for v in out)
    rng = np.random.RandomState(1000 + index)
    img = sky_layer(a, W, H, k, (out[0] * SS, out[1] * SS))
    p = Pen(img, k)
    draw_motif(p, a, W, H, rng)
    draw_figure(p, a, W, H)
    # the emblem sits on a small round badge below the feet
    ex, ey = W / 2.0, H - 13.8
    badge = hx(a["badge"]) if a.get("badge") else mix(hx(a["frame"]), (255, 255, 255), 0.12)
    p.ellipse(ex, ey, 9.0, 9.0, badge, GOLD, 1.0)
    EMBLEMS[a["emblem"]](p, ex, ey, 5.8, a)
    draw_frame(p, a, W, H)
    return img.resize(out, Image.LANCZOS)


def save_jpeg(img, path, dpi=96):
    quality, subsampling, optimize = JPEG_SETTINGS[dpi]
    img.convert("RGB").save(path, "JPEG", quality=quality, progressive=False, optimize=optimize,
                            dpi=(dpi, dpi), subsampling=subsampling)


# ---------------------------------------------------------------------------------------------
# The icon: a golden halo over a white quill on a blue rounded square.

# The program icon: drawn at each size and packed into an .ico file.

import io
import math
import os
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from picture_maker.palette import *
from picture_maker.pen import *

ICON_BLUE = (48, 98, 165)
# Sizes up to this one are drawn on whole pixels.
SMALL_ICON = 24


def draw_icon_rgba(size):
    """The icon at `size` pixels, laid out on a 32 x 32 grid and painted finer before the
    reduction. Up to 24 pixels the square fills the picture, its corners and the halo's box fall
    on whole pixels, the halo is a one-pixel ring and the shaft one pixel wide, so the small
    sizes stay crisp; the larger ones get an outline, a shaded vane and a shaded halo."""
    k = 8 if size <= 64 else 4
    S = size * k
    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = S / 32.0  # one unit of the 32 x 32 grid, in canvas pixels
    small = size <= SMALL_ICON

    def whole(units):
        """A length of the grid rounded half up to whole pixels of this size, in canvas pixels."""
        return int(units * size / 32.0 + 0.5) * k

    m = 0 if small else whole(1.0)
    square = [m, m, S - m - 1, S - m - 1]
    rad = whole(6.0)
    d.rounded_rectangle(square, radius=rad, fill=ICON_BLUE + (255,))
    # soft lighter top half for depth
    top = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    td = ImageDraw.Draw(top)
    td.rounded_rectangle(square, radius=rad, fill=(90, 140, 205, 255))
    grad = np.linspace(1.0, 0.0, S)[:, None] * np.ones((1, S))
    alpha = (np.array(top.split()[3], float) * np.clip(grad * 1.4 - 0.35, 0, 1) * 0.7).astype(np.uint8)
    top.putalpha(Image.fromarray(alpha, "L"))
    img = Image.alpha_composite(img, top)
    d = ImageDraw.Draw(img)
    if not small:
        d.rounded_rectangle(square, radius=rad, outline=(28, 62, 118, 255), width=int(0.7 * u))

    def P(x, y):
        return (x * u, y * u)

    def curve(p0, p1, p2, n=24):
        return [P(x, y) for x, y in bezier(p0, p1, p2, n)]

    # halo above the feather's tip
    hx_, hy_, rx, ry = 20.0, 6.4, 7.2, 2.8
    if small:
        # the smallest whole-pixel box around the ring, drawn one pixel wide
        px = size / 32.0
        box = [math.floor((hx_ - rx) * px) * k, math.floor((hy_ - ry) * px) * k,
               math.ceil((hx_ + rx) * px) * k - 1, math.ceil((hy_ + ry) * px) * k - 1]
        d.rounded_rectangle(box, radius=int(ry * px * k), outline=(255, 212, 64, 255), width=k)
    else:
        wid = 1.8 * u
        box = [(hx_ - rx) * u, (hy_ - ry) * u, (hx_ + rx) * u, (hy_ + ry) * u]
        d.ellipse([box[0] - 0.45 * u, box[1] - 0.45 * u, box[2] + 0.45 * u, box[3] + 0.45 * u],
                  outline=(140, 92, 16, 255), width=int(wid + 0.9 * u))
        d.ellipse(box, outline=(255, 212, 64, 255), width=int(wid))
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
    # shaft and nib; the shaft is at least one pixel wide
    shaft = curve((6.0, 28.6), (13.5, 19.0), tip, 16)
    d.line(shaft, fill=(120, 84, 30, 255), width=max(k, int(1.0 * u)), joint="curve")
    d.polygon([P(4.6, 30.0), P(5.4, 26.9), P(7.7, 28.3)], fill=(30, 30, 50, 255))
    # averaging keeps the whole-pixel edges of the small sizes sharp, where LANCZOS would ring
    return img.resize((size, size), Image.BOX if small else Image.LANCZOS)


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


def png_bytes(img):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=False, compress_level=9)
    return buf.getvalue()


# Every size Windows asks for at 100 % to 200 % (small icons 16 to 32, large ones 32 to 64) and
# the 256 of large views; all 32-bit with alpha, the 256 as PNG. Displays of 256 colours are
# long gone, so there are no palette images.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
ICON_ENTRIES = [(size, 32) for size in ICON_SIZES]


def build_icon():
    blobs = []
    for size, bits in ICON_ENTRIES:
        img = draw_icon_rgba(size)
        data = png_bytes(img) if size == 256 else dib_32(img)
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
    assert sizes == [(s, s) for s in ICON_SIZES], sizes
    for s in sizes:
        im.size = s
        im.load()
    for (w, h, bits, _, _), (_, one) in zip(found, icon_entries(path)):
        assert one.size == (w, h), "Pillow reads a %dx%d image as %s" % (w, h, one.size)
    return found

# Checks of the written files, and a contact sheet for review.

import io
import math
import os
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from picture_maker.paths import *
from picture_maker.palette import *
from picture_maker.icon import *
from picture_maker.cards import scaled_pixels

# Largest file of a 96-dpi picture; a set at another dpi may grow with its area.
PICTURE_LIMIT = 8192
# Largest total of every picture and the icon: with the rest of the 32-bit Haloquill.exe (about
# 470 KB) they must stay under 950 KB, well under 1 MiB.
CONTENT_BUDGET = 460 * 1024

def jpeg_frame(raw, dpi):
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
    if jfif != (1, dpi, dpi):
        return ("JFIF density", jfif)
    return frame


def check_picture(number, a, dpi):
    """Prints one picture's line; returns its size in bytes and whether it passed."""
    path = picture_path(number, dpi)
    with open(path, "rb") as fh:
        raw = fh.read()
    im = Image.open(path)
    im.load()
    problems = []
    want = tuple(scaled_pixels(v, dpi) for v in a["size"])
    if im.size != want:
        problems.append("size %s, not %s" % (im.size, want))
    if im.mode != "RGB":
        problems.append("mode %s" % im.mode)
    if im.format != "JPEG":
        problems.append("format %s" % im.format)
    if im.info.get("progressive") or im.info.get("progression"):
        problems.append("progressive")
    if "jfif" not in im.info or raw[6:11] != b"JFIF\0":
        problems.append("no JFIF header")
    if im.info.get("jfif_unit") != 1 or tuple(im.info.get("jfif_density", ())) != (dpi, dpi):
        problems.append("density %s unit %s" % (im.info.get("jfif_density"), im.info.get("jfif_unit")))
    if tuple(round(v) for v in im.info.get("dpi", (0, 0))) != (dpi, dpi):
        problems.append("dpi %s" % (im.info.get("dpi"),))
    frame = jpeg_frame(raw, dpi)
    if frame != (0xC0, 8, im.size[1], im.size[0], 3):
        problems.append("frame header %s is not baseline 8-bit with 3 components" % (frame,))
    limit = PICTURE_LIMIT * dpi * dpi // (96 * 96)
    if len(raw) > limit:
        problems.append("larger than %d bytes" % limit)
    status = "ok" if not problems else "PROBLEM: " + ", ".join(problems)
    print("%-28s %-10s %3dx%-3d %5d bytes  %s"
          % (os.path.relpath(path, ROOT), a["name"], im.size[0], im.size[1], len(raw), status))
    return len(raw), not problems


def check_all():
    ok = True
    total = 0
    for dpi in PICTURE_DPIS:
        subtotal = 0
        for i, a in enumerate(ANGELS, 1):
            size, passed = check_picture(i, a, dpi)
            subtotal += size
            ok = ok and passed
        print("pictures at %d dpi: %d bytes" % (dpi, subtotal))
        total += subtotal
    try:
        entries = check_icon(ICON_PATH)
        print("content/icons/haloquill.ico  %d bytes  ok" % os.path.getsize(ICON_PATH))
        for w, h, bits, kind, size in entries:
            print("    %3dx%-3d %2d-bit %s  %6d bytes" % (w, h, bits, kind, size))
    except AssertionError as e:
        ok = False
        print("content/icons/haloquill.ico  PROBLEM: %s" % e)
    total += os.path.getsize(ICON_PATH)
    # Everything here is compiled into Haloquill.exe, which must stay well under 1 MiB.
    status = "ok" if total <= CONTENT_BUDGET else "PROBLEM: over %d bytes" % CONTENT_BUDGET
    print("pictures and icon: %d bytes  %s" % (total, status))
    ok = ok and total <= CONTENT_BUDGET
    print("all checks passed" if ok else "CHECKS FAILED")
    return ok


def contact_sheet(path):
    """The 96-dpi cards magnified, every set at its real size, then each icon size at its real
    size and the small ones magnified, on a light and on a dark ground."""
    try:
        font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 14)
    except OSError:
        font = ImageFont.load_default()
    sections = []
    scale, cols = 3, 7
    cards = {dpi: [Image.open(picture_path(i, dpi)).convert("RGB") for i in range(1, 15)]
             for dpi in PICTURE_DPIS}
    cw, ch = 76 * scale + 10, 113 * scale + 24
    magnified = Image.new("RGB", (cols * cw + 10, 2 * ch + 10), (235, 235, 235))
    d = ImageDraw.Draw(magnified)
    for i, c in enumerate(cards[96]):
        x, y = 10 + (i % cols) * cw, 10 + (i // cols) * ch
        magnified.paste(c.resize((c.width * scale, c.height * scale), Image.NEAREST), (x, y + 18))
        d.text((x, y), "%02d %s" % (i + 1, ANGELS[i]["name"]), fill=(0, 0, 0), font=font)
    sections.append(magnified)
    for dpi in PICTURE_DPIS:
        per_row = 14 if dpi == 96 else 7
        rows = [cards[dpi][r:r + per_row] for r in range(0, 14, per_row)]
        height = sum(max(c.height for c in row) + 8 for row in rows) + 22
        width = max(sum(c.width + 8 for c in row) for row in rows) + 10
        block = Image.new("RGB", (width, height), (235, 235, 235))
        ImageDraw.Draw(block).text((10, 2), "%d dpi" % dpi, fill=(0, 0, 0), font=font)
        y = 22
        for row in rows:
            x = 10
            for c in row:
                block.paste(c, (x, y))
                x += c.width + 8
            y += max(c.height for c in row) + 8
        sections.append(block)
    entries = icon_entries(ICON_PATH)
    for bg in ((255, 255, 255), (40, 40, 40)):
        block = Image.new("RGB", (1700, 160), (235, 235, 235))
        xx = 10
        for bits, im in entries:  # real size (the 256 one at half size)
            if im.width > 128:
                im = im.resize((128, 128), Image.LANCZOS)
            box = Image.new("RGB", (im.width + 8, im.height + 8), bg)
            box.paste(im, (4, 4), im)
            block.paste(box, (xx, 0))
            xx += box.width + 6
        for bits, im in entries:  # the small sizes magnified
            if im.width > 32:
                continue
            z = 128 // im.width
            big = im.resize((im.width * z, im.height * z), Image.NEAREST)
            box = Image.new("RGB", (136, 136), bg)
            box.paste(big, (4, 4), big)
            block.paste(box, (xx, 0))
            ImageDraw.Draw(block).text((xx, 138), "%dx%d" % im.size, fill=(0, 0, 0), font=font)
            xx += 142
        sections.append(block.crop((0, 0, xx, 160)))
    sheet = Image.new("RGB", (max(b.width for b in sections), sum(b.height for b in sections)),
                      (235, 235, 235))
    y = 0
    for b in sections:
        sheet.paste(b, (0, y))
        y += b.height
    sheet.save(path)
    print("contact sheet written to %s" % path)

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

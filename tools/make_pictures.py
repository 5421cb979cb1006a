#!/usr/bin/env python3
# make_pictures.py - draws the fourteen angel cards and the program icon of Corvel Haloquill.
#
# Everything is drawn procedurally here (no source artwork): each card is a small framed
# portrait of a stylised angel (halo, head, robe, two wings) with its own colours and emblem,
# painted at 4x size and reduced with LANCZOS for smooth edges.
#
# Writes, relative to the repository root (found from this file's location):
#   content/pictures/01.jpg ... 14.jpg       baseline JFIF, RGB, 96 dpi
#   content/pictures/144/01.jpg ... 14.jpg   the same cards drawn at 1.5 times the size, 144 dpi
#   content/pictures/192/01.jpg ... 14.jpg   the same cards drawn at twice the size, 192 dpi
#   content/icons/haloquill.ico              16, 20, 24, 32, 40, 48, 64 (32-bit), 256 (PNG)
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

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from picture_maker.paths import ICON_PATH, PICTURE_DPIS, picture_path  # noqa: E402
from picture_maker.palette import ANGELS  # noqa: E402
from picture_maker.cards import draw_card, save_jpeg  # noqa: E402
from picture_maker.icon import build_icon  # noqa: E402
from picture_maker.checks import check_all, contact_sheet  # noqa: E402


def main(argv):
    if "--check" not in argv:
        os.makedirs(os.path.dirname(ICON_PATH), exist_ok=True)
        for dpi in PICTURE_DPIS:
            os.makedirs(os.path.dirname(picture_path(1, dpi)), exist_ok=True)
            for i, a in enumerate(ANGELS, 1):
                save_jpeg(draw_card(i, a, dpi), picture_path(i, dpi), dpi)
        with open(ICON_PATH, "wb") as fh:
            fh.write(build_icon())
    ok = check_all()
    if "--sheet" in argv:
        contact_sheet(argv[argv.index("--sheet") + 1])
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

# The files the picture maker writes, relative to the repository root.

import io
import math
import os
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
PICTURE_DIR = os.path.join(ROOT, "content", "pictures")
ICON_PATH = os.path.join(ROOT, "content", "icons", "haloquill.ico")

# The dots per inch of the picture sets; each set beyond 96 lives in a folder of that name.
PICTURE_DPIS = (96, 144, 192)


def picture_path(number, dpi=96):
    folder = PICTURE_DIR if dpi == 96 else os.path.join(PICTURE_DIR, str(dpi))
    return os.path.join(folder, "%02d.jpg" % number)

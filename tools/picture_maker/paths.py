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

# Colours, the supersampling factor and the table of the fourteen angels' looks.

import io
import math
import os
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

SS = 4  # supersampling factor for the cards

# JPEG quality, chroma subsampling (0 = none) and Huffman optimisation of each picture set; the
# 96-dpi set keeps the settings it was first written with, so its files never change.
JPEG_SETTINGS = {96: (88, 0, False), 144: (85, 0, True), 192: (85, 0, True)}

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

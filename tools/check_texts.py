#!/usr/bin/env python3
# Checks every description text in content/texts/ for format, opening words and exact length.
import os
import sys

TEXTS = [
    ("own_01_adnachiel.txt", "Adnachiel - the angel of November is also known as", 585),
    ("own_02_ambriel.txt", "Ambriel - the angel of May is known as the", 483),
    ("own_03_asmodel.txt", "Asmodel - the angel of April is the 'spirit of", 597),
    ("own_04_barachiel.txt", "Barchiel is the angel for the month of February.", 510),
    ("own_05_barbiel.txt", "Barbiel is the angel of the month of October and", 361),
    ("own_06_gabriel.txt", "The name Gabriel means the 'messenger of God'.", 612),
    ("own_07_hamiliel.txt", "The angel of August - Hamaliel is also known as", 531),
    ("own_08_hanael.txt", "Hanael is the angel representing the month of December.", 450),
    ("own_09_michael.txt", "Michael is the angel for the month of September and", 450),
    ("own_10_michidiel.txt", "Machidiel- the angel of March means 'Fullness of God'.", 577),
    ("own_11_muriel.txt", "Muriel is the angel of the month of June and", 555),
    ("own_12_raphael.txt", "Raphael is the angel of journey to the heavens.", 408),
    ("own_13_uriel.txt", "Uriel is the 'light of God'.", 348),
    ("own_14_verchiel.txt", "Verchiel is the angel of the month of July is", 591),
    ("season_may.txt", "It is the angel of May who brings about the", 506),
    ("season_april.txt", "The spirit of rebirth is what we relate the Angel", 399),
    ("season_february.txt", "Patience is the keyword which best describes the Angel of", 731),
    ("season_june.txt", "We experience flourish, fame and strength from the Angel of", 529),
    ("season_march.txt", "Stamina and courage are brought about by the Angel of", 675),
    ("season_january.txt", "Wisdom is the word which describes the Angel of January", 583),
]

DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "content", "texts")


def check(name, first, length):
    path = os.path.join(DIR, name)
    if not os.path.isfile(path):
        return ["missing"]
    with open(path, "rb") as f:
        data = f.read()
    if not data.endswith(b"\n") or data.endswith(b"\n\n"):
        return ["does not end with exactly one LF"]
    raw = data[:-1]
    errs = []
    if b"\n" in raw or b"\r" in raw:
        errs.append("contains another LF or CR")
    if any(b < 0x20 or b > 0x7E for b in raw):
        errs.append("non-printable or non-ASCII character")
    if b'"' in raw:
        errs.append("contains a double quote")
    text = raw.decode("latin-1")
    if text != text.strip(" "):
        errs.append("leading or trailing blank")
    if not text.startswith(first):
        errs.append("does not start with the first words")
    if len(text) != length:
        errs.append("length %d, expected %d" % (len(text), length))
    return errs


failed = False
for name, first, length in TEXTS:
    for err in check(name, first, length):
        print("%s: %s" % (name, err))
        failed = True
if failed:
    sys.exit(1)
print("all %d texts ok" % len(TEXTS))

#!/usr/bin/env python3
# Writes the PE checksum into a Windows executable, as GNU ld and MSVC's /RELEASE do and lld does
# not, so that a program signed and then unsigned again is the same file as the one built.
# Usage: set_pe_checksum.py FILE
import array
import struct
import sys


def pe_checksum(data, field):
    words = array.array("H")
    padded = bytes(data[:field]) + b"\0\0\0\0" + bytes(data[field + 4:])
    if len(padded) % 2:
        padded += b"\0"
    words.frombytes(padded)
    if sys.byteorder != "little":
        words.byteswap()
    total = sum(words)
    while total > 0xFFFF:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


def main(path):
    with open(path, "rb") as handle:
        data = bytearray(handle.read())
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[header:header + 4] != b"PE\0\0":
        sys.exit("%s: not a PE file" % path)
    field = header + 4 + 20 + 64  # the optional header's CheckSum
    struct.pack_into("<I", data, field, pe_checksum(data, field))
    with open(path, "wb") as handle:
        handle.write(data)


if __name__ == "__main__":
    main(sys.argv[1])

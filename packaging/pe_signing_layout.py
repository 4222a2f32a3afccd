#!/usr/bin/env python3
"""Gives a PE file the layout that Authenticode signing gives it: its length padded with zero
bytes to a multiple of 8, and its checksum computed afresh. osslsigncode pads a file so before it
appends the signature, and keeps the padding when it removes the signature again; with the
padding already in place, a signed file with its signature removed is the shipped file byte for
byte, which is how anyone checks a signed release against a build of the source.

Usage: pe_signing_layout.py FILE (rewritten in place)
"""
import struct
import sys
from pathlib import Path


def checksum_offset(data):
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[:2] != b"MZ" or data[header:header + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    # The checksum follows the signature (4 bytes), the file header (20) and 64 bytes of the
    # optional header, in PE32 and PE32+ alike.
    return header + 4 + 20 + 64


def pe_checksum(data, offset):
    """The checksum of the PE format: 16-bit words summed with end-around carry, the checksum
    field counted as zero, plus the file's length."""
    words = data[:offset] + b"\0\0\0\0" + data[offset + 4:]
    if len(words) % 2:
        words += b"\0"
    total = 0
    for (word,) in struct.iter_unpack("<H", words):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return ((total & 0xFFFF) + (total >> 16) + len(data)) & 0xFFFFFFFF


def signing_layout(data):
    data = data + b"\0" * (-len(data) % 8)
    offset = checksum_offset(data)
    return data[:offset] + struct.pack("<I", pe_checksum(data, offset)) + data[offset + 4:]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    path = Path(sys.argv[1])
    try:
        path.write_bytes(signing_layout(path.read_bytes()))
    except ValueError as error:
        sys.exit(f"{path}: {error}")


if __name__ == "__main__":
    main()

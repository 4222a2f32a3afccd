#!/usr/bin/env python3
"""Sets the creation time that widl writes into a type library to a given time.

widl records when it ran twice, as MIDL does: the text "Created by WIDL version V at <ctime>"
and the same moment as a 32-bit time_t (a VT_UI4 custom value). Both are set to the release's
source date, so that one commit always gives the same .tlb and so the same DLL. widl must run
with TZ=UTC, so that its text names the same second as its number.

Usage: typelib_timestamp.py TLB EPOCH (the file is rewritten in place)
"""
import calendar
import re
import struct
import sys
import time
from pathlib import Path

CREATED = re.compile(rb"(Created by WIDL version [^\n]* at )([A-Z][a-z]{2} [A-Z][a-z]{2} [ \d]\d \d\d:\d\d:\d\d \d{4})\n")
VT_UI4 = b"\x13\x00"


def ctime_utc(seconds):
    moment = time.gmtime(seconds)
    return time.strftime("%a %b ", moment) + f"{moment.tm_mday:2d}" + time.strftime(" %H:%M:%S %Y", moment)


def with_time(data, epoch):
    texts = list(CREATED.finditer(data))
    if len(texts) != 1:
        raise ValueError(f"expected one widl creation text, found {len(texts)}")
    text = texts[0]
    written = calendar.timegm(time.strptime(text.group(2).decode("ascii"), "%a %b %d %H:%M:%S %Y"))
    number = VT_UI4 + struct.pack("<I", written)
    if data.count(number) != 1:
        raise ValueError(f"expected one creation time {written} as a VT_UI4 value, found {data.count(number)}")
    data = data[:text.start(2)] + ctime_utc(epoch).encode("ascii") + data[text.end(2):]
    return data.replace(number, VT_UI4 + struct.pack("<I", epoch))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    path, epoch = Path(sys.argv[1]), int(sys.argv[2])
    try:
        path.write_bytes(with_time(path.read_bytes(), epoch))
    except ValueError as error:
        sys.exit(f"{path}: {error}")


if __name__ == "__main__":
    main()

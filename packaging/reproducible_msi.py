#!/usr/bin/env python3
"""Runs wixl so that one commit always gives the same MSI, byte for byte.

Left to itself wixl stamps a package with the time it ran and a random PackageCode (the summary
information's revision number), and its cabinet with each file's modification time. So:
- the packaged files are copied into a staging folder with the source date as their time, and
  wixl runs with TZ=UTC, since a cabinet holds local DOS times;
- the summary's creation and last-saved times become the source date;
- the PackageCode is derived from the package itself: a name-based UUID (SHA-1, in the upgrade
  code's namespace) of the SHA-256 of the finished MSI with a zero PackageCode. Packages that
  differ in any byte (version, files, registry rows) get different codes, as Windows Installer
  requires, and the same package always gets the same one.

Usage: reproducible_msi.py --source-date EPOCH --namespace UPGRADE_CODE --stage DIR -- wixl ARGS...
Each -D NAME=FOLDER argument whose NAME is used as $(var.NAME)/path in a File Source of the .wxs
(the last argument) is redirected to the staged copy of that folder.
"""
import argparse
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import uuid
from pathlib import Path

# The summary information's revision number (VT_LPSTR of 39 bytes: "{GUID}" and a terminating
# zero), followed by the creation and last-saved times (VT_FILETIME each); wixl writes them in
# this order.
SUMMARY = re.compile(rb"\x1e\x00\x00\x00\x27\x00\x00\x00(\{[0-9A-F-]{36}\})\x00\x00"
                     rb"\x40\x00\x00\x00(.{8})\x40\x00\x00\x00(.{8})", re.S)
ZERO_CODE = b"{00000000-0000-0000-0000-000000000000}"
SOURCE = re.compile(r'Source="\$\(var\.(\w+)\)/([^"]+)"')


def filetime(epoch):
    """A FILETIME: 100 ns ticks since 1601."""
    return struct.pack("<Q", (epoch + 11644473600) * 10_000_000)


def staged_arguments(wixl, stage, epoch):
    """wixl's arguments with each packaged folder replaced by a staged copy whose files carry
    the source date."""
    sources = SOURCE.findall(Path(wixl[-1]).read_text(encoding="utf-8"))
    used = {name for name, _ in sources}
    shutil.rmtree(stage, ignore_errors=True)
    arguments = list(wixl)
    for index, argument in enumerate(arguments[:-1]):
        name, _, folder = arguments[index + 1].partition("=")
        if argument != "-D" or name not in used:
            continue
        for source_name, path in sources:
            if source_name == name:
                copy = stage / name / path
                copy.parent.mkdir(parents=True, exist_ok=True)
                shutil.copyfile(Path(folder) / path, copy)
                os.utime(copy, (epoch, epoch))
        # wixl takes only sources relative to where it runs.
        arguments[index + 1] = f"{name}={os.path.relpath(stage / name)}"
    return arguments


def with_identity(msi, epoch, namespace):
    summaries = list(SUMMARY.finditer(msi))
    if len(summaries) != 1:
        raise ValueError(f"expected one summary information block, found {len(summaries)}")
    summary = summaries[0]
    times = filetime(epoch)
    fixed = (msi[:summary.start(1)] + ZERO_CODE + msi[summary.end(1):summary.start(2)] + times
             + msi[summary.end(2):summary.start(3)] + times + msi[summary.end(3):])
    code = uuid.uuid5(namespace, hashlib.sha256(fixed).hexdigest())
    return fixed.replace(ZERO_CODE, f"{{{str(code).upper()}}}".encode("ascii"), 1), code


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source-date", type=int, required=True)
    parser.add_argument("--namespace", type=uuid.UUID, required=True)
    parser.add_argument("--stage", type=Path, required=True)
    parser.add_argument("wixl", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    wixl = options.wixl[1:] if options.wixl[:1] == ["--"] else options.wixl
    output = Path(wixl[wixl.index("-o") + 1])

    arguments = staged_arguments(wixl, options.stage, options.source_date)
    status = subprocess.run(arguments, env=dict(os.environ, TZ="UTC")).returncode
    if status != 0:
        return status
    try:
        msi, code = with_identity(output.read_bytes(), options.source_date, options.namespace)
    except ValueError as error:
        output.unlink()
        sys.exit(f"{output}: {error}")
    output.write_bytes(msi)
    print(f"{output.name}: PackageCode {{{str(code).upper()}}}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

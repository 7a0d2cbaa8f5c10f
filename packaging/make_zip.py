#!/usr/bin/env python3
"""Writes the release zip: the same inputs always give the same bytes.

Usage: make_zip.py OUTPUT.zip EXE DLL README

Every entry has the same fixed time, the same attributes and the same compression, in a fixed
order; the readme becomes UTF-8 with a byte-order mark and CR LF line ends, which Windows' own
editor shows correctly.
"""
import sys
import zipfile

# The release's date, fixed: a zip entry's time is part of its bytes.
ENTRY_TIME = (2026, 12, 1, 0, 0, 0)


def readme_for_windows(path):
    text = open(path, encoding="utf-8").read()
    text = text.replace("\r\n", "\n").replace("\n", "\r\n")
    return "\ufeff".encode("utf-8") + text.encode("utf-8")


def entry(name):
    info = zipfile.ZipInfo(name, date_time=ENTRY_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # made on MS-DOS / Windows: no Unix permissions in the entry
    info.external_attr = 0x20  # the archive attribute only
    return info


def main():
    output, exe, dll, readme = sys.argv[1:5]
    contents = [
        ("Quorvelle.exe", open(exe, "rb").read()),
        ("Quordll.dll", open(dll, "rb").read()),
        ("Readme.txt", readme_for_windows(readme)),
    ]
    with zipfile.ZipFile(output, "w") as archive:
        for name, data in contents:
            archive.writestr(entry(name), data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Time of velscan -j1 on files of many one-pixel pages, to show that reading a file's pages
is linear in their number: TIFF files of N one-pixel directories and GIF files of N one-pixel
frames, for N = 2500, 5000 and 10000 (the page limit), the median of RUNS runs each. Reading
is linear when twice the pages take at most 2.2 times as long.
Usage: page_time.py VELSCAN [RUNS]"""

import os
import statistics
import struct
import sys
import tempfile

from throughput import measure_once

PAGES = (2500, 5000, 10000)


def tiff_pages(count):
    """A little-endian TIFF of count directories, each an uncompressed 8-bit gray pixel."""
    entries = 9
    ifd_size = 2 + entries * 12 + 4
    data = bytearray(b"II*\x00" + struct.pack("<I", 8))
    for page in range(count):
        ifd_at = 8 + page * (ifd_size + 1)
        pixel_at = ifd_at + ifd_size
        next_at = pixel_at + 1 if page + 1 < count else 0
        ifd = struct.pack("<H", entries)
        for tag, kind, value in ((256, 4, 1), (257, 4, 1), (258, 3, 8), (259, 3, 1),
                                 (262, 3, 1), (273, 4, pixel_at), (277, 3, 1), (278, 4, 1),
                                 (279, 4, 1)):
            ifd += struct.pack("<HHII", tag, kind, 1, value)
        data += ifd + struct.pack("<I", next_at) + bytes([page % 256])
    return bytes(data)


def gif_frames(count):
    """A GIF of count frames of one pixel, each LZW-coded as clear code, pixel, end code."""
    data = bytearray(b"GIF89a" + struct.pack("<HHBBB", 1, 1, 0x80, 0, 0))
    data += b"\x00\x00\x00\xff\xff\xff"  # two colours
    frame = b"," + struct.pack("<HHHHB", 0, 0, 1, 1, 0) + b"\x02\x02\x44\x01\x00"
    data += frame * count
    return bytes(data + b";")


def median_seconds(velscan, path, runs):
    samples = [measure_once([velscan, "-j1", "--format", "json", path]) for _ in range(runs)]
    return (statistics.median(s[0] for s in samples), statistics.median(s[1] for s in samples))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    velscan = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    print("| kind | pages | file bytes | wall s | processor s | ms a page | x previous |")
    print("|---|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory() as folder:
        for kind, make in (("TIFF", tiff_pages), ("GIF", gif_frames)):
            previous = None
            for pages in PAGES:
                path = os.path.join(folder, f"pages-{pages}.{kind.lower()}")
                with open(path, "wb") as f:
                    f.write(make(pages))
                wall, processor = median_seconds(velscan, path, runs)
                ratio = f"{wall / previous:.2f}" if previous else "-"
                print(f"| {kind} | {pages} | {os.path.getsize(path)} | {wall:.2f} | "
                      f"{processor:.2f} | {wall / pages * 1000:.3f} | {ratio} |")
                previous = wall


if __name__ == "__main__":
    main()

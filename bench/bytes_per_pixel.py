#!/usr/bin/env python3
"""Peak memory per pixel of velscan -j1 on large pictures: for the largest JPEG, PNG and WebP
pictures of a folder, velscan's peak resident size (GNU time) less its peak on a tiny
picture, divided by the picture's pixels, at each effort.
Usage: bytes_per_pixel.py FOLDER VELSCAN TINY_PICTURE [PER_KIND]"""

import os
import struct
import sys

from throughput import measure_once

EFFORTS = ("fast", "normal", "thorough")


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", data[16:24])


def jpeg_size(data):
    if data[:2] != b"\xff\xd8":
        return None
    at = 2
    while at + 9 < len(data):
        if data[at] != 0xFF:
            return None
        marker = data[at + 1]
        length = struct.unpack(">H", data[at + 2:at + 4])[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            height, width = struct.unpack(">HH", data[at + 5:at + 9])
            return width, height
        at += 2 + length
    return None


def webp_size(data):
    if data[:4] != b"RIFF" or data[8:12] != b"WEBP":
        return None
    chunk = data[12:16]
    if chunk == b"VP8 ":
        width, height = struct.unpack("<HH", data[26:30])
        return width & 0x3FFF, height & 0x3FFF
    if chunk == b"VP8L":
        bits = int.from_bytes(data[21:25], "little")
        return (bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1
    if chunk == b"VP8X":
        return (int.from_bytes(data[24:27], "little") + 1,
                int.from_bytes(data[27:30], "little") + 1)
    return None


KINDS = {"JPEG": jpeg_size, "PNG": png_size, "WebP": webp_size}


def pictures_by_kind(folder):
    found = {kind: [] for kind in KINDS}
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            head = f.read(1 << 16)
        for kind, size in KINDS.items():
            dimensions = size(head)
            if dimensions:
                found[kind].append((dimensions[0] * dimensions[1], dimensions, path))
                break
    return {kind: sorted(items, reverse=True) for kind, items in found.items()}


def peak_kib(velscan, effort, picture):
    return measure_once([velscan, "-j1", "--effort", effort, "--format=raw", picture])[2]


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    folder, velscan, tiny = sys.argv[1:4]
    per_kind = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    base = {effort: peak_kib(velscan, effort, tiny) for effort in EFFORTS}
    print("Bytes a pixel at peak: velscan's peak resident size less its peak on a tiny "
          f"picture ({base['fast'] / 1024:.1f} MiB at fast), divided by the pixels.\n")
    print("| kind | picture | pixels | " + " | ".join(EFFORTS) + " |")
    print("|---|---|---|" + "---|" * len(EFFORTS))
    for kind, items in pictures_by_kind(folder).items():
        for pixels, (width, height), path in items[:per_kind]:
            ratios = [(peak_kib(velscan, e, path) - base[e]) * 1024 / pixels for e in EFFORTS]
            print(f"| {kind} | {os.path.basename(path)} | {width} x {height} | " +
                  " | ".join(f"{r:.2f}" for r in ratios) + " |")


if __name__ == "__main__":
    main()

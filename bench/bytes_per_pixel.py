#!/usr/bin/env python3
"""Peak memory per pixel and processor time of velscan at each effort on large pictures,
a build against another side by side in one run.

Pictures: a 48 megapixel JPEG photograph without barcodes (8000 x 6000, made with
ImageMagick from PHOTO, by default the largest JPEG of FOLDER, else from ImageMagick's
plasma fractal), a PDF page drawn from vector bars and one holding a scanned picture (A4 at
300 dpi, bench/pdf_pages.py's pages), and with FOLDER its PER_KIND largest JPEG, PNG and WebP
pictures. Each is read by velscan -j1 --no-isolation (a worker process is not waited for by
the run, so a whole-process figure would leave it out); peak is the resident size GNU time
reports, less the peak on a tiny picture of the same kind (a PDF page: the same page drawn at
10 dpi), divided by the pixels. Processor time is user + system, given as a ratio to fast.
Medians of RUNS runs, the builds taking turns.
Usage: bytes_per_pixel.py VELSCAN [BEFORE_VELSCAN] [--folder FOLDER] [--per-kind N]
                          [--photo PHOTO] [--runs RUNS]"""

import argparse
import os
import statistics
import struct
import subprocess
import sys
import tempfile

import pdf_pages
from throughput import measure_once

EFFORTS = ("fast", "normal", "thorough")
LARGE_WIDTH, LARGE_HEIGHT = 8000, 6000


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


KINDS = {"JPEG": (jpeg_size, "jpg"), "PNG": (png_size, "png"), "WebP": (webp_size, "webp")}


def pictures_by_kind(folder):
    found = {kind: [] for kind in KINDS}
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            head = f.read(1 << 16)
        for kind, (size, _) in KINDS.items():
            dimensions = size(head)
            if dimensions:
                found[kind].append((dimensions[0] * dimensions[1], dimensions, path))
                break
    return {kind: sorted(items, reverse=True) for kind, items in found.items()}


def convert(*arguments):
    subprocess.run(["convert", *arguments], check=True)


def large_photograph(folder, photo, scratch):
    """The 48 megapixel JPEG and what it was made from."""
    source = photo
    if source is None and folder:
        jpegs = pictures_by_kind(folder)["JPEG"]
        source = jpegs[0][2] if jpegs else None
    out = os.path.join(scratch, "large.jpg")
    if source:
        convert(source, "-resize", f"{LARGE_WIDTH}x{LARGE_HEIGHT}!", "-quality", "92", out)
    else:
        source = "ImageMagick's plasma:fractal"
        convert("-size", f"{LARGE_WIDTH}x{LARGE_HEIGHT}", "-seed", "22", "plasma:fractal",
                "-quality", "92", out)
    return out, source


def tiny_picture(extension, scratch):
    out = os.path.join(scratch, "tiny." + extension)
    if not os.path.exists(out):
        convert("-size", "16x16", "xc:gray80", out)
    return out


def pdf_page(kind, scratch):
    pdf_pages.PAGES = 1
    out = os.path.join(scratch, kind + ".pdf")
    with open(out, "wb") as f:
        f.write(pdf_pages.drawn_document() if kind == "drawn" else pdf_pages.scanned_document())
    return out


def cases(args, scratch):
    """(kind, name, pixels, picture command tail, tiny command tail) of each picture."""
    made = []
    photo, source = large_photograph(args.folder, args.photo, scratch)
    size = os.path.getsize(photo)
    made.append(("JPEG, 48 MP photograph", f"{os.path.basename(source)[:40]}, "
                 f"{size / 1e6:.1f} MB", LARGE_WIDTH * LARGE_HEIGHT, [photo],
                 [tiny_picture("jpg", scratch)]))
    for kind in ("drawn", "scanned"):
        page = pdf_page(kind, scratch)
        made.append((f"PDF page, {kind}", "A4, 300 dpi", pdf_pages.PAGE_PIXELS, [page],
                     ["--dpi", "10", page]))
    if args.folder:
        for kind, items in pictures_by_kind(args.folder).items():
            for pixels, (width, height), path in items[:args.per_kind]:
                made.append((kind, f"{os.path.basename(path)[:40]}, {width} x {height}", pixels,
                             [path], [tiny_picture(KINDS[kind][1], scratch)]))
    return made


def run(velscan, effort, tail):
    """(processor seconds, peak KiB) of one run."""
    _, processor, peak = measure_once(
        [velscan, "-j1", "--no-isolation", "--effort", effort, "--format=raw", *tail])
    return processor, peak


def medians(builds, effort, tail, runs):
    """Per build: the median processor seconds and peak KiB, the builds taking turns."""
    samples = {name: [] for name in builds}
    for _ in range(runs):
        for name, velscan in builds.items():
            samples[name].append(run(velscan, effort, tail))
    return {name: (statistics.median(s[0] for s in got), statistics.median(s[1] for s in got))
            for name, got in samples.items()}


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("velscan")
    parser.add_argument("before", nargs="?")
    parser.add_argument("--folder")
    parser.add_argument("--per-kind", type=int, default=1)
    parser.add_argument("--photo")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    builds = {"after": args.velscan}
    if args.before:
        builds["before"] = args.before
    with tempfile.TemporaryDirectory() as scratch:
        print(f"velscan -j1 --no-isolation, median of {args.runs} runs; B/px: peak less the "
              "tiny picture's, over the pixels; CPU: processor time over fast's\n")
        names = list(builds)
        print("| kind | picture | effort | " +
              " | ".join(f"B/px {n}" for n in names) +
              (" | B/px after / before | " if args.before else " | ") +
              " | ".join(f"CPU x fast {n}" for n in names) + " |")
        print("|---|---|---|" + "---|" * (2 * len(names) + (1 if args.before else 0)))
        for kind, name, pixels, tail, tiny_tail in cases(args, scratch):
            fast_cpu = {}
            for effort in EFFORTS:
                base = medians(builds, effort, tiny_tail, 1)
                figures = medians(builds, effort, tail, args.runs)
                per_pixel = {n: (figures[n][1] - base[n][1]) * 1024 / pixels for n in names}
                if effort == "fast":
                    fast_cpu = {n: figures[n][0] or 1 for n in names}
                cells = [f"{per_pixel[n]:.2f}" for n in names]
                if args.before:
                    cells.append(f"{per_pixel['after'] / per_pixel['before']:.2f}")
                cells += [f"{figures[n][0] / fast_cpu[n]:.2f}" for n in names]
                print(f"| {kind} | {name} | {effort} | " + " | ".join(cells) + " |")
                sys.stdout.flush()


if __name__ == "__main__":
    main()

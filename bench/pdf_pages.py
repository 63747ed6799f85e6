#!/usr/bin/env python3
"""Whole-process processor time and peak memory of reading a 40-page A4 PDF at 300 dpi:
velscan -j1 --no-isolation against its peer pair, pdftoppm -gray -r 300 writing the pages and zbarimg
reading them (their times added, the larger peak), side by side in one run, and the
barcodes each finds. Two documents: scanned pages (one gray picture a page) and drawn pages
(bars as filled rectangles, with a line of text). A second table reads the same pages through
the pair with and without poppler's antialiasing, to tell whether it helps reading. A third
gives the wall time of velscan -j2 against -j1 (worker processes, as by default) on each
document, the runs taking turns, for each velscan given: the pages shared by two workers. Peak
memory is also given as bytes a pixel of one page (2480 x 3508).
Usage: pdf_pages.py VELSCAN [BEFORE_VELSCAN] [RUNS]"""

import glob
import os
import re
import statistics
import subprocess
import sys
import tempfile
import zlib

from throughput import interleaved_medians, measure_once

PAGES = int(os.environ.get("PDF_PAGES", "40"))
WIDTH_PT, HEIGHT_PT = 595, 842  # A4
DPI = 300
PAGE_WIDTH, PAGE_HEIGHT = 2480, 3508  # pixels at 300 dpi
PAGE_PIXELS = PAGE_WIDTH * PAGE_HEIGHT
# In one process: a worker velscan forks is not waited for by the run, so the whole-process
# figures would leave out its time.
VELSCAN_OPTIONS = ("-j1", "--no-isolation")
SYMBOLS = (("20", "BENCH-{page:02d}-CODE128"), ("13", "978020137{page:03d}"),
           ("58", "page {page} of the bench document"))


def modules(symbology, text):
    """Rows of dark (True) and light modules of a symbol, from zint's dump."""
    dump = subprocess.run(["zint", "-b", symbology, "-d", text, "--dump"], check=True,
                          capture_output=True, text=True).stdout
    rows = []
    for line in dump.splitlines():
        digits = line.replace(" ", "")
        rows.append([bit == "1" for bit in bin(int(digits, 16))[2:].zfill(len(digits) * 4)])
    return rows


def symbol_placements(page):
    """(rows, left, top, module points, bar height points) of each symbol on a page."""
    placed = []
    top = 90
    for symbology, text in SYMBOLS:
        rows = modules(symbology, text.format(page=page + 1))
        linear = len(rows) == 1
        module = 1.2 if linear else 3.0
        placed.append((rows, 70 + (page % 5) * 8, top, module, 60 if linear else module))
        top += 220
    return placed


def pdf_file(page_contents, extra_objects):
    """A PDF of the pages' content streams; extra_objects[i] is (name, dictionary, stream
    bytes) resources of page i or None."""
    objects = [b"<< /Type /Catalog /Pages 2 0 R >>", None,
               b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"]
    kids = []
    for content, extra in zip(page_contents, extra_objects):
        resources = b"/Font << /F1 3 0 R >>"
        if extra:
            name, dictionary, stream = extra
            objects.append(dictionary + b" /Length %d >>\nstream\n" % len(stream) + stream +
                           b"\nendstream")
            resources += b" /XObject << /%s %d 0 R >>" % (name, len(objects))
        data = zlib.compress(content)
        objects.append(b"<< /Filter /FlateDecode /Length %d >>\nstream\n" % len(data) + data +
                       b"\nendstream")
        objects.append(b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 %d %d] /Resources << %s >>"
                       b" /Contents %d 0 R >>" % (WIDTH_PT, HEIGHT_PT, resources, len(objects)))
        kids.append(len(objects))
    objects[1] = (b"<< /Type /Pages /Count %d /Kids [" % len(kids) +
                  b" ".join(b"%d 0 R" % k for k in kids) + b"] >>")
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1,
                                                                           xref)
    return bytes(out)


def drawn_document():
    """Pages whose bars are filled rectangles, with a line of text."""
    contents = []
    for page in range(PAGES):
        ops = [b"BT /F1 12 Tf 70 800 Td (Bench page %d: drawn bars) Tj ET" % (page + 1)]
        for rows, left, top, module, height in symbol_placements(page):
            for r, row in enumerate(rows):
                y = HEIGHT_PT - top - (r + 1) * height
                for x, dark in enumerate(row):
                    if dark:
                        ops.append(b"%.2f %.2f %.2f %.2f re" % (left + x * module, y, module,
                                                                height))
            ops.append(b"f")
        contents.append(b"\n".join(ops))
    return pdf_file(contents, [None] * PAGES)


def scanned_document():
    """Pages of one 300-dpi gray picture each: paper of level 235, ink of level 40."""
    width, height = PAGE_WIDTH, PAGE_HEIGHT
    scale = DPI / 72
    contents, images = [], []
    for page in range(PAGES):
        picture = [bytearray([235]) * width for _ in range(height)]
        for rows, left, top, module, bar_height in symbol_placements(page):
            for r, row in enumerate(rows):
                y0 = int((top + r * bar_height) * scale)
                y1 = int((top + (r + 1) * bar_height) * scale)
                for x, dark in enumerate(row):
                    if dark:
                        x0 = int((left + x * module) * scale)
                        x1 = int((left + (x + 1) * module) * scale)
                        for y in range(y0, y1):
                            picture[y][x0:x1] = bytes([40]) * (x1 - x0)
        data = zlib.compress(b"".join(picture))
        images.append((b"Im1", b"<< /Type /XObject /Subtype /Image /Width %d /Height %d "
                       b"/ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode"
                       % (width, height), data))
        contents.append(b"q %d 0 0 %d 0 0 cm /Im1 Do Q" % (WIDTH_PT, HEIGHT_PT))
    return pdf_file(contents, images)


def velscan_found(velscan, pdf):
    out = subprocess.run([velscan, *VELSCAN_OPTIONS, pdf], capture_output=True, text=True).stdout
    return len([line for line in out.splitlines() if line.strip()])


def pair_found(folder):
    out = subprocess.run(["zbarimg", "-q", *sorted(glob.glob(os.path.join(folder, "*.pgm")))],
                         capture_output=True, text=True).stdout
    return len(out.splitlines())


def pair_figures(pdf, folder, runs, antialias=True):
    """Medians of (processor seconds, peak KiB) of pdftoppm + zbarimg, and what they found."""
    aa = "yes" if antialias else "no"
    render = ["pdftoppm", "-gray", "-r", str(DPI), "-aa", aa, "-aaVector", aa, pdf,
              os.path.join(folder, "page")]
    samples = []
    for _ in range(runs):
        for old in glob.glob(os.path.join(folder, "*.pgm")):
            os.remove(old)
        _, render_cpu, render_peak = measure_once(render)
        _, read_cpu, read_peak = measure_once(
            ["zbarimg", "-q", *sorted(glob.glob(os.path.join(folder, "*.pgm")))])
        samples.append((render_cpu + read_cpu, max(render_peak, read_peak)))
    found = pair_found(folder)
    return (statistics.median(s[0] for s in samples), statistics.median(s[1] for s in samples),
            found)


def velscan_figures(velscan, pdf, runs):
    samples = [measure_once([velscan, *VELSCAN_OPTIONS, pdf]) for _ in range(runs)]
    return (statistics.median(s[1] for s in samples), statistics.median(s[2] for s in samples),
            velscan_found(velscan, pdf))


def jobs_table(readers, pdfs, runs):
    """Median wall seconds of -j1 and -j2 on each document, and their ratio."""
    print("| document | reader | -j1 wall s | -j2 wall s | -j2 / -j1 |")
    print("|---|---|---|---|---|")
    for name, pdf in pdfs.items():
        commands = {}
        for reader, binary in readers.items():
            for jobs in ("-j1", "-j2"):
                commands[(reader, jobs)] = [binary, jobs, pdf]
        medians = interleaved_medians(commands, runs)
        for reader in readers:
            one, two = medians[(reader, "-j1")][0], medians[(reader, "-j2")][0]
            print(f"| {name} | {reader} | {one:.2f} | {two:.2f} | {two / one:.2f} |")


def bytes_a_pixel(kib):
    return kib * 1024 / PAGE_PIXELS


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    velscan = sys.argv[1]
    before = sys.argv[2] if len(sys.argv) > 2 and not sys.argv[2].isdigit() else None
    runs = int(sys.argv[-1]) if sys.argv[-1].isdigit() else 3
    with tempfile.TemporaryDirectory() as folder:
        documents = {"scanned": scanned_document(), "drawn": drawn_document()}
        print("| document | reader | processor s | x pair | peak MiB | B/px | found |")
        print("|---|---|---|---|---|---|---|")
        for name, data in documents.items():
            pdf = os.path.join(folder, name + ".pdf")
            with open(pdf, "wb") as f:
                f.write(data)
            pages = os.path.join(folder, name)
            os.mkdir(pages)
            readers = {"velscan": velscan, "velscan before": before}
            # Interleaved: each round runs every reader once.
            figures = {r: [] for r in ("pair", *[k for k, v in readers.items() if v])}
            for _ in range(runs):
                figures["pair"].append(pair_figures(pdf, pages, 1))
                for reader, binary in readers.items():
                    if binary:
                        figures[reader].append(velscan_figures(binary, pdf, 1))
            medians = {r: [statistics.median(s[k] for s in v) for k in range(3)]
                       for r, v in figures.items()}
            pair_cpu = medians["pair"][0]
            for reader, (cpu, peak, found) in medians.items():
                print(f"| {name} | {reader} | {cpu:.2f} | {cpu / pair_cpu:.2f} | "
                      f"{peak / 1024:.0f} | {bytes_a_pixel(peak):.2f} | {found:.0f} |")
        print()
        print("| document | antialiasing | pair processor s | found |")
        print("|---|---|---|---|")
        for name in documents:
            pdf = os.path.join(folder, name + ".pdf")
            for antialias in (True, False):
                cpu, _, found = pair_figures(pdf, os.path.join(folder, name), runs, antialias)
                print(f"| {name} | {'on' if antialias else 'off'} | {cpu:.2f} | {found} |")
        print()
        readers = {"velscan": velscan, "velscan before": before}
        jobs_table({k: v for k, v in readers.items() if v},
                   {name: os.path.join(folder, name + ".pdf") for name in documents}, runs)


if __name__ == "__main__":
    main()

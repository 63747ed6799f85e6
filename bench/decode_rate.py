#!/usr/bin/env python3
"""Decode rate of velscan and of ZBar's own zbarimg over the corpus, set by set.

found: pictures whose expected text (N.txt) is among the data decoded from them.
false positives: barcodes reported in the falsepositives-* sets.
Usage: decode_rate.py CORPUS VELSCAN [velscan options...]"""

import base64
import json
import subprocess
import sys

import corpus as corpus_files


def velscan_results(velscan, options, pictures):
    """Per picture: the list of decoded data (bytes), from one velscan run over all files."""
    run = subprocess.run([velscan, "--format=json", *options, "-"],
                         input="\n".join(pictures).encode(), capture_output=True, check=False)
    results = {}
    for line in run.stdout.decode().splitlines():
        entry = json.loads(line)
        datas = []
        for barcode in entry.get("barcodes", []):
            data = barcode["data"]
            datas.append(base64.b64decode(data) if barcode["encoding"] == "base64"
                         else data.encode())
        results[entry["path"]] = (datas, entry.get("error"))
    if sorted(results) != sorted(pictures):
        sys.exit("decode_rate: velscan did not report every picture once")
    return results


def zbarimg_output(picture):
    """zbarimg's raw output for one picture: each symbol's data followed by a line feed.
    One process per picture, because zbarimg stops at the first picture it cannot read."""
    run = subprocess.run(["zbarimg", "--quiet", "--raw", "--nodbus", picture],
                         capture_output=True, check=False)
    return run.stdout


def zbarimg_symbol_count(picture):
    """The number of symbols zbarimg reports for one picture, from its XML output (its raw
    output cannot tell, as data may hold line feeds)."""
    run = subprocess.run(["zbarimg", "--quiet", "--xml", "--nodbus", picture],
                         capture_output=True, check=False)
    return run.stdout.count(b"<symbol ")


def zbarimg_found(output, expected):
    # Data may hold line feeds, so the expected text counts when it stands between two
    # symbol boundaries: more lenient to zbarimg than the exact comparison used for velscan.
    return (b"\n" + expected + b"\n") in (b"\n" + output)


def measure(corpus, velscan, options):
    pictures = corpus_files.all_pictures(corpus)
    vel = velscan_results(velscan, options, pictures)
    rows = []
    for set_name in corpus_files.sets(corpus):
        row = {"set": set_name, "pictures": 0, "expected": 0, "velscan": 0, "zbarimg": 0,
               "velscan_fp": 0, "zbarimg_fp": 0, "velscan_errors": 0, "velscan_symbols": 0,
               "zbarimg_symbols": 0}
        for picture in corpus_files.pictures(corpus, set_name):
            datas, error = vel[picture]
            output = zbarimg_output(picture)
            zbarimg_symbols = zbarimg_symbol_count(picture)
            expected = corpus_files.expected_text(picture)
            row["pictures"] += 1
            row["velscan_errors"] += error is not None
            row["velscan_symbols"] += len(datas)
            row["zbarimg_symbols"] += zbarimg_symbols
            if expected is not None:
                row["expected"] += 1
                row["velscan"] += expected in datas
                row["zbarimg"] += zbarimg_found(output, expected)
            if corpus_files.is_false_positive_set(set_name):
                row["velscan_fp"] += len(datas)
                row["zbarimg_fp"] += zbarimg_symbols
        rows.append(row)
    return rows


def print_table(rows):
    header = ("set", "pictures", "with text", "velscan", "zbarimg", "FP velscan", "FP zbarimg",
              "unread")
    print("| " + " | ".join(header) + " |")
    print("|" + "---|" * len(header))
    total = {k: sum(r[k] for r in rows) for k in rows[0] if k != "set"}
    for row in rows + [dict(total, set="**total**")]:
        print(f"| {row['set']} | {row['pictures']} | {row['expected']} | {row['velscan']} | "
              f"{row['zbarimg']} | {row['velscan_fp']} | {row['zbarimg_fp']} | "
              f"{row['velscan_errors']} |")
    print()
    print(f"found: velscan {total['velscan']} / zbarimg {total['zbarimg']} of "
          f"{total['expected']} pictures with an expected text; false positives: velscan "
          f"{total['velscan_fp']}, zbarimg {total['zbarimg_fp']}; symbols reported in all: "
          f"velscan {total['velscan_symbols']}, zbarimg {total['zbarimg_symbols']}")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    print_table(measure(sys.argv[1], sys.argv[2], sys.argv[3:]))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Two builds of velscan side by side at each effort, in one run: found pictures of the
corpus (all, tuning half, checking half; counted as bench/effort_rate.py counts them), false
positives (the corpus's falsepositives sets and the negative set), misreads, and whether
fast's JSON output over the corpus is the same byte for byte. No processor time: velscan's
worker processes are not waited for by the run, so its children's time leaves them out
(bench/bytes_per_pixel.py times large pictures in one process).
Usage: effort_compare.py CORPUS VELSCAN BEFORE_VELSCAN [NEGATIVE_DIR [JOBS]]"""

import subprocess
import sys

import corpus as corpus_files
import effort_rate


def fast_output(velscan, pictures):
    return subprocess.run([velscan, "--format=json", f"-j{effort_rate.JOBS}", "--effort", "fast",
                           "-"], input="\n".join(pictures).encode(), capture_output=True,
                          check=False).stdout


def percent(half):
    found, count = half
    return f"{found} of {count} ({100 * found / count:.1f}%)"


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    corpus, after, before = sys.argv[1:4]
    negatives = effort_rate.negative_pictures(sys.argv[4] if len(sys.argv) > 4 else None)
    effort_rate.JOBS = int(sys.argv[5]) if len(sys.argv) > 5 else 2
    builds = {"after": after, "before": before}
    rows = {name: effort_rate.measure(corpus, velscan, negatives)
            for name, velscan in builds.items()}
    pictures = corpus_files.all_pictures(corpus)
    same = fast_output(after, pictures) == fast_output(before, pictures)
    print(f"{len(pictures)} corpus pictures, {len(negatives)} negative pictures, velscan "
          f"-j{effort_rate.JOBS}; fast's JSON output the same byte for byte: "
          f"{'yes' if same else 'NO'}\n")
    print("| effort | build | found | tuning half | checking half | false positives | misreads |")
    print("|---|---|---|---|---|---|---|")
    for index, effort in enumerate(effort_rate.EFFORTS):
        for name in builds:
            row = rows[name][index]
            print(f"| {effort} | {name} | {row['found']} of {row['labelled']} | "
                  f"{percent(row['halves']['tuning'])} | {percent(row['halves']['checking'])} | "
                  f"{row['fp']} | {len(row['misreads'])} |")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Decode rate of velscan at each effort over the corpus and a negative set.

found: labelled pictures whose expected text (N.txt) is among the decoded data.
misreads: symbols on labelled pictures that are neither the label nor, for a label with an
add-on, its main code or its add-on alone.
false positives: symbols on the corpus's falsepositives-* sets and on the negative pictures.
cpu: velscan's user + system time over all pictures, relative to fast.
Usage: effort_rate.py CORPUS VELSCAN [NEGATIVE_DIR]"""

import base64
import json
import os
import resource
import subprocess
import sys

import corpus as corpus_files

EFFORTS = ("fast", "normal", "thorough")


def negative_pictures(folder):
    if not folder or not os.path.isdir(folder):
        return []
    return sorted(os.path.join(folder, f) for f in os.listdir(folder)
                  if f.lower().endswith(corpus_files.PICTURE_EXTENSIONS))


def run_velscan(velscan, effort, pictures):
    """Per picture: the decoded data (bytes); and the run's processor seconds."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    run = subprocess.run([velscan, "--format=json", "-j1", "--effort", effort, "-"],
                         input="\n".join(pictures).encode(), capture_output=True, check=False)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    results = {}
    for line in run.stdout.decode().splitlines():
        entry = json.loads(line)
        results[entry["path"]] = [
            base64.b64decode(b["data"]) if b["encoding"] == "base64" else b["data"].encode()
            for b in entry.get("barcodes", [])]
    if sorted(results) != sorted(pictures):
        sys.exit("effort_rate: velscan did not report every picture once")
    return results, cpu


def is_misread(data, label):
    if data == label:
        return False
    for addon in (2, 5):  # a main code or an add-on read alone is no misread
        if len(label) > addon and data in (label[:-addon], label[-addon:]):
            return False
    return True


def measure(corpus, velscan, negatives):
    labelled = corpus_files.all_pictures(corpus)
    pictures = labelled + negatives
    rows = []
    for effort in EFFORTS:
        results, cpu = run_velscan(velscan, effort, pictures)
        row = {"effort": effort, "found": 0, "labelled": 0, "misreads": 0, "fp": 0, "cpu": cpu}
        for picture in labelled:
            label = corpus_files.expected_text(picture)
            set_name = os.path.basename(os.path.dirname(picture))
            if corpus_files.is_false_positive_set(set_name):
                row["fp"] += len(results[picture])
            elif label is not None:
                row["labelled"] += 1
                row["found"] += label in results[picture]
                row["misreads"] += sum(is_misread(d, label) for d in results[picture])
        row["fp"] += sum(len(results[p]) for p in negatives)
        rows.append(row)
    return rows


def main():
    corpus, velscan = sys.argv[1], sys.argv[2]
    negatives = negative_pictures(sys.argv[3] if len(sys.argv) > 3 else None)
    rows = measure(corpus, velscan, negatives)
    fast_cpu = rows[0]["cpu"] or 1
    print(f"Negative set: {len(negatives)} pictures, plus the corpus's falsepositives sets.\n")
    print("| effort | found | false positives | misreads | CPU vs fast |")
    print("|---|---|---|---|---|")
    for r in rows:
        print(f"| {r['effort']} | {r['found']} of {r['labelled']} | {r['fp']} | {r['misreads']} "
              f"| {r['cpu'] / fast_cpu:.2f} |")


if __name__ == "__main__":
    main()

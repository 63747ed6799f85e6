#!/usr/bin/env python3
"""Per pass of the reader, from reader_passes' JSON lines over the corpus: the labelled
pictures it reads, those of them ZBar's own pass misses, its wrong readings (other than the
readings effort_rate.py audits) and its processor time over all pictures.
Usage: build/bin/reader_passes < LIST | bench/pass_gains.py, LIST holding the paths of the
corpus pictures, one a line."""

import json
import os
import sys
from collections import defaultdict

import corpus as corpus_files
from effort_rate import KNOWN_ZBAR_FAULTS, RIGHT_BUT_UNLABELLED, audited


def main():
    reads, misses, wrong, cpu, order = defaultdict(set), defaultdict(set), defaultdict(int), \
        defaultdict(float), []
    for line in sys.stdin:
        entry = json.loads(line)
        path, name = entry["path"], entry["pass"]
        if name not in order:
            order.append(name)
        cpu[name] += entry["cpu"]
        label = corpus_files.expected_text(path)
        picture = "/".join(path.split("/")[-2:])  # the name in the corpus: set/file
        if label is None or corpus_files.is_false_positive_set(
                os.path.basename(os.path.dirname(path))):
            continue
        for symbol in entry["symbols"]:
            data = bytes.fromhex(symbol["data"])
            if data == label:
                reads[name].add(path)
            elif not (label.startswith(data) or audited(RIGHT_BUT_UNLABELLED, picture, data)
                      or audited(KNOWN_ZBAR_FAULTS, picture, data)):
                wrong[name] += 1
    default = reads["default"]
    print("| pass | reads | of which the default pass misses | wrong readings | CPU (s) |")
    print("|---|---|---|---|---|")
    for name in order:
        print(f"| {name} | {len(reads[name])} | {len(reads[name] - default)} | {wrong[name]} "
              f"| {cpu[name]:.2f} |")


if __name__ == "__main__":
    main()

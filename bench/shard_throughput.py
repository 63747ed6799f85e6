#!/usr/bin/env python3
"""Throughput at scale and the cost of sharding: the corpus's pictures linked under COUNT
distinct names in one folder, scanned by velscan -j1, by velscan on all cores, and as one
shard per core run through GNU parallel, each shard -j1. Runs are interleaved and medians
compared (throughput.py's helpers); output discarded. Needs GNU parallel and GNU time.
Usage: shard_throughput.py CORPUS VELSCAN [COUNT [RUNS]]"""

import os
import shlex
import sys
import tempfile

import corpus as corpus_files
from throughput import interleaved_medians


def linked_folder(pictures, count, folder):
    """COUNT symbolic links in folder to the pictures, taken in turn, each of its own name."""
    for i in range(count):
        source = pictures[i % len(pictures)]
        os.symlink(source, os.path.join(folder, f"{i:05d}-{os.path.basename(source)}"))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    corpus, velscan = sys.argv[1], os.path.realpath(sys.argv[2])
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 5000
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    cores = os.cpu_count()
    with tempfile.TemporaryDirectory() as folder:
        linked_folder(corpus_files.all_pictures(corpus), count, folder)
        shard = (f"{shlex.quote(velscan)} -j1 --format=json --shard {{}}/{cores} "
                 f"{shlex.quote(folder)} > /dev/null")
        commands = {
            "velscan -j1": (1, [velscan, "-j1", "--format=json", folder]),
            f"velscan -j{cores} (all cores)": (cores, [velscan, "--format=json", folder]),
            f"{cores} shards -j1 through parallel": (
                cores, ["parallel", shard, ":::", *map(str, range(1, cores + 1))]),
        }
        load_before = os.getloadavg()
        medians = interleaved_medians({name: c for name, (_, c) in commands.items()}, runs)
        load_after = os.getloadavg()
    print(f"{count} pictures ({len(corpus_files.all_pictures(corpus))} corpus pictures "
          f"linked in turn), {cores} cores, median of {runs} interleaved runs; load average "
          f"(1 min) {load_before[0]:.1f} before, {load_after[0]:.1f} after\n")
    print("| command | cores | wall time (s) | processor time (s) | pictures/s | "
          "pictures/s per core |")
    print("|---|---|---|---|---|---|")
    for name, (used, _) in commands.items():
        wall, processor, _ = medians[name]
        print(f"| {name} | {used} | {wall:.2f} | {processor:.2f} | {count / wall:.1f} | "
              f"{count / wall / used:.1f} |")
    one_process = medians[f"velscan -j{cores} (all cores)"]
    sharded = medians[f"{cores} shards -j1 through parallel"]
    print(f"\nsharding cost against one process on the same cores: "
          f"{100 * (sharded[0] - one_process[0]) / one_process[0]:+.1f}% wall time, "
          f"{100 * (sharded[1] - one_process[1]) / one_process[1]:+.1f}% processor time")


if __name__ == "__main__":
    main()

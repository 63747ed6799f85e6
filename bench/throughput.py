#!/usr/bin/env python3
"""Whole-process wall time and peak memory over all corpus pictures, in one process each:
velscan -j1, velscan on all cores and zbarimg. GNU time (/usr/bin/time -v) measures; each
command runs several times, interleaved, and the medians are compared.
Usage: throughput.py CORPUS VELSCAN [RUNS]"""

import os
import re
import statistics
import subprocess
import sys
import tempfile

import corpus as corpus_files


def measure_once(command):
    """(wall seconds, processor seconds, peak resident kilobytes) of one run, output
    discarded."""
    with tempfile.NamedTemporaryFile("r") as report:
        subprocess.run(["/usr/bin/time", "-v", "-o", report.name, *command],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        text = report.read()
    wall = re.search(r"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (\S+)", text).group(1)
    seconds = 0.0
    for part in wall.split(":"):
        seconds = seconds * 60 + float(part)
    processor = sum(float(re.search(rf"{kind} time \(seconds\): (\S+)", text).group(1))
                    for kind in ("User", "System"))
    peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", text).group(1))
    return seconds, processor, peak


def interleaved_medians(commands, runs, measure=measure_once):
    """Per command name: the medians of each figure measure gives (measure_once's three by
    default) over RUNS runs, the commands taking turns so that a change in the machine's load
    touches them alike; one run of each first warms the page cache."""
    for command in commands.values():
        measure(command)
    samples = {name: [] for name in commands}
    for _ in range(runs):
        for name, command in commands.items():
            samples[name].append(measure(command))
    return {name: [statistics.median(run[k] for run in runs_) for k in range(len(runs_[0]))]
            for name, runs_ in samples.items()}


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    corpus, velscan = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    pictures = corpus_files.all_pictures(corpus)
    cores = os.cpu_count()
    commands = {
        "velscan -j1": [velscan, "-j1", "--format=raw", *pictures],
        f"velscan (all {cores} cores)": [velscan, "--format=raw", *pictures],
        "zbarimg": ["zbarimg", "--quiet", "--raw", "--nodbus", *pictures],
    }
    medians = interleaved_medians(commands, runs)
    base_wall, base_processor, base_memory = medians["zbarimg"]
    print(f"{len(pictures)} pictures, median of {runs} runs each; speed is zbarimg's time "
          f"divided by the command's, memory the command's peak divided by zbarimg's\n")
    print("| command | wall time (s) | speed | processor time (s) | processor speed | "
          "peak memory (MiB) | memory |")
    print("|---|---|---|---|---|---|---|")
    for name, (wall, processor, peak) in medians.items():
        print(f"| {name} | {wall:.2f} | {base_wall / wall:.2f}x | {processor:.2f} | "
              f"{base_processor / processor:.2f}x | {peak / 1024:.1f} | "
              f"{peak / base_memory:.2f}x |")


if __name__ == "__main__":
    main()

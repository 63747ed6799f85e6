#!/usr/bin/env python3
"""The cost of velscan's worker processes over threads in its own process: wall and
processor time of `velscan -r --format json CORPUS` with and without --no-isolation, at -j1
and on all cores, runs interleaved, median of RUNS each. Checks first that both give the
same output, byte for byte.
Usage: isolation_cost.py CORPUS VELSCAN [RUNS]"""

import os
import subprocess
import sys

from throughput import interleaved_medians


def output(command):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          check=False).stdout


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    corpus, velscan = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    cores = os.cpu_count()
    scan = [velscan, "-r", "--format=json", corpus]
    for jobs in ("-j1", f"-j{cores}"):
        isolated = output([*scan, jobs])
        threads = output([*scan, jobs, "--no-isolation"])
        same = "the same" if isolated == threads else "DIFFERENT"
        print(f"{jobs}: output {same} with and without isolation "
              f"({len(isolated.splitlines())} pictures)")
    commands = {}
    for jobs in ("-j1", f"-j{cores}"):
        commands[f"velscan {jobs}"] = [*scan, jobs]
        commands[f"velscan {jobs} --no-isolation"] = [*scan, jobs, "--no-isolation"]
    medians = interleaved_medians(commands, runs)
    print(f"\nmedian of {runs} runs; cost: the isolated run's time over the in-process one's\n")
    print("| command | wall time (s) | cost | processor time (s) | cost | peak memory (MiB) |")
    print("|---|---|---|---|---|---|")
    for name, (wall, processor, peak) in medians.items():
        base = medians[name.removesuffix(" --no-isolation") + " --no-isolation"]
        print(f"| {name} | {wall:.3f} | {100 * (wall / base[0] - 1):+.1f}% | {processor:.3f} | "
              f"{100 * (processor / base[1] - 1):+.1f}% | {peak / 1024:.1f} |")


if __name__ == "__main__":
    main()

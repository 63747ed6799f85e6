#!/usr/bin/env python3
"""What velscan's worker processes cost where users wait for them, before and after a change,
side by side in one run: one small picture (wall time) with worker processes, with
--no-isolation and with zbarimg, and the whole corpus at -j2 (wall and processor time) with
worker processes and with --no-isolation, at the default effort and at fast. BEFORE and AFTER are two velscan programs (an
earlier build and this one); the commands take turns, so that a change in the machine's load
touches them alike, and each figure is the median of its runs. Checks first that BEFORE and
AFTER give the same output, byte for byte, in each mode.
Usage: startup.py CORPUS BEFORE AFTER [PICTURE [PICTURE_RUNS [CORPUS_RUNS]]]
PICTURE defaults to examples/samples/ean13.png, PICTURE_RUNS to 21, CORPUS_RUNS to 5."""

import ctypes
import os
import subprocess
import sys
import time

import throughput

PR_SET_CHILD_SUBREAPER = 36
HERE = os.path.dirname(os.path.abspath(__file__))


def adopt_orphans():
    """Makes this process the reaper of its descendants' orphans, so that the processor time
    of a worker its run left to end by itself is counted too."""
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        sys.exit(f"prctl: {os.strerror(ctypes.get_errno())}")


def measure_once(command):
    """(wall seconds, processor seconds) of one run, output discarded. The wall time ends when
    the command does; the processor time counts every process it started, the ones it did
    not wait for too."""
    start = time.monotonic()
    child = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.monotonic() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    return wall, usage.ru_utime + usage.ru_stime + reap_orphans()


def reap_orphans():
    """Waits for the orphans adopted; their processor seconds."""
    processor = 0.0
    while True:
        try:
            _, _, usage = os.wait4(-1, 0)
        except ChildProcessError:
            return processor
        processor += usage.ru_utime + usage.ru_stime


def output(command):
    result = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, check=False).stdout
    reap_orphans()
    return result


def check_same(before, after, arguments):
    for mode in ([], ["--no-isolation"]):
        same = output([before, *mode, *arguments]) == output([after, *mode, *arguments])
        print(f"output of {' '.join(['velscan', *mode, *arguments])}: "
              f"{'the same' if same else 'DIFFERENT'} before and after")


def ratio(medians, name, base, figure):
    return medians[name][figure] / medians[base][figure]


def picture_table(before, after, picture, runs):
    commands = {}
    for label, velscan in (("before", before), ("after", after)):
        commands[f"{label}: velscan"] = [velscan, picture]
        commands[f"{label}: velscan --no-isolation"] = [velscan, "--no-isolation", picture]
    commands["zbarimg"] = ["zbarimg", "--quiet", "--raw", "--nodbus", picture]
    medians = throughput.interleaved_medians(commands, runs, measure_once)
    print(f"\nOne picture ({picture}), median of {runs} runs\n")
    print("| command | wall (ms) | processor (ms) | wall / --no-isolation | wall / zbarimg |")
    print("|---|---|---|---|---|")
    for name, (wall, processor) in medians.items():
        own = name.split(" --")[0] + " --no-isolation" if name != "zbarimg" else name
        print(f"| {name} | {1000 * wall:.1f} | {1000 * processor:.1f} | "
              f"{ratio(medians, name, own, 0):.2f}x | {ratio(medians, name, 'zbarimg', 0):.2f}x |")


def corpus_table(before, after, corpus, effort, runs):
    commands = {}
    for label, velscan in (("before", before), ("after", after)):
        scan = [velscan, "-j2", "-r", "--format=json", *effort, corpus]
        commands[f"{label}: velscan -j2"] = scan
        commands[f"{label}: velscan -j2 --no-isolation"] = [*scan, "--no-isolation"]
    medians = throughput.interleaved_medians(commands, runs, measure_once)
    print(f"\nThe corpus ({corpus}) at -j2 {' '.join(effort) or '(default effort)'}, "
          f"median of {runs} runs\n")
    print("| command | wall (s) | processor (s) | wall / --no-isolation | "
          "processor / --no-isolation |")
    print("|---|---|---|---|---|")
    for name, (wall, processor) in medians.items():
        own = name.removesuffix(" --no-isolation") + " --no-isolation"
        print(f"| {name} | {wall:.3f} | {processor:.3f} | {ratio(medians, name, own, 0):.3f}x | "
              f"{ratio(medians, name, own, 1):.3f}x |")


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    corpus, before, after = sys.argv[1:4]
    adopt_orphans()
    picture = sys.argv[4] if len(sys.argv) > 4 else os.path.join(
        HERE, "..", "examples", "samples", "ean13.png")
    picture_runs = int(sys.argv[5]) if len(sys.argv) > 5 else 21
    corpus_runs = int(sys.argv[6]) if len(sys.argv) > 6 else 5
    check_same(before, after, [picture])
    check_same(before, after, ["-j2", "-r", "--format=json", corpus])
    picture_table(before, after, picture, picture_runs)
    # At the default effort the worker processes let the second engine search wider (so
    # they do more work, by design); at fast both do the same work and the difference is
    # what the processes cost.
    for effort in ([], ["--effort=fast"]):
        corpus_table(before, after, corpus, effort, corpus_runs)


if __name__ == "__main__":
    main()

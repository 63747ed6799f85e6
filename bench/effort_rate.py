#!/usr/bin/env python3
"""Decode rate of velscan at each effort over the corpus and a negative set.

found: labelled pictures whose expected text (N.txt) is among the decoded data, or whose
labelled EAN/UPC code is read with the add-on printed beside it (an audited reading below that
is the label followed by its add-on's digits).
misreads: symbols on labelled pictures that are neither the label, nor, for a label with an
add-on, its main code or its add-on alone, nor an audited reading (below).
known ZBar faults: wrong readings ZBar makes at every effort, audited one by one below.
false positives: symbols on the corpus's falsepositives-* sets and on the negative pictures.
cpu: velscan's user + system time relative to fast, over the corpus, over the negative set
alone, and over its two halves (every other picture by name).
tuning / checking: the labelled pictures split in two halves, each set's pictures taken in
turn (by name: the first, third, ... tune; the second, fourth, ... check). The passes and
engines of each effort are chosen on the tuning half alone; the checking half tells whether
what they gain holds on pictures they were not chosen on.
Usage: effort_rate.py CORPUS VELSCAN [NEGATIVE_DIR [JOBS]]   (JOBS: velscan's -j, default 1)"""

import base64
import ctypes
import json
import os
import resource
import subprocess
import sys

import corpus as corpus_files

EFFORTS = ("fast", "normal", "thorough")

# Readings that differ from the picture's label but are what the picture holds, each checked
# on the picture itself: path in the corpus -> (the exact data, why it is right).
RIGHT_BUT_UNLABELLED = {
    "ean13-1/31.webp": (
        b"978039305867352595",
        "the EAN-5 add-on 52595 is printed beside the EAN-13; ean13-extension-1/32, a "
        "photograph of the same book cover, is labelled with it"),
    "ean13-1/25.webp": (
        b"978014001399392902",
        "the EAN-5 add-on 92902 is printed beside the EAN-13, with its digits"),
    "upce-2/10.webp": (
        b"004900000634601",
        "a UPC-E followed by a printed 2-digit add-on (bars without digits, 6-7 modules after "
        "the end guard); its guard, digits and parity read by hand give 01"),
    "upce-2/12.webp": (
        b"004900000634601",
        "another photograph of the UPC-E with the printed add-on 01 of upce-2/10"),
    "code39-1/code32-1.png": (
        b"3PRM8N",
        "an Italian pharmacode (Code 32) read as the Code 39 it is printed in: 3PRM8N in "
        "Code 32's base 32 is 123456788, the label's A123456788"),
    "qrcode-2/16.webp": (
        "[外側QRコード]\r\n \r\n*ﾀﾞﾌﾞﾙQR*\r\nhttp://d-qr.net/ex/".encode(),
        "a QR code inside a QR code: the label is the inner code's text, this is the outer "
        "code's ('outer QR code')"),
}

# Wrong readings ZBar itself makes, whatever the effort: path -> (the exact data, the fault).
KNOWN_ZBAR_FAULTS = {
    "code128-1/6.png": (
        b"ssss1234ssabszz",
        "ZBar ignores Code 128's FNC4, so each extended character (o acute, 0xF3) comes out "
        "as its low half (s, 0x73)"),
}


def negative_pictures(folder):
    if not folder or not os.path.isdir(folder):
        return []
    return sorted(os.path.join(folder, f) for f in os.listdir(folder)
                  if f.lower().endswith(corpus_files.PICTURE_EXTENSIONS))


JOBS = 1

PR_SET_CHILD_SUBREAPER = 36


def adopt_orphans():
    """Makes this process the reaper of its descendants' orphans: velscan's worker processes
    end when velscan does, unwaited, and their processor time counts only once they are."""
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)


def reap_orphans():
    while True:
        try:
            os.waitpid(-1, 0)
        except ChildProcessError:
            return


def run_velscan(velscan, effort, pictures):
    """Per picture: the decoded data (bytes); and the run's processor seconds."""
    if not pictures:
        return {}, 0.0
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    run = subprocess.run([velscan, "--format=json", f"-j{JOBS}", "--effort", effort, "-"],
                         input="\n".join(pictures).encode(), capture_output=True, check=False)
    reap_orphans()
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


def audited(table, name, data):
    return name in table and table[name][0] == data


def is_label_with_addon(name, data, label):
    return (data.startswith(label) and len(data) - len(label) in (2, 5)
            and audited(RIGHT_BUT_UNLABELLED, name, data))


def is_misread(data, label):
    if data == label:
        return False
    for addon in (2, 5):  # a main code or an add-on read alone is no misread
        if len(label) > addon and data in (label[:-addon], label[-addon:]):
            return False
    return True


def tuning_half(corpus):
    """The pictures of the tuning half: every other picture of each set, from the first."""
    return {p for s in corpus_files.sets(corpus)
            for p in corpus_files.pictures(corpus, s)[0::2]}


def measure(corpus, velscan, negatives):
    labelled = corpus_files.all_pictures(corpus)
    tuning = tuning_half(corpus)
    rows = []
    for effort in EFFORTS:
        results, cpu = run_velscan(velscan, effort, labelled)
        negative_results, tuning_cpu = run_velscan(velscan, effort, negatives[0::2])
        checking_results, checking_cpu = run_velscan(velscan, effort, negatives[1::2])
        negative_results.update(checking_results)
        row = {"effort": effort, "found": 0, "with_addon": 0, "labelled": 0, "misreads": [],
               "faults": 0, "fp": 0, "cpu": cpu, "cpu_negatives": tuning_cpu + checking_cpu,
               "cpu_halves": (tuning_cpu, checking_cpu),
               "halves": {"tuning": [0, 0], "checking": [0, 0]}}
        for picture in labelled:
            label = corpus_files.expected_text(picture)
            name = os.path.relpath(picture, corpus)
            if corpus_files.is_false_positive_set(os.path.dirname(name)):
                row["fp"] += len(results[picture])
            elif label is not None:
                row["labelled"] += 1
                with_addon = any(is_label_with_addon(name, d, label) for d in results[picture])
                found = label in results[picture] or with_addon
                row["found"] += found
                half = row["halves"]["tuning" if picture in tuning else "checking"]
                half[0] += found
                half[1] += 1
                row["with_addon"] += label not in results[picture] and with_addon
                for data in results[picture]:
                    if audited(KNOWN_ZBAR_FAULTS, name, data):
                        row["faults"] += 1
                    elif is_misread(data, label) and not audited(RIGHT_BUT_UNLABELLED, name,
                                                                 data):
                        row["misreads"].append((name, data, label))
        row["fp"] += sum(len(found) for found in negative_results.values())
        rows.append(row)
    return rows


def print_audit():
    print("\nAudited readings, not counted as misreads:")
    for name, (data, reason) in sorted(RIGHT_BUT_UNLABELLED.items()):
        print(f"- {name} {data!r}: {reason}")
    print("Known ZBar faults, counted apart:")
    for name, (data, reason) in sorted(KNOWN_ZBAR_FAULTS.items()):
        print(f"- {name} {data!r}: {reason}")


def main():
    corpus, velscan = sys.argv[1], sys.argv[2]
    adopt_orphans()
    negatives = negative_pictures(sys.argv[3] if len(sys.argv) > 3 else None)
    global JOBS
    JOBS = int(sys.argv[4]) if len(sys.argv) > 4 else 1
    rows = measure(corpus, velscan, negatives)
    fast, fast_negatives = rows[0]["cpu"] or 1, rows[0]["cpu_negatives"] or 1
    fast_halves = [cpu or 1 for cpu in rows[0]["cpu_halves"]]
    print(f"Negative set: {len(negatives)} pictures, plus the corpus's falsepositives sets.\n")
    print("| effort | found | false positives | misreads | known ZBar faults "
          "| CPU vs fast (corpus) | CPU vs fast (negatives: all, tuning, checking half) |")
    print("|---|---|---|---|---|---|---|")
    for r in rows:
        halves = ", ".join(f"{cpu / f:.2f}" for cpu, f in zip(r["cpu_halves"], fast_halves))
        print(f"| {r['effort']} | {r['found']} of {r['labelled']} ({r['with_addon']} with the "
              f"printed add-on) | {r['fp']} "
              f"| {len(r['misreads'])} | {r['faults']} | {r['cpu'] / fast:.2f} "
              f"| {r['cpu_negatives'] / fast_negatives:.2f} ({halves}) |")
    print("\n| effort | tuning half | checking half | difference |")
    print("|---|---|---|---|")
    for r in rows:
        (tf, tn), (cf, cn) = r["halves"]["tuning"], r["halves"]["checking"]
        print(f"| {r['effort']} | {tf} of {tn} ({100 * tf / tn:.1f}%) | {cf} of {cn} "
              f"({100 * cf / cn:.1f}%) | {100 * (tf / tn - cf / cn):+.1f} points |")
    for r in rows:
        for name, data, label in r["misreads"]:
            print(f"misread at {r['effort']}: {name} {data[:60]!r}, label {label[:60]!r}")
    print_audit()


if __name__ == "__main__":
    main()

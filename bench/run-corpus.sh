#!/usr/bin/env bash
# Corpus benchmarks, run by hand: the decode rate of velscan and of ZBar's zbarimg over the
# corpus, set by set, then the throughput (wall time, peak memory) of velscan -j1, velscan
# on all cores and zbarimg over all of its pictures. Needs a built velscan (scripts/setup.sh),
# zbarimg (zbar-tools), GNU time (time) and python3.
#   bench/run-corpus.sh [CORPUS [RUNS]]      CORPUS defaults to ../shared/corpus
# VELSCAN names another velscan binary (default build/bin/velscan).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

corpus=${1:-$repo/../shared/corpus}
runs=${2:-7}
velscan=${VELSCAN:-$repo/build/bin/velscan}

if [ ! -d "$corpus" ]; then
    echo "run-corpus: no corpus at $corpus; skipped (give its path as the first argument)"
    exit 0
fi
for tool in "$velscan" zbarimg /usr/bin/time python3; do
    command -v "$tool" >/dev/null || { echo "run-corpus: $tool is missing" >&2; exit 1; }
done

echo "## Machine"
echo
echo "$(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p');" \
     "$(free -g | awk '/^Mem:/ {print $2}') GiB; $(zbarimg --version | sed 's/^/ZBar /');" \
     "$("$velscan" --version); load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "## Decode rate"
echo
python3 bench/decode_rate.py "$corpus" "$velscan"
echo
echo "## Throughput"
echo
python3 bench/throughput.py "$corpus" "$velscan" "$runs"

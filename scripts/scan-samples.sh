#!/usr/bin/env bash
# Sets up and builds the project into build/, then scans every bundled sample picture
# (examples/samples/*.pgm) with the scan_gray example, printing TYPE:DATA per barcode.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh build

status=0
for sample in examples/samples/*.pgm; do
    echo "== $sample"
    build/bin/scan_gray "$sample" || status=1
done
exit $status

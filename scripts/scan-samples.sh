#!/usr/bin/env bash
# Sets up and builds velscan (and only what it needs), then runs it on each bundled sample
# picture (examples/samples: PNG, JPEG, WebP, BMP, GIF, TIFF and PGM files of several
# symbologies) and prints what it finds. Fails if a sample cannot be read or shows no barcode.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --target velscan build
echo
velscan=build/bin/velscan

status=0
for picture in examples/samples/*.{bmp,gif,jpg,pgm,png,tif,webp}; do
    echo "$picture:"
    "$velscan" "$picture" | sed 's/^/    /' || status=1
done
exit "$status"

#!/usr/bin/env bash
# The negative set: real photographs and desktop backgrounds without barcodes, from Debian
# packages, for measuring false positives (bench/RESULTS.md). Installs the packages (as
# root) and links their pictures into one folder, which stays out of the repository.
#   bench/collect-negatives.sh [DIR]      DIR defaults to /tmp/vel-negatives
# Licences (each package's /usr/share/doc/PACKAGE/copyright): gnome-backgrounds (CC-BY-SA
# and others, per picture), mate-backgrounds (GPL-2+), ukui-wallpapers and
# lomiri-wallpapers-20.04 (CC-BY-SA-3.0), jigzo-data (GPL-2+), plasma-workspace-wallpapers
# (GPL-2+ and others, per picture), libjxl-testdata (BSD-3-clause, CC0 and others, per file).
set -euo pipefail
dir=${1:-/tmp/vel-negatives}
packages=(gnome-backgrounds mate-backgrounds ukui-wallpapers lomiri-wallpapers-20.04 jigzo-data
          plasma-workspace-wallpapers libjxl-testdata)
missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
rm -rf "$dir"
mkdir -p "$dir"
for package in "${packages[@]}"; do
    # libjxl's synthetic test patterns (PNG suite, colour bars and rings, single colours,
    # blending tests) are not photographs.
    dpkg -L "$package" | grep -iE '\.(jpe?g|png|webp)$' |
        grep -vE '/(pngsuite|blending|dots)/|sRGB-|rgb-to-gbr|ellipses|/icons/|/doc/' |
        while read -r file; do
            [ -f "$file" ] || continue
            ln -s "$file" "$dir/$package--$(echo "${file#/usr/share/}" | tr '/' '_')"
        done
done
echo "collect-negatives: $(find "$dir" -type l | wc -l) pictures in $dir"

#!/usr/bin/env bash
# Installs the project into a temporary prefix and builds and runs programs against it:
# a consumer and the one-call example through find_package(Vel), a consumer through
# pkg-config (for a shared install with nothing but the prefix on pkg-config's path), and the
# installed velscan, each scanning a bundled sample picture; the batch example scanning the
# samples' folder with a ZBar that crashes on one picture (the test build's fake, FAKE_ZBAR);
# where the build has Qt, a velqt consumer too, and velview is installed with its desktop
# entry and icon.
#   install-test.sh shared BUILD_DIR WORK_DIR FAKE_ZBAR   installs the given (shared) build
#   install-test.sh static SOURCE_DIR WORK_DIR FAKE_ZBAR  builds the libraries static, then installs
set -euo pipefail
mode=$1 tree=$2 work=$3 fake_zbar=$4
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
sample=$source_dir/examples/samples/ean13.png
expected='EAN-13:9780201379624'
prefix=$work/prefix

rm -rf "$work"
mkdir -p "$work"
if [ "$mode" = static ]; then
    cmake -S "$tree" -B "$work/build" -G Ninja -DBUILD_SHARED_LIBS=OFF -DVEL_BUILD_TESTS=OFF \
          -DVEL_BUILD_BENCH=OFF >"$work/configure.log"
    cmake --build "$work/build" >"$work/build.log"
    tree=$work/build
fi
cmake --install "$tree" --prefix "$prefix" >"$work/install.log"

check() { # check WHAT COMMAND...: the command prints the sample's barcode
    local output
    if ! output=$("${@:2}"); then
        echo "install test ($mode): $1 failed" >&2
        exit 1
    fi
    if [ "$output" != "$expected" ]; then
        echo "install test ($mode): $1 printed '$output', expected '$expected'" >&2
        exit 1
    fi
    echo "$1: $output"
}

# Clean environment: nothing but the prefix tells the tools where the package is.
unset CXXFLAGS LDFLAGS
cmake -S "$here/consumer" -B "$work/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
      -DEXAMPLES_DIR="$source_dir/examples" >"$work/consumer-configure.log"
cmake --build "$work/consumer" >"$work/consumer-build.log"
check "find_package consumer" "$work/consumer/consumer" "$sample"
check "find_package read_barcodes example" "$work/consumer/read_barcodes" "$sample"

# The batch example over a folder of the samples, each picture in a worker process: the fake
# ZBar crashes on code128.jpg (1496 pixels wide), which alone is lost; the others are read.
pictures=$work/pictures
mkdir -p "$pictures"
cp "$source_dir"/examples/samples/*.{png,jpg,bmp,gif} "$pictures"/
status=0
batch=$(FAKEZBAR_CRASH_WIDTH=1496 "$work/consumer/batch_scan" -j 2 --library "$fake_zbar" \
        "$pictures") || status=$?
errors=$(grep -c ': error: ' <<<"$batch" || true)
if [ "$status" != 2 ] || [ "$errors" != 1 ] ||
   ! grep -q "^$pictures/code128.jpg: error: crashed while reading or scanning" <<<"$batch" ||
   ! grep -q "^$pictures/upca.bmp: " <<<"$batch"; then
    echo "install test ($mode): batch_scan lost more than the crashing picture (status" \
         "$status):" >&2
    echo "$batch" >&2
    exit 1
fi
echo "find_package batch_scan example: only code128.jpg lost"

# A shared install's vel.pc names no picture library, so pkg-config finds everything it needs
# in the prefix alone; a static one hands the picture libraries on, found on the system.
if [ "$mode" = static ]; then
    export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
    pkg_flags=(--static --cflags --libs)
else
    export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
    pkg_flags=(--cflags --libs)
fi
# shellcheck disable=SC2046
c++ -std=c++20 -o "$work/pkgconfig-consumer" "$here/consumer/main.cpp" \
    $(pkg-config "${pkg_flags[@]}" vel) -Wl,-rpath,"$prefix/lib"
check "pkg-config consumer" "$work/pkgconfig-consumer" "$sample"

check "installed velscan" "$prefix/bin/velscan" "$sample"
if [ -e "$prefix/include/vel/qt/VelQt.h" ]; then
    check "find_package velqt consumer" "$work/consumer/qt_consumer" "$sample"
    for file in bin/velview share/applications/velview.desktop \
                share/icons/hicolor/128x128/apps/velview.png; do
        [ -e "$prefix/$file" ] || { echo "install test ($mode): no $file" >&2; exit 1; }
    done
fi
[ "$mode" = static ] || "$prefix/bin/veldesign" --help >/dev/null
echo "install test ($mode): passed"

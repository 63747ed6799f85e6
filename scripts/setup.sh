#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need (once; packages
# already installed are skipped; apt's output is shown only when it fails), then configures
# and builds the project into build/, or only TARGET and what it needs.
#   scripts/setup.sh [--deps-only | --target TARGET] [BUILD_DIR [extra cmake options...]]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    # toolchain; clang builds the sanitized tests, clang-format checks the style
    g++ clang libclang-rt-14-dev clang-format cmake ninja-build pkg-config
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # ZBar, loaded at run time; zbar-tools gives the reference scanner for the benchmarks
    libzbar0 zbar-tools
    # zxing-cpp, the reader's second engine (linked; the build leaves it out where missing)
    libzxing-dev
    # picture libraries of the host layer
    libpng-dev libjpeg62-turbo-dev libwebp-dev libgif-dev libtiff-dev libpoppler-cpp-dev
    # barcode rendering for tests and samples
    libzint-dev
    # the Qt integration and velview; Xvfb is the display server of velview's screenshot test
    qt6-base-dev xvfb
    # measurements
    time
    # GNU parallel runs velscan's shards in a test and the batch recipes
    parallel
    # groff checks the manual pages (man/*.1), zsh parses velscan's zsh completion
    groff-base zsh
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${#missing[@]} packages: ${missing[*]}"
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    if ! { "${as_root[@]}" apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq \
            --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        cat "$log" >&2
        echo "setup: installing the packages failed" >&2
        exit 1
    fi
fi

target=()
case "${1:-}" in
--deps-only) exit 0 ;;
--target)
    target=(--target "$2")
    shift 2
    ;;
esac

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" "${target[@]}"

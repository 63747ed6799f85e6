#!/usr/bin/env bash
# Sets up, checks the formatting, then builds and runs the whole test suite twice: a GCC
# build, and a clang build with AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are
# errors here. Fails if any step fails.
set -euo pipefail
cd "$(dirname "$0")/.."

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

bash scripts/setup.sh --deps-only
bash scripts/check-format.sh

bash scripts/setup.sh build -DVEL_WERROR=ON
ctest --test-dir build --output-on-failure -j2

CC=clang CXX=clang++ bash scripts/setup.sh build-asan -DVEL_SANITIZE=ON -DVEL_BUILD_BENCH=OFF \
    -DVEL_WERROR=ON
ctest --test-dir build-asan --output-on-failure -j2

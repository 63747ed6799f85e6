#!/usr/bin/env bash
# Sets up, then builds and runs the whole test suite twice: a normal build, and one with
# AddressSanitizer and UndefinedBehaviorSanitizer. Fails if either fails.
set -euo pipefail
cd "$(dirname "$0")/.."

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

bash scripts/setup.sh build
ctest --test-dir build --output-on-failure -j2

bash scripts/setup.sh build-asan -DVEL_SANITIZE=ON -DVEL_BUILD_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j2

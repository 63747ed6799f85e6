#!/usr/bin/env bash
# Sets up, checks the formatting, then builds and runs the whole test suite twice: a GCC
# build, and a clang build with AddressSanitizer and UndefinedBehaviorSanitizer. Last, a clang
# build with ThreadSanitizer of the libraries, velscan and the tests that run them on several
# threads (velscan's, the loader's, the component's first use on many threads, the batch
# engine's ordered pool, memory budget and pages shared by workers) runs those tests.
# Warnings are errors here. Fails if any step fails.
set -euo pipefail
cd "$(dirname "$0")/.."

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}

bash scripts/setup.sh --deps-only
bash scripts/check-format.sh

bash scripts/setup.sh build -DVEL_WERROR=ON
ctest --test-dir build --output-on-failure -j2

CC=clang CXX=clang++ bash scripts/setup.sh build-asan -DVEL_SANITIZE=ON -DVEL_BUILD_BENCH=OFF \
    -DVEL_WERROR=ON
ctest --test-dir build-asan --output-on-failure -j2

tsan_targets=(velscan_test formats_tests zbar_tests component_zbar_tests batch_tests)
tsan_tests='^(Velscan|Loader|FirstUses/ThreadedFirstUse\.|BatchOrderedPool\.|BatchMemoryBudget\.|BatchPages\.)'
CC=clang CXX=clang++ cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEL_SANITIZE=thread -DVEL_BUILD_BENCH=OFF -DVEL_WERROR=ON
cmake --build build-tsan --target "${tsan_targets[@]}"
ctest --test-dir build-tsan -R "$tsan_tests" --output-on-failure -j2

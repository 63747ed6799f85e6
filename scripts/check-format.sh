#!/usr/bin/env bash
# Fails, naming the files, if any C++ source of the tree differs from what clang-format makes
# of it with the project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null ||
                     find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "check-format: run clang-format -i on the files above" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files formatted"

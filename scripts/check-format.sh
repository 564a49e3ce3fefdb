#!/usr/bin/env bash
# Fails when a C++ file under src, tests or bench is not laid out the way the
# checked-in .clang-format says; names each such file and what would change.
# `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  xargs -0 clang-format --dry-run --Werror

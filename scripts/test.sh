#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds (warnings are
# errors), and runs every test.
set -euo pipefail
# A fresh system (or env -i) leaves the POSIX locale: Qt then warns on its
# error stream and xdotool cannot read Japanese window titles. C.UTF-8 is
# there without installing any locale.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then export LC_ALL=C.UTF-8; fi
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/check-format.sh
# A compiler cache, where the machine has one, makes a rebuild of unchanged
# sources nearly free; without it the build is the same, only slower.
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build build
ctest --test-dir build --output-on-failure

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer
# (TOREPAL_SKIP_SANITIZE=1 skips it for a quick local run). Qt, fontconfig
# and the other system libraries are not instrumented; what they keep until
# exit on purpose is listed in tests/reliability/lsan.supp, so a leak in our
# own code still fails the run.
if [ "${TOREPAL_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOREPAL_SANITIZE=ON "${launcher[@]}"
  cmake --build build-asan
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/reliability/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure
fi

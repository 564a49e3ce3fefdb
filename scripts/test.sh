#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds (warnings are
# errors) and runs every test, then prints what each step did.
#
# One build serves the whole suite, with AddressSanitizer and
# UndefinedBehaviorSanitizer on: a fault in our own code stops the run.
# The live preview's engine program (and its window's test) cannot be
# watched by them; they are built without them in the same build, and the
# program's side of the preview keeps them. TOREPAL_SKIP_SANITIZE=1 builds
# and runs the suite without the sanitizers instead, for a quicker local run.
set -euo pipefail
# A fresh system (or env -i) leaves the POSIX locale: Qt then warns on its
# error stream and xdotool cannot read Japanese window titles. C.UTF-8 is
# there without installing any locale.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then export LC_ALL=C.UTF-8; fi
# env -i leaves no PATH at all; the tools are in the usual places.
export PATH="${PATH:-/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin}"
cd "$(dirname "$0")/.."
started=$SECONDS
log=$(mktemp -d)
trap 'rm -rf "$log"' EXIT

bash scripts/setup.sh
bash scripts/check-format.sh
formatted=$SECONDS

# A compiler cache, where the machine has one, makes a rebuild of unchanged
# sources nearly free; without it the build is the same, only slower.
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# -O1 with line tables is what the sanitizers are meant to run with, and it
# builds the test programs in about half the time of -O2 with full debug
# information; a report still names the file and line of every frame.
if [ "${TOREPAL_SKIP_SANITIZE:-0}" = 1 ]; then
  build=build flags=() what="without the sanitizers"
else
  build=build-test what="with AddressSanitizer and UndefinedBehaviorSanitizer"
  flags=(-DTOREPAL_SANITIZE=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON "${flags[@]}" "${launcher[@]}"
cmake --build "$build"
built=$SECONDS

# Qt, fontconfig and the other system libraries are not instrumented; what
# they keep until exit on purpose is listed in tests/reliability/lsan.supp,
# so a leak in our own code still fails the run.
rc=0
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/reliability/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$build" --parallel "$(nproc)" --output-on-failure 2>&1 | tee "$log/ctest" || rc=$?
tested=$SECONDS

summary=$(grep -E 'tests passed, [0-9]+ tests failed out of' "$log/ctest" | tail -1)
skipped=$(grep -c -E '\*\*\*(Skipped|Not Run \(Disabled\))' "$log/ctest" || true)
minutes() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }
echo
echo "== scripts/test.sh =="
echo "formatting: $(find src tests bench \( -name '*.cpp' -o -name '*.h' \) | wc -l) files as .clang-format has them ($(minutes $((formatted - started))) with set-up)"
echo "build $what, warnings as errors: $build/ ($(minutes $((built - formatted))))"
echo "tests: ${summary:-no summary from ctest}; $skipped skipped ($(minutes $((tested - built))))"
echo "all: $(minutes $((tested - started)))"
exit "$rc"

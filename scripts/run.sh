#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
# env -i leaves no PATH at all; the tools are in the usual places.
export PATH="${PATH:-/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin}"
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The program alone: its tests are scripts/test.sh's, in a build of their own.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build build
exec ./build/program/torepal "$@"

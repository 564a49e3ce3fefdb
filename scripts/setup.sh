#!/usr/bin/env bash
# Installs what building, running and testing the program needs on a fresh
# Debian 12 machine. Unattended: no prompts, no standard input.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-webengine-dev qt6-translations-l10n libtomlplusplus-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev clang-format
  fonts-ipafont-gothic
  xvfb xauth x11-utils imagemagick xdotool librsvg2-bin
  chromium
  desktop-file-utils appstream
  at-spi2-core dbus python3-gi gir1.2-atspi-2.0
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update </dev/null
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
fi

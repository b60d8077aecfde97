#!/usr/bin/env bash
# The set-up step: installs the Debian packages the game, its tools and its
# tests need, where missing (apt-get, as root or through sudo). The only
# script that installs anything.
set -euo pipefail

PACKAGES=(
  g++ cmake make pkg-config
  freeglut3-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri
  libgtest-dev libx11-dev libxtst-dev
  xvfb xauth x11-utils xdotool imagemagick
  clang libclang-rt-14-dev valgrind
  desktop-file-utils appstream lintian groff dpkg-dev file
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

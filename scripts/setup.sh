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
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# Another package manager (a fresh desktop's own updates) may hold apt's locks
# for a while. apt-get waits for dpkg's lock itself (DPkg::Lock::Timeout) but
# gives up at once on the package lists' and the download cache's, so a run
# refused one of those is tried again every 5 seconds, within the same time.
# LC_ALL=C: the refusal is recognised by its English wording.
LOCK_WAIT=600
apt_get() {
  local err waited=0 status=0
  err=$(mktemp)
  until $SUDO env DEBIAN_FRONTEND=noninteractive LC_ALL=C \
      apt-get -o DPkg::Lock::Timeout=$LOCK_WAIT "$@" 2>"$err"; do
    grep -q "Could not get lock" "$err" && [ $waited -lt $LOCK_WAIT ] || { status=1; break; }
    sleep 5
    waited=$((waited + 5))
  done
  cat "$err" >&2
  rm -f "$err"
  return $status
}

echo "Installing: ${missing[*]} (waiting up to $((LOCK_WAIT / 60)) minutes if another package manager holds the lock)"
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

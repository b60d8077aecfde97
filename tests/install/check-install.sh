#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree as a player's
# desktop and Debian would: the desktop entry, AppStream metadata and manual
# pages pass their validators, the icons decode at their sizes, the launchers
# answer --help and --version, and the installed programs start from / and
# quit (the InstalledGame cases of brellow-e2e), from a moved copy of the
# tree too. Then builds the Debian package, has lintian check it and plays
# the programs unpacked from it.
#   check-install.sh BUILD_DIR BRELLOW_E2E
set -euo pipefail
build=$1 e2e=$2
# The launchers and the package file name carry the package's version.
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$version" ] || { echo "FAIL: no package version in $build/CPackConfig.cmake" >&2; exit 1; }
work=$(mktemp -d /tmp/brellow-install-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs the two InstalledGame cases on the install tree under $1.
play() { BRELLOW_INSTALLED_PREFIX=$1 "$e2e" --gtest_filter='InstalledGame.*' --gtest_brief=1; }

echo "== cmake --install into $work/first"
cmake --install "$build" --prefix "$work/first" >/dev/null
P=$work/first
[ -s "$P/share/doc/brellow/README.md" ] && [ -s "$P/share/doc/brellow/copyright" ] || fail "no README or copyright"

desktop-file-validate "$P/share/applications/brellow.desktop"
grep -qx "Exec=brellow-menu" "$P/share/applications/brellow.desktop" || fail "the menu entry does not start brellow-menu"
appstreamcli validate --no-net "$P/share/metainfo/brellow.metainfo.xml"
for page in brellow brellow-menu; do
  warnings=$(groff -man -ww -z "$P/share/man/man6/$page.6" 2>&1)
  [ -z "$warnings" ] || fail "groff on $page.6: $warnings"
done

for size in 48 128 256; do
  icon=$P/share/icons/hicolor/${size}x${size}/apps/brellow.png
  got=$(identify -format "%wx%h %[pixel:p{0,0}] %[pixel:p{$((size / 2)),$((size / 2))}]" "$icon")
  case $got in
    "${size}x${size} srgba(0,0,0,0) srgb"*) ;;  # a transparent corner, an opaque middle
    *) fail "icon $size: $got" ;;
  esac
done

for launcher in brellow brellow-menu; do
  [ "$("$P/games/$launcher" --version)" = "$launcher $version" ] || fail "$launcher --version"
  "$P/games/$launcher" --help | grep -qF "$P/share/games/brellow/textures/" || fail "$launcher --help names no data folder"
done

echo "== the installed programs, from a moved copy of the tree"
mv "$work/first" "$work/moved"
play "$work/moved"

echo "== the Debian package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls "$work"/package/brellow_"$version"_*.deb)
dpkg-deb -f "$deb" Depends | grep -q libglut || fail "the package's dependencies miss freeglut"
# A hardening-* tag, informational, names a program built without cmake/Hardening.cmake's flags.
report=$(lintian --fail-on error --display-info "$deb") || fail "lintian: $report"
[ -z "$report" ] || echo "$report"
! grep -qF hardening- <<<"$report" || fail "the programs miss hardening flags"
dpkg-deb -x "$deb" "$work/root"
play "$work/root/usr"
echo "install, package and launchers: all checks passed"

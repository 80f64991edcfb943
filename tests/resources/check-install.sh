#!/usr/bin/env bash
# Installs the build into a fresh prefix, as `cmake --install` would for a user, and checks
# what a desktop and its tools see there: the program, its licence, the desktop entry and the
# metainfo (each accepted by its validator), the icons at every size, and the manual page
# (rendered without warnings).
# check-install.sh BUILD_DIR APP_ID MAJOR.MINOR ICON_SIZE...
set -euo pipefail
build=$1 app_id=$2 version=$3
shift 3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
present() { [ -f "$prefix/$1" ] || fail "not installed: $1"; }

cmake --install "$build" --prefix "$prefix" >/dev/null

present bin/hushmill
present bin/license.txt
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/hushmill" --version)" = "Hushmill $version" ] ||
  fail "the installed program does not answer --version with Hushmill $version"

entry=share/applications/$app_id.desktop
present "$entry"
report=$(desktop-file-validate "$prefix/$entry" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"

metainfo=share/metainfo/$app_id.metainfo.xml
present "$metainfo"
report=$(appstreamcli validate --no-net --pedantic "$prefix/$metainfo" 2>&1) ||
  fail "appstreamcli validate: $report"

present "share/icons/hicolor/scalable/apps/$app_id.svg"
for size in "$@"; do
  png=share/icons/hicolor/${size}x$size/apps/$app_id.png
  present "$png"
  [ ! -f "$prefix/$png" ] || [ "$(identify -format '%wx%h' "$prefix/$png")" = "${size}x$size" ] ||
    fail "$png is not $size by $size pixels"
done

manual=share/man/man1/hushmill.1
present "$manual"
report=$(MANWIDTH=80 man --warnings -l "$prefix/$manual" 2>&1 >/dev/null) || fail "man: $report"
[ -z "$report" ] || fail "man: $report"

echo "$failures failures"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# Builds the Debian package build/hushmill_<version>_amd64.deb with CPack, then tries it as a
# new user would: installed with apt into a fresh Debian 12 root made by debootstrap, the
# program answers --version, converts the bundled sample without a display (as an ordinary
# user, in both command-line forms), and its desktop entry is valid and offered for audio
# files. Slow (it fetches a base system and the program's dependencies), so the test suite
# leaves it out. Needs root for debootstrap, mount and chroot.
# Usage: scripts/debian-package.sh [--keep-root]   (--keep-root leaves the root for a look)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
keep_root=false
[ "${1:-}" = --keep-root ] && keep_root=true

"$here/scripts/setup.sh" >&2
"$here/scripts/install-packages.sh" debootstrap >&2

cd "$here/build"
rm -f hushmill_*.deb
cpack -G DEB >/dev/null
deb=$(echo hushmill_*.deb)
echo "== $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

# The Debian archive this machine's apt already uses, so the root needs no other source.
mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' \
  'Codename: bookworm' 'Label: Debian' | head -n 1)
mirror=${mirror:-http://deb.debian.org/debian/}

root=$(mktemp -d /var/tmp/hushmill-debian12.XXXXXX)
chmod 755 "$root" # the root folder of a system: every user must pass through it
finish() {
  mountpoint -q "$root/proc" && umount "$root/proc"
  if $keep_root; then echo "The root stays in $root"; else rm -rf "$root"; fi
}
trap finish EXIT
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
as_user() { in_root setpriv --reuid=tester --regid=tester --init-groups env HOME=/home/tester "$@"; }

echo "== A fresh Debian 12 root from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"

echo "== apt install ./$deb"
in_root apt-get update -q >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$deb" >/dev/null
in_root useradd --create-home tester

passes=0 failures=0
check() { # check DESCRIPTION COMMAND...
  if "${@:2}"; then
    echo "ok   $1"
    passes=$((passes + 1))
  else
    echo "FAIL $1"
    failures=$((failures + 1))
  fi
}

version=$(in_root hushmill --version) || true
check "hushmill --version says \"$version\"" test "$version" = "Hushmill 1.2"

sample=/usr/share/doc/hushmill/examples/speech-with-pauses.mp3
seconds() {
  in_root ffprobe -v error -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 "$1"
}
shorter() { [ -n "$1" ] && [ -n "$2" ] && awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > 1 && a < b) }'; }
check "converts the sample with -input and -output" \
  as_user hushmill -input "$sample" -output /home/tester/out/speech.mp3
check "the result is shorter than the sample" \
  shorter "$(seconds /home/tester/out/speech.mp3)" "$(seconds "$sample")"
rows=$(as_user sh -c "cd /home/tester && hushmill $(dirname "$sample")") || true
check "converts the examples folder into the target folder: $rows" \
  test "$rows" = "OK	$sample"
check "settings went into the user's config folder" \
  test -f "$root/home/tester/.config/QUONDEL/Hushmill/settings.ini"

entry=/usr/share/applications/com.quondel.Hushmill.desktop
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q desktop-file-utils >/dev/null
check "the desktop entry is valid" in_root desktop-file-validate "$entry"
check "the desktop entry is offered for audio/mpeg" \
  grep -q '^audio/mpeg=.*com\.quondel\.Hushmill\.desktop' "$root/usr/share/applications/mimeinfo.cache"
check "the icon is in the hicolor theme" \
  test -f "$root/usr/share/icons/hicolor/48x48/apps/com.quondel.Hushmill.png"
check "the manual page is installed" test -f "$root/usr/share/man/man1/hushmill.1"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]

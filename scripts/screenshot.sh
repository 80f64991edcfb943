#!/usr/bin/env bash
# Remakes the README's pictures of the main window from the built program on a virtual X display
# with fresh settings and three recordings made from the sample in its list:
# resources/screenshots/main-window.png right after "Remove Silence" has converted them, and
# resources/screenshots/levels.png with the sample's row selected and its levels pictured.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
picture="$here/resources/screenshots/main-window.png"
levels="$here/resources/screenshots/levels.png"

if [ "${1:-}" != --on-virtual-display ]; then
  "$here/scripts/setup.sh" >&2
  "$here/scripts/install-packages.sh" x11-utils xdotool >&2
  exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" --on-virtual-display
fi

# A copy of the program alone with a fresh home under a short fixed folder, so the picture
# shows default settings and tidy paths, whatever the build folder or the user has stored.
work=/tmp/hushmill-demo
program=""
finish() {
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
rm -rf "$work"
mkdir -p "$work/bin" "$work/home/Recordings"
cp "$here/build/hushmill" "$here/build/license.txt" "$work/bin/"
sample="$here/samples/speech-with-pauses.mp3"
cp "$sample" "$work/home/Recordings/lecture-01.mp3"
ffmpeg -v error -i "$sample" "$work/home/Recordings/interview.wav"
ffmpeg -v error -i "$sample" "$work/home/Recordings/podcast-episode-12.flac"

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb \
  "$work/bin/hushmill" "$work/home/Recordings" &
program=$!

title="QUONDEL - Hushmill"
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1
# "Remove Silence" is the large button at the top of the right-hand panel; the default
# window's layout puts it here.
xdotool mousemove --window "$window" 480 334 click 1
converted="$work/home/Desktop/podcast-episode-12.flac"
for _ in $(seq 300); do
  [ -s "$converted" ] && break
  sleep 0.1
done
# Wide enough for whole paths; the last row's mark and the repaint follow the file by a moment.
xdotool windowsize "$window" 860 480
sleep 2
mkdir -p "$(dirname "$picture")"
import -window "$title" "$picture"
echo "$picture"

# The sample's row is the second; its levels are read in the background.
xdotool windowsize "$window" 860 560
sleep 1
xdotool mousemove --window "$window" 200 158 click 1
sleep 3
import -window "$title" "$levels"
echo "$levels"

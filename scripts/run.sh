#!/usr/bin/env bash
# Sets up and builds Hushmill, then runs it. Arguments go to hushmill unchanged.
# Without arguments it shows the program at work on a short speech recording with pauses:
# with a display the window opens with the recording in its list, ready for "Remove Silence";
# without one the recording is converted at once and the result is described.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh" >&2
hushmill="$here/build/hushmill"

if (($#)); then
  exec "$hushmill" "$@"
fi

# The sample's paths are given relative to the checkout: hushmill finds "-input" and "-output"
# anywhere in its command line, even inside a path, and the checkout may lie in any folder.
cd "$here"
sample="samples/speech-with-pauses.mp3"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$hushmill" "$sample"
fi

result="build/sample-output/speech-with-pauses.mp3"
rm -f "$result"
"$hushmill" -input "$sample" -output "$result"
seconds() { ffprobe -v error -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 "$1"; }
# ffprobe writes its decimal point whatever the locale; printf would read it by the locale.
printf 'Silence removed: %s\n' "$here/$result"
LC_ALL=C printf 'Input:  %6.1f s  %s\n' "$(seconds "$sample")" "$here/$sample"
LC_ALL=C printf 'Output: %6.1f s  %s\n' "$(seconds "$result")" "$here/$result"

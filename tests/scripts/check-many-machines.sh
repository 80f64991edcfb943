#!/usr/bin/env bash
# Runs scripts/many-machines.sh on this machine over a small tree (nested folders, a name with
# blanks and quotes, one broken file, one file of another type) and checks the mirrored
# results, the job log, and that resuming runs only the failed job again.
# check-many-machines.sh SCRIPT HUSHMILL_EXECUTABLE
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

# The program alone in a folder of its own, with a home of its own: fresh default settings.
mkdir -p "$work/bin" "$work/home"
cp "$2" "$work/bin/hushmill"
export PATH="$work/bin:$PATH" HOME="$work/home"
unset XDG_CONFIG_HOME

# Speech-like audio: tones with a two-second silence between them.
tones() {
  ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=1.5" -f lavfi -i "anullsrc=r=44100:cl=mono" \
    -filter_complex "[1]atrim=duration=2[s];[0][s][0]concat=n=3:v=0:a=1" -ar 44100 -ac 1 "$1"
}
seconds() { ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$1"; }
shorter() { # shorter RESULT ORIGINAL: the result exists, holds sound, and lost the silence
  [ -s "$1" ] && awk -v a="$(seconds "$1")" -v b="$(seconds "$2")" 'BEGIN { exit !(a > 1.5 && a < b - 1) }'
}

in="$work/in tree" out="$work/out tree"
quoted="it's a \"quoted\" name.mp3"
mkdir -p "$in/sub/deeper"
tones "$in/top.mp3"
tones "$in/sub/deeper/inner.wav"
tones "$in/sub/$quoted"
echo "no audio in here" >"$in/sub/broken.mp3"
echo "not a recording" >"$in/sub/notes.txt"
good=(top.mp3 sub/deeper/inner.wav "sub/$quoted")

status=0
"$script" "$in" "$out" >"$work/first.txt" 2>&1 || status=$?
check "the run reports one failed job (status $status)" test "$status" -eq 1
for file in "${good[@]}"; do
  check "converted into the mirrored tree: $file" shorter "$out/$file" "$in/$file"
done
check "nothing written for the broken file" test ! -e "$out/sub/broken.mp3"
check "nothing listed for the file of another type" test ! -e "$out/sub/notes.txt"

log="$out/hushmill-jobs.log"
# Columns: Seq Host Starttime JobRuntime Send Receive Exitval Signal Command
failed() { awk -F'\t' 'NR > 1 && ($7 != 0 || $8 != 0) { print $9 }' "$log"; }
check "the job log has one row per file" test "$(($(wc -l <"$log") - 1))" -eq 4
check "the broken file is the one failed job" test "$(failed | grep -c 'broken\.mp3')" -eq 1 -a \
  "$(failed | wc -l)" -eq 1

stamps() { for file in "${good[@]}"; do stat -c '%.9Y' "$out/$file"; done; }
before=$(stamps)
status=0
"$script" "$in" "$out" --resume-failed >"$work/second.txt" 2>&1 || status=$?
check "the resumed run still reports the broken file (status $status)" test "$status" -eq 1
check "the resumed run converted nothing again" test "$(stamps)" = "$before"
check "the resumed run ran only the broken file again" \
  test "$(($(wc -l <"$log") - 1))" -eq 5 -a "$(tail -n 1 "$log" | grep -c 'broken\.mp3')" -eq 1

check "an output folder inside the input folder is refused" \
  eval '! "$script" "$in" "$in/out" 2>/dev/null'

if ((failures)); then
  echo "--- first run"; cat "$work/first.txt"
  echo "--- second run"; cat "$work/second.txt"
  echo "--- job log"; cat "$log"
fi
echo "$failures failures"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# Converts every supported file under IN_FOLDER into the same place under OUT_FOLDER, one
# `hushmill -input FILE -output FILE` per file, spread by GNU parallel over this machine's
# processors or over the hosts of --sshlogin. The list comes from `hushmill --list-supported`,
# so it holds exactly what a folder load would. Each job uses the threshold and duration of the
# settings on the machine that runs it.
#
#   scripts/many-machines.sh IN_FOLDER OUT_FOLDER [--sshlogin LIST] [--resume-failed | --resume]
#
# --sshlogin LIST   run on these hosts (GNU parallel's list, for example "8/alpha,8/beta,:"):
#                   IN_FOLDER and OUT_FOLDER must be shared storage mounted under the same
#                   paths on every host, and each host needs hushmill and ffmpeg on its PATH.
# --resume-failed   run again only the jobs that failed or never ran, from the job log
#                   OUT_FOLDER/hushmill-jobs.log; --resume runs only those that never ran.
# The job log has one row per file (its exit value among the columns); the status is 0 when
# every job succeeded, otherwise the number of failed jobs (at most 101).
set -euo pipefail

usage() {
  sed -n '/^#   scripts/p' "$0" | sed 's/^#   /usage: /' >&2
  exit 2
}
(($# >= 2)) || usage
in=$(realpath -e -- "$1") || usage
out=$(realpath -m -- "$2")
shift 2
options=()
while (($#)); do
  case $1 in
    --sshlogin) (($# >= 2)) || usage; options+=(--sshlogin "$2"); shift 2 ;;
    --resume-failed | --resume) options+=("$1"); shift ;;
    *) usage ;;
  esac
done
case $out/ in
  "$in"/*) echo "OUT_FOLDER must not lie inside IN_FOLDER: its results would be listed next time" >&2
           exit 2 ;;
esac
mkdir -p "$out"

# Paths relative to IN_FOLDER, each ended by a zero byte; the same relative path under
# OUT_FOLDER is the job's output, whose folder hushmill creates. Jobs run without a display, so
# that none opens a window even when the script is started on a desktop.
hushmill --list-supported "$in" -0 | while IFS= read -r -d '' path; do
  printf '%s\0' "${path#"$in"/}"
done | parallel -0 --quote --bar --joblog "$out/hushmill-jobs.log" "${options[@]}" \
  env -u DISPLAY -u WAYLAND_DISPLAY hushmill -input "$in/{}" -output "$out/{}"

#!/usr/bin/env bash
# Builds Hushmill with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test there: a memory fault, a leak or undefined behaviour fails the test that meets it.
# The sanitizers write their reports to build-asan/sanitizer-reports/ rather than to standard
# error, so that a report from a program a test runs (whose failure the test may expect) is
# never lost: any report there fails the script, after it is printed. Arguments go to CTest.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
HUSHMILL_BUILD_DIR=build-asan "$here/scripts/setup.sh" -DHUSHMILL_WERROR=ON -DHUSHMILL_ASAN=ON
cd "$here/build-asan"
reports="$PWD/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="log_path=$reports/asan${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
status=0
ctest --output-on-failure --no-tests=error --parallel 2 "$@" || status=$?
if [ -n "$(ls -A "$reports")" ]; then
  for report in "$reports"/*; do
    echo "== $report"
    cat "$report"
  done
  echo "Sanitizer reports in $reports"
  status=1
fi
exit "$status"

#!/usr/bin/env bash
# Builds Hushmill with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test there: a memory fault, a leak or undefined behaviour fails the test that meets it.
# Arguments go to CTest.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
HUSHMILL_BUILD_DIR=build-asan "$here/scripts/setup.sh" -DHUSHMILL_WERROR=ON -DHUSHMILL_ASAN=ON
cd "$here/build-asan"
ctest --output-on-failure --no-tests=error --parallel 2 "$@"

#!/usr/bin/env bash
# Sets up and builds Hushmill with warnings as errors, then runs every test through CTest.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh" -DHUSHMILL_WERROR=ON
cd "$here/build"
ctest --output-on-failure --no-tests=error --parallel 2 "$@"

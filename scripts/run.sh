#!/usr/bin/env bash
# Sets up and builds Hushmill, then runs it. Arguments go to hushmill unchanged.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh" >&2
exec "$here/build/hushmill" "$@"

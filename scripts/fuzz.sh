#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer into build-fuzz/, replays their inputs, then
# runs each target for a bounded time (seconds: the first argument, 20 when none is given) on
# a scratch copy of its seed corpus, so the repository stays as it is. Further arguments go to
# every libFuzzer run. A failing input is kept in build-fuzz/fuzz-runs/<target>/ and ends the
# script with status 1.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
shift $(($# > 0 ? 1 : 0))
HUSHMILL_BUILD_DIR=build-fuzz HUSHMILL_BUILD_TARGET=fuzzers \
  "$here/scripts/setup.sh" -DCMAKE_CXX_COMPILER=clang++ -DHUSHMILL_FUZZ=ON
build="$here/build-fuzz"
(cd "$build" && ctest --output-on-failure --no-tests=error --parallel 2)

failed=()
for corpus in "$here"/fuzz/corpus/*/; do
  name="$(basename "$corpus")"
  run="$build/fuzz-runs/$name"
  rm -rf "$run"
  mkdir -p "$run/artifacts"
  cp -r "$corpus" "$run/corpus"
  inputs=("$run/corpus")
  [ -d "$here/fuzz/regressions/$name" ] && inputs+=("$here/fuzz/regressions/$name")
  echo "== fuzz_$name for ${seconds}s"
  if ! "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$run/artifacts/" "$@" "${inputs[@]}" >"$run/log" 2>&1; then
    failed+=("$name")
    tail -n 60 "$run/log"
  fi
  grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$run/log" || true
done
if ((${#failed[@]})); then
  echo "Fuzz targets that failed: ${failed[*]} (inputs in $build/fuzz-runs/<target>/artifacts/)"
  exit 1
fi

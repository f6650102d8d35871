#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, starting from its seed corpus
# (tests/fuzz/corpus/<target>, when there is one). New inputs go to a scratch folder, not the repo.
# Usage: run.sh BUILD_DIR [SECONDS [TARGET...]]   (no TARGET: every target of the build)
set -euo pipefail
build=$1
seconds=${2:-20}
shift $(( $# < 2 ? $# : 2 ))
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("$build"/fuzz/fuzz_*)
for target in "${targets[@]}"; do
  [ -x "$target" ] || target="$build/fuzz/$target"
  name=$(basename "$target")
  mkdir -p "$scratch/$name"
  seeds=()
  [ -d "$here/corpus/$name" ] && seeds+=("$here/corpus/$name")
  printf '%-32s ' "$name"
  if "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$scratch/$name-" "$scratch/$name" "${seeds[@]}" >"$scratch/$name.log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$scratch/$name.log" | grep -o '[0-9]*$' || echo '?')
    echo "ok, $runs runs"
  else
    echo "FAILED"
    tail -n 40 "$scratch/$name.log"
    status=1
  fi
done
exit $status

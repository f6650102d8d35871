#!/usr/bin/env bash
# Runs every benchmark program of a build tree and prints its figures: bench/run.sh BUILD_DIR
set -euo pipefail
build="${1:-build}"
shopt -s nullglob
programs=("$build"/bench/*_bench)
if [ ${#programs[@]} -eq 0 ]; then
    echo "no benchmark programs in $build/bench: build them first (make build)" >&2
    exit 1
fi
for program in "${programs[@]}"; do
    echo "== $(basename "$program")"
    "$program"
    echo
done

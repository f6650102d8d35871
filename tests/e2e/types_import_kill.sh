#!/bin/bash
# Kills `vireo-host types import` of 2,000 structures at random moments: DataType.xml must then be
# what it was before the import or what a whole import leaves, never a part of it.
# Usage: types_import_kill.sh BUILD_DIR [KILLS]
set -euo pipefail
build=$1
kills=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A tree of our own, so that DataType.xml beside the driver's folder belongs to this test alone.
mkdir -p "$work/tree/bin" "$work/tree/lib" "$work/tree/drivers/Vireo_EX"
cp "$build/bin/vireo-host" "$work/tree/bin/"
cp "$build"/lib/*.so "$work/tree/lib/" 2>/dev/null || true
cp "$build"/drivers/Vireo_EX/Vireo_EX.so "$build"/drivers/Vireo_EX/Vireo_EX_lang.so "$work/tree/drivers/Vireo_EX/"
host="$work/tree/bin/vireo-host"
file="$work/tree/drivers/DataType.xml"

source="$work/many.udt"
for i in $(seq 1 2000); do
    printf 'TYPE "T%d"\r\nVERSION : 0.1\r\n   STRUCT\r\n      a : Int;\r\n      b : Real;\r\n   END_STRUCT;\r\n\r\nEND_TYPE\r\n\r\n' "$i"
done >"$source"

printf 'TYPE "Seed"\r\nVERSION : 0.1\r\n   STRUCT\r\n      s : Int;\r\n   END_STRUCT;\r\n\r\nEND_TYPE\r\n' >"$work/seed.udt"
"$host" types import "$work/seed.udt" >/dev/null
cp "$file" "$work/before.xml"
start=$(date +%s%N)
"$host" types import "$source" >/dev/null
took_ms=$(( ($(date +%s%N) - start) / 1000000 ))
cp "$file" "$work/after.xml"
cmp -s "$work/before.xml" "$work/after.xml" && { echo "the import changed nothing"; exit 1; }

between=0
for k in $(seq 1 "$kills"); do
    cp "$work/before.xml" "$file"
    "$host" types import "$source" >/dev/null 2>&1 &
    pid=$!
    sleep "$(awk -v ms="$took_ms" -v r="$RANDOM" 'BEGIN { printf "%.3f", (r % (ms + 1)) / 1000 }')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ! cmp -s "$file" "$work/before.xml" && ! cmp -s "$file" "$work/after.xml"; then
        echo "kill $k: DataType.xml is neither the file before nor the file after the import"
        between=$((between + 1))
    fi
done
echo "$kills kills of an import taking ${took_ms} ms; $between left a partial DataType.xml"
[ "$between" -eq 0 ]

#!/usr/bin/env bash
# A short session with vireo-host: a fresh project with one PLC, a tag import of the TIA Portal
# exports beside this script (a tag table, two data blocks and the data type they use), then the
# channel table as the project stores it.
#   usage: bash examples/demo.sh BUILD_DIR      (make demo runs it with the build folder)
set -euo pipefail

build=${1:-build}
host="$build/bin/vireo-host"
if [ ! -x "$host" ]; then
    echo "demo: $host not found; build first (make demo does)" >&2
    exit 1
fi
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
vh() { "$host" --project "$work/demo.vproj" "$@"; }

vh device add PLC1
# A new device starts with the eight input bits of byte 0; the import brings the plant's own.
vh channel delete PLC1 --all

echo "Tag import into PLC1 (status list of the dialog):"
vh import PLC1 --types "$here/MotorData.udt" --tags "$here/PLCTags.xml" \
    --db "$here/DB1_Conveyor.db" --db "$here/DB2_TankFarm.db"

echo
echo "Channels of PLC1:"
vh channel list PLC1

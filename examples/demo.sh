#!/usr/bin/env bash
# A short session with vireo-host: a fresh project with one PLC, channel blocks of every register
# type, then the channel table as the project stores it.
#   usage: bash examples/demo.sh BUILD_DIR      (make demo runs it with the build folder)
set -euo pipefail

build=${1:-build}
host="$build/bin/vireo-host"
if [ ! -x "$host" ]; then
    echo "demo: $host not found; build first (make demo does)" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
vh() { "$host" --project "$work/demo.vproj" "$@"; }

vh device add PLC1

# The new device starts with the eight input bits of byte 0; add the rest of the plant.
vh channel delete PLC1
vh channel add PLC1 --reg I --type 0 --addr 0 --count 16 --comment "push buttons" >/dev/null
vh channel add PLC1 --reg Q --type 0 --addr 0 --count 8 --comment "lamps and valves" >/dev/null
vh channel add PLC1 --reg M --type 11 --addr 10 --count 4 --rw 0 --comment "counters" >/dev/null
vh channel add PLC1 --reg V --type 12 --addr 1.0 --count 2 --var Motor.Speed --comment "drive set points" >/dev/null
vh channel add PLC1 --reg V --type 19 --addr 1.4_20 --var Recipe.Name --comment "recipe name" >/dev/null

echo "Channels of PLC1:"
vh channel list PLC1

# The tag import of the sample exports beside this script, as a dry run: the leaves it would turn
# into channels, with their data block offsets.
here=$(cd "$(dirname "$0")" && pwd)
echo
echo "Leaves a tag import of examples/ would make (dry run):"
"$host" layout --types "$here/MotorData.udt" --tags "$here/PLCTags.xml" --db "$here/DB1_Conveyor.db"

#!/usr/bin/env bash
# Checks a built Debian package without installing it system-wide: its dependencies name the
# libraries it links, and the tree it unpacks runs a tag import of the examples it carries, renders
# its manual page and answers --help.
#   usage: bash packaging/check-package.sh PACKAGE.deb
set -euo pipefail
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

depends=$(dpkg-deb -f "$deb" Depends)
for library in libsqlite3-0 libtinyxml2-9 libuuid1 libstdc++6; do
    case "$depends" in *"$library"*) ;; *) echo "check-package: Depends lacks $library: $depends" >&2; exit 1 ;; esac
done
for script in postinst prerm; do
    dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -qx "./$script" || { echo "check-package: no $script" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$root"
prefix="$root/opt/vireo"
host="$prefix/bin/vireo-host"
examples="$prefix/share/doc/Vireo_EX/examples"
work="$root/work"
mkdir "$work"
cd "$work"
"$host" --help >/dev/null
"$host" import --help | grep -q -- '--block'
"$host" --lang zh device add PLC1
"$host" --lang zh channel delete PLC1 --all
status=$("$host" --lang zh import PLC1 --types "$examples/MotorData.udt" --tags "$examples/PLCTags.xml" \
    --db "$examples/DB1_Conveyor.db" --db "$examples/DB2_TankFarm.db")
[ "$(printf '%s\n' "$status" | head -n 1)" = "$(printf '1\t导入成功')" ] || { echo "check-package: import said: $status" >&2; exit 1; }
channels=$("$host" channel list PLC1 | tail -n +2 | wc -l)
[ "$channels" -eq 46 ] || { echo "check-package: $channels channels instead of 46" >&2; exit 1; }
[ -f "$prefix/drivers/DataType.xml" ] || { echo "check-package: the driver wrote no DataType.xml beside its folder" >&2; exit 1; }
if command -v man >/dev/null; then
    manual=$(MANWIDTH=100 man -l "$prefix/share/man/man1/vireo-host.1" 2>/dev/null)
    for part in 'import DEV' EXAMPLES 'DATA TYPES'; do
        printf '%s' "$manual" | grep -q "$part" ||
            { echo "check-package: the manual page does not show $part" >&2; exit 1; }
    done
fi
[ -f "$prefix/share/bash-completion/completions/vireo-host" ] ||
    { echo "check-package: the package has no bash completion" >&2; exit 1; }
echo "package $(basename "$deb"): depends on $depends; unpacked tree imports the examples ($channels channels)"

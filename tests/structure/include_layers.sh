#!/bin/bash
# Checks that every include points down the layers: a folder includes only its own headers and
# those of the folders below it. Prints each include that points up and fails when there is one.
#   platform < core, lang < types < import < driver < host/project, host/user_input
#   < host/scripted_user, host/wx_backend < host (the commands), host/gui
# The driver side (platform, core, types, import, driver) never includes the host side.
set -euo pipefail
cd "${1:?usage: include_layers.sh SOURCE_DIR}"

rank_of() {
    case "$1" in
        platform/*) echo 0 ;;
        core/* | lang/*) echo 1 ;;
        types/*) echo 2 ;;
        import/*) echo 3 ;;
        driver/*) echo 4 ;;
        host/project/* | host/user_input/*) echo 5 ;;
        host/scripted_user/* | host/wx_backend/*) echo 6 ;;
        host/*) echo 7 ;;
        *) echo "" ;;
    esac
}

status=0
while IFS= read -r file; do
    own=$(rank_of "$file")
    [ -n "$own" ] || continue
    while IFS= read -r included; do
        target=$(rank_of "$included")
        if [ -n "$target" ] && [ "$target" -gt "$own" ]; then
            echo "$file includes $included, a layer above its own"
            status=1
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find platform core lang types import driver host -name '*.h' -o -name '*.cpp' | sort)
# host/project and host/user_input stand side by side: neither may use the other.
if grep -l '#include "host/user_input/' host/project/* >/dev/null 2>&1 || grep -l '#include "host/project/' host/user_input/* >/dev/null 2>&1; then
    echo "host/project and host/user_input include each other"
    status=1
fi
exit $status

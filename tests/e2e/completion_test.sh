#!/bin/bash
# Drives the bash completion of vireo-host as bash does (COMP_WORDS, COMP_CWORD) and checks what it
# offers: commands, subcommands, options, the project's device names and files.
# Usage: completion_test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$1
host="$2/bin/vireo-host"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$host" --project p.vproj device add Line1 >/dev/null && "$host" --project p.vproj device add Press >/dev/null || exit 1
touch tags.xml DB1_A.db

source "$source_dir/packaging/vireo-host.bash"
failures=0
# expect "WORDS..." "WORD THAT MUST BE OFFERED"...
offers() {
    local line=$1
    shift
    read -ra COMP_WORDS <<<"$line"
    COMP_WORDS[0]=$host
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vireo_host
    for wanted in "$@"; do
        if ! printf '%s\n' "${COMPREPLY[@]}" | grep -qxF -- "$wanted"; then
            echo "completing \"$line\": \"$wanted\" not offered (offered: ${COMPREPLY[*]})"
            failures=$((failures + 1))
        fi
    done
}

offers "vireo-host " device channel import layout --version
offers "vireo-host cha" channel
offers "vireo-host channel " add list info delete
offers "vireo-host --project p.vproj channel list " Line1 Press
offers "vireo-host --project p.vproj channel list L" Line1
offers "vireo-host --project p.vproj import " Line1 --tags --db
offers "vireo-host --project p.vproj import Line1 --tags t" tags.xml
offers "vireo-host import Line1 --db D" DB1_A.db
offers "vireo-host channel add Line1 --reg " I Q M V
offers "vireo-host channel list Line1 --format " tsv csv json
offers "vireo-host channel delete Line1 --" --all
offers "vireo-host --lang " zh en
[ "$failures" -eq 0 ] && echo "completion offers what was expected"
[ "$failures" -eq 0 ]

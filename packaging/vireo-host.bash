# Bash completion of vireo-host: commands, their options, device names of the project and file
# arguments. Device names come from `vireo-host device list` on the project the line names
# (--project), so they are always the project's own.

_vireo_host_devices() {
    local project=() i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == --project ]]; then project=(--project "${COMP_WORDS[i + 1]}"); fi
    done
    "${COMP_WORDS[0]}" "${project[@]}" device list 2>/dev/null
}

_vireo_host() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command="" sub="" i word
    # The command and subcommand given so far, skipping the global options and their values.
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
            --project | --driver | --lang) ((i++)) ;;
            -*) ;;
            *) if [[ -z $command ]]; then command=$word; elif [[ -z $sub ]]; then sub=$word; fi ;;
        esac
    done

    case $prev in
        --project | --tags | --db | --types | --out | --batch | --driver)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
        --lang) COMPREPLY=($(compgen -W "zh en" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "tsv csv json" -- "$cur")); return ;;
        --reg) COMPREPLY=($(compgen -W "I Q M V" -- "$cur")); return ;;
        --rw) COMPREPLY=($(compgen -W "0 1 2" -- "$cur")); return ;;
        --name-by) COMPREPLY=($(compgen -W "title file" -- "$cur")); return ;;
        --tia-version | --version) [[ -n $command ]] && { COMPREPLY=($(compgen -W "v13 v15" -- "$cur")); return; } ;;
    esac

    local words
    case $command in
        "") words="device prop channel image info layout import types gui --project --driver --lang --version --help" ;;
        device | prop | channel | types)
            if [[ -z $sub ]]; then
                case $command in
                    device) words="add list remove" ;;
                    prop) words="get set values" ;;
                    channel) words="add list info delete" ;;
                    types) words="list show import delete new" ;;
                esac
            else
                case "$command $sub" in
                    "channel add") words="--reg --type --addr --count --rw --len --var --comment" ;;
                    "channel list") words="--format --names --bom" ;;
                    "channel delete") words="--all" ;;
                    "types import") words="--keep-existing"; COMPREPLY=($(compgen -f -- "$cur")) ;;
                    "types new") words="--batch" ;;
                esac
                if [[ $cur != -* && $command != types && !($command == device && $sub == add) ]]; then
                    words="$words $(_vireo_host_devices)"
                fi
            fi ;;
        import) words="--tags --db --types --name-by --tia-version --block --dry-run $(_vireo_host_devices)" ;;
        layout) words="--tags --db --types --name-by --block" ;;
        image) words="load --out $(_vireo_host_devices)" ;;
        gui) words="$(_vireo_host_devices)" ;;
    esac
    COMPREPLY+=($(compgen -W "$words" -- "$cur"))
}

complete -F _vireo_host vireo-host

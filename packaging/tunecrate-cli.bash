# bash completion for tunecrate-cli
_tunecrate_cli() {
    local cur prev words cword
    _init_completion || return

    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --settings) ((i++)) ;;
            -*) ;;
            *) command=${words[i]}; break ;;
        esac
    done

    case $prev in
        --settings) _filedir ini; return ;;
        --limit | --seed | --label | --uuid | --per-folder | --folder-limit | --max-folders) return ;;
        --balance)
            COMPREPLY=($(compgen -W "folder none" -- "$cur"))
            return
            ;;
    esac

    local fill="--delete-old --limit --seed --folder --yes --json --eject --per-folder --number
        --folder-limit --max-folders --no-number --playlist --no-playlist --balance --dry-run"
    local options
    case $command in
        "") options="--settings --help --version add remove list status fill order drives ext watch" ;;
        add) options="--recursive --help" ;;
        remove) options="--help" ;;
        list | status) options="--json --help" ;;
        fill) options="$fill --help" ;;
        order) options="--folder --json --help" ;;
        watch) options="--label --uuid --once $fill --help" ;;
        drives) options="--json --help" ;;
        ext)
            if [[ ${words[cword - 1]} == ext ]]; then
                COMPREPLY=($(compgen -W "list add remove" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "--json --help" -- "$cur"))
            fi
            return
            ;;
    esac
    if [[ -z $command || $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    # Collections are files; music folders and sticks are folders.
    case $command in
        add | remove | fill | order) _filedir ;;
        list | status | watch) _filedir ini ;;
    esac
} && complete -F _tunecrate_cli tunecrate-cli

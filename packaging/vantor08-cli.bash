# Bash completion for vantor08-cli: commands, archive levels and attribute keys.
_vantor08_cli()
{
    local cur prev words cword
    _init_completion -n := || return

    local commands="find levels list get set diff export import check scan"
    local levels="Easy Medium Difficlt"
    local defs=() i command="" argn=0
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
        --defs) defs=(--defs "${words[i + 1]}"); ((i++)) ;;
        --defs=*) defs=("${words[i]}") ;;
        -*) ;;
        *) if [[ -z $command ]]; then command=${words[i]}; else ((argn++)); fi ;;
        esac
    done

    if [[ $prev == --defs ]]; then
        _filedir xml
        return
    fi
    if [[ $prev == --text || $prev == --from ]]; then
        _filedir txt
        return
    fi
    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--defs --help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi
    if [[ $cur == -* ]]; then
        local options="--help --json"
        [[ $command == export ]] && options="--help --text --all"
        [[ $command == set ]] && options="--help --from"
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    # ARCHIVE:LEVEL: the levels after the last colon.
    if [[ $cur == *:* ]]; then
        local archive=${cur%:*} given=${cur##*:} level
        for level in $levels; do
            [[ ${level,,} == "${given,,}"* ]] && COMPREPLY+=("$archive:$level")
        done
        __ltrim_colon_completions "$cur"
        return
    fi
    # Keys after get SOURCE and set ARCHIVE:LEVEL, from the definitions in use.
    if [[ ($command == get && $argn -eq 1) || ($command == set && $argn -ge 1) ]]; then
        local keys
        keys=$(vantor08-cli "${defs[@]}" keys 2>/dev/null)
        if [[ $command == set ]]; then
            compopt -o nospace
            COMPREPLY=($(compgen -W "$keys" -S = -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$keys" -- "$cur"))
        fi
        return
    fi
    _filedir
} && complete -F _vantor08_cli vantor08-cli

# bash completion for slanter-cli: the verbs, then the options of the verb (those its
# --help lists), picture files where a file is named.
_slanter_cli() {
    local cur prev verb options
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W 'patterns info convert preview --help --version' -- "$cur")
        return
    fi
    verb=${COMP_WORDS[1]}
    case $verb in
    patterns) options='--vertical --sort=angle --sort=area --exact --angle --scale --help' ;;
    info) options='--scale --help' ;;
    convert) options='--pattern --angle --vertical --left --smooth --sort=angle --sort=area
                      --threads --scale --fill --set-wallpaper --out-dir --format=png
                      --format=bmp --help' ;;
    preview) options='--pattern --angle --vertical --left --sort=angle --sort=area --segments
                      --help' ;;
    *) return ;;
    esac
    # Options that take a number: nothing to offer.
    case $prev in
    --pattern | --angle | --threads | --scale | --fill) return ;;
    --out-dir)
        compopt -o dirnames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return
        ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    elif [[ $verb != preview ]]; then
        # patterns, info and convert name picture files (convert also its output).
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}
complete -F _slanter_cli slanter-cli

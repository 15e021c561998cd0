# bash completion for vr8200ctl. The words come from the tool itself (vr8200ctl
# --completion-words), so subcommands, options and command mnemonics never drift from it.

_vr8200ctl_words() {
    local tool=$1
    if [[ ${_vr8200ctl_cached_for-} != "$tool" ]]; then
        _vr8200ctl_cache=$("$tool" --completion-words 2>/dev/null) || _vr8200ctl_cache=
        _vr8200ctl_cached_for=$tool
    fi
}

_vr8200ctl() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    _vr8200ctl_words "${COMP_WORDS[0]}"
    [[ -n $_vr8200ctl_cache ]] || return 0

    local -A valueOf=() isCommand=()
    local -a mnemonics=()
    local kind path name value
    while IFS=$'\t' read -r kind path name value; do
        case $kind in
        command) isCommand[$path]=1 ;;
        option) valueOf["$path $name"]=$value ;;
        positional) valueOf["$path <$name>"]=$value ;;
        mnemonic) mnemonics+=("$name") ;;
        esac
    done <<<"$_vr8200ctl_cache"

    # The subcommand typed so far ("lut curve"), skipping options and their values.
    local command= i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ $word == -* ]]; then
            local takes=${valueOf["- $word"]-${valueOf["${command:--} $word"]-flag}}
            [[ $takes != flag ]] && ((i++))
            continue
        fi
        if [[ -z $command && -n ${isCommand[$word]-} ]]; then
            command=$word
        elif [[ -n $command && -n ${isCommand["$command $word"]-} ]]; then
            command="$command $word"
        fi
    done

    # The value of an option.
    if [[ $prev == -* ]]; then
        local takes=${valueOf["- $prev"]-${valueOf["${command:--} $prev"]-flag}}
        case $takes in
        flag) ;;
        device) COMPREPLY=($(compgen -f -- "${cur:-/dev/tty}")); return 0 ;;
        dir) COMPREPLY=($(compgen -d -- "$cur")); return 0 ;;
        choices\ *) COMPREPLY=($(compgen -W "${takes#choices }" -- "$cur")); return 0 ;;
        *) return 0 ;;
        esac
    fi

    local -a words=()
    local key
    if [[ $cur == -* ]]; then
        for key in "${!valueOf[@]}"; do
            [[ $key == "- --"* || ( -n $command && $key == "$command --"* ) ]] && words+=("${key##* }")
        done
        COMPREPLY=($(compgen -W "${words[*]}" -- "$cur"))
        return 0
    fi
    local group=
    if [[ -n $command && $command != *" "* ]]; then
        for key in "${!isCommand[@]}"; do [[ $key == "$command "* ]] && group=1; done
    fi
    if [[ -z $command || -n $group ]]; then
        local prefix=${command:+$command }
        for key in "${!isCommand[@]}"; do
            if [[ -z $command && $key != *" "* ]]; then
                words+=("$key")
            elif [[ -n $command && $key == "$prefix"* ]]; then
                words+=("${key#$prefix}")
            fi
        done
        COMPREPLY=($(compgen -W "${words[*]}" -- "$cur"))
        return 0
    fi
    for key in "${!valueOf[@]}"; do
        [[ $key == "$command <"* ]] || continue
        case ${valueOf[$key]} in
        mnemonic) COMPREPLY=($(compgen -W "${mnemonics[*]}" -- "$cur")); return 0 ;;
        set) compopt -o nospace 2>/dev/null; COMPREPLY=($(compgen -W "${mnemonics[*]/%/=}" -- "$cur")); return 0 ;;
        choices\ *) COMPREPLY=($(compgen -W "${valueOf[$key]#choices }" -- "$cur")); return 0 ;;
        file) COMPREPLY=($(compgen -f -- "$cur")); return 0 ;;
        esac
    done
    return 0
}

complete -F _vr8200ctl vr8200ctl

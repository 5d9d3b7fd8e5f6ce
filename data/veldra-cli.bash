# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Bash completion for veldra-cli: commands, options, BMP images, files to
# add, and the names hidden in the image for remove and extract.
#
# Hidden names come from whoever made the image: they are data only. No
# name and no word typed on the line goes through eval, compgen -W or an
# unquoted expansion here: words are read character by character, and
# quoted by printf %q or character by character.

# Reads WORD as the shell would, expanding nothing, and sets _veldra_value
# to the text it stands for, _veldra_open to the quoting still open at its
# end (', ", $' or \ for a trailing backslash; empty if none), _veldra_tail
# to where that open part starts in WORD, _veldra_head to the length of the
# value before it, and _veldra_break to just after the last unquoted
# word-break character (see COMP_WORDBREAKS).
_veldra_cli_dequote()
{
    local word=$1 value="" open="" tail=${#1} head=0 brk=0 i c n
    for ((i = 0; i < ${#word}; i++)); do
        c=${word:i:1} n=${word:i+1:1}
        case $open in
            "'")
                [[ $c == "'" ]] && open="" || value+=$c
                ;;
            '"')
                if [[ $c == '"' ]]; then
                    open=""
                elif [[ $c == '\' && $n == [\$\`\"\\] ]]; then
                    value+=$n && ((i++))
                elif [[ $c == '\' && $n == $'\n' ]]; then
                    ((i++))
                else
                    value+=$c
                fi
                ;;
            "\$'")
                if [[ $c == "'" ]]; then
                    open=""
                elif [[ $c != '\' ]]; then
                    value+=$c
                elif [[ ${word:i+1} =~ ^(x[[:xdigit:]]{1,2}|u[[:xdigit:]]{1,4}|U[[:xdigit:]]{1,8}|[0-7]{1,3}|[abeEfnrtv]) ]]; then
                    # Only a checked escape ever reaches printf's format.
                    printf -v c "\\${BASH_REMATCH[1]}"
                    value+=$c && ((i += ${#BASH_REMATCH[1]}))
                elif [[ -n $n ]]; then
                    value+=$n && ((i++))
                fi
                ;;
            *)
                tail=$i head=${#value}
                if [[ $c == '\' && -z $n ]]; then
                    open='\'
                elif [[ $c == '\' ]]; then
                    [[ $n == $'\n' ]] || value+=$n
                    ((i++))
                elif [[ $c == [\'\"] ]]; then
                    open=$c
                elif [[ $c == '$' && $n == "'" ]]; then
                    open="\$'" && ((i++))
                elif [[ $c == '$' && $n == '"' ]]; then
                    # $"..." reads as "...": its $ stays on the line.
                    open='"' tail=$((i + 1)) && ((i++))
                else
                    value+=$c
                    [[ $COMP_WORDBREAKS == *"$c"* ]] && brk=$((i + 1))
                fi
                ;;
        esac
    done
    [[ -z $open ]] && tail=${#word} head=${#value}
    _veldra_value=$value _veldra_open=$open _veldra_tail=$tail
    _veldra_head=$head _veldra_break=$brk
}

# Quotes TEXT for the shell into REPLY, as printf %q does, or inside the
# quoting STYLE (', " or $') and closing it at the end. A character that
# STYLE cannot hold as it is (a control character, or ! in double quotes,
# which history expansion would see) is written outside it, by printf %q.
_veldra_cli_quote()
{
    local style=$1 text=$2 out="" c q i
    if [[ -z $style ]]; then
        REPLY=""
        [[ -z $text ]] || printf -v REPLY %q "$text"
        return
    fi
    for ((i = 0; i < ${#text}; i++)); do
        c=${text:i:1}
        printf -v q %q "$c"
        case $style in
            "'") [[ $c == "'" || $q == \$* ]] && out+="'$q'" || out+=$c ;;
            '"')
                if [[ $q == \$* || $c == '!' ]]; then
                    out+="\"$q\""
                elif [[ $c == [\$\`\"\\] ]]; then
                    out+=\\$c
                else
                    out+=$c
                fi
                ;;
            *)
                if [[ $q == \$\'* ]]; then
                    q=${q#??} && out+=${q%?}
                elif [[ $c == [\\\'] ]]; then
                    out+=\\$c
                else
                    out+=$c
                fi
                ;;
        esac
    done
    [[ $style == "'" || $style == '"' ]] && REPLY=$style$out$style || REPLY=$style$out\'
}

# The path WORD names, its quoting removed and a leading ~ or ~/ made $HOME.
_veldra_cli_path()
{
    _veldra_cli_dequote "$1"
    REPLY=$_veldra_value
    [[ $1 == '~' || $1 == '~/'* ]] && REPLY=$HOME${REPLY:1}
}

# Files as _filedir offers them (same arguments). Readline keeps what CUR
# holds up to its last unquoted = or :, so the replies leave that part out.
_veldra_cli_files()
{
    _filedir "$@"
    local keep=${cur%"${cur##*[=:]}"}
    if [[ -n $keep ]]; then
        COMPREPLY=("${COMPREPLY[@]#"$keep"}")
    fi
}

# The names hidden in BITMAP, exact, into the array _veldra_names. Only
# images that need no password: never ask on the terminal here. JSON keeps
# every character of a name; the last object of a damaged container has no
# name and is skipped.
_veldra_cli_hidden_names()
{
    local line rest text esc re='^[[:space:]]*"name": "(.*)",?$'
    _veldra_names=()
    # A regular file only: reading a pipe or a device could hang the shell.
    [[ -f $1 ]] || return
    while IFS= read -r line; do
        [[ $line =~ $re ]] || continue
        rest=${BASH_REMATCH[1]} text=""
        while [[ $rest == *\\* ]]; do
            text+=${rest%%\\*} rest=${rest#*\\}
            esc=${rest:0:1} rest=${rest:1}
            case $esc in
                b) text+=$'\b' ;;
                f) text+=$'\f' ;;
                n) text+=$'\n' ;;
                r) text+=$'\r' ;;
                t) text+=$'\t' ;;
                u)
                    [[ $rest =~ ^[[:xdigit:]]{4} ]] || continue 2
                    printf -v esc "\\u${rest:0:4}"
                    text+=$esc rest=${rest:4}
                    ;;
                *) text+=$esc ;;
            esac
        done
        _veldra_names+=("$text$rest")
    done < <(veldra-cli list --json --no-prompt -- "$1" 2>/dev/null </dev/null)
}

# Completes CUR, the word typed so far, with the names hidden in BITMAP.
# Readline replaces only the part of CUR after an open quote or else after
# the last unquoted word-break character, drops that open quote when the
# replacement starts with the same one, and adds a closing quote when the
# replacement does not end with it. So each reply is the rest of CUR from
# there, with its open part and the rest of the name quoted afresh.
_veldra_cli_complete_names()
{
    local cur=$2 i c rlquote="" skip=0 from=0 name value open tail head
    # Where readline's completion text starts, found as readline finds it.
    for ((i = 0; i < ${#cur}; i++)); do
        c=${cur:i:1}
        if ((skip)); then
            skip=0
        elif [[ $rlquote != "'" && $c == '\' ]]; then
            skip=1
        elif [[ -n $rlquote ]]; then
            [[ $c == "$rlquote" ]] && rlquote=""
        elif [[ $c == [\'\"] ]]; then
            rlquote=$c from=$i
        fi
    done
    _veldra_cli_dequote "$cur"
    value=$_veldra_value open=$_veldra_open tail=$_veldra_tail head=$_veldra_head
    [[ -z $rlquote ]] && from=$_veldra_break
    [[ $open == '\' ]] && open=""
    _veldra_cli_hidden_names "$1"
    for name in "${_veldra_names[@]}"; do
        [[ $name == "$value"* ]] || continue
        _veldra_cli_quote "$open" "${name:head}"
        # Readline's quote can lie inside the open part ($' opened before
        # it): what stays on the line before it must read as typed.
        if ((tail < from)); then
            [[ $REPLY == "${cur:tail:from-tail}"* ]] || continue
            REPLY=${REPLY:from-tail}
        else
            REPLY=${cur:from:tail-from}$REPLY
        fi
        [[ -n $rlquote && $REPLY != *"$rlquote" ]] && REPLY+=$rlquote$rlquote
        COMPREPLY+=("$REPLY")
    done
    compopt +o filenames 2>/dev/null
}

_veldra_cli()
{
    local cur prev words cword
    _init_completion -n =: || return

    local commands="info list add remove extract protect unprotect carrier analyse seal unseal"
    local REPLY _veldra_value _veldra_open _veldra_tail _veldra_head _veldra_break _veldra_names
    local command="" bitmap="" dashdash="" sealed="" i
    for ((i = 1; i < cword; i++)); do
        if [[ -z $dashdash ]]; then
            case ${words[i]} in
                --password-file | --new-password-file | --name | -o | --output | --wait)
                    ((i++))
                    continue
                    ;;
                --) dashdash=1 && continue ;;
                --sealed) sealed=1 && continue ;;
                -*) continue ;;
            esac
        fi
        _veldra_cli_path "${words[i]}"
        if [[ -z $command ]]; then
            command=$REPLY
        elif [[ -z $bitmap ]]; then
            bitmap=$REPLY
        fi
    done

    if [[ -z $dashdash ]]; then
        case $prev in
            --password-file | --new-password-file)
                _veldra_cli_files
                return
                ;;
            --name | --wait)
                return
                ;;
            -o | --output)
                _veldra_cli_files -d
                return
                ;;
        esac
    fi

    if [[ -z $dashdash && $cur == -* ]]; then
        local options="--help --version --password-file --no-prompt"
        case $command in
            info | list | analyse) options+=" --json" ;;
            carrier) options="--help --force" ;;
            add) options+=" --protect --no-protect --new-password-file --name --wait --force" ;;
            extract) options+=" --output -o --no-clobber" ;;
            protect) options+=" --new-password-file --wait --force" ;;
            remove | unprotect) options+=" --wait --force" ;;
            seal | unseal) options+=" --wait" ;;
        esac
        case $command in
            info | list | add | remove | extract) options+=" --sealed" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
    elif [[ $command == carrier ]]; then
        # Any picture, then the BMP to make.
        if [[ -z $bitmap ]]; then
            _veldra_cli_files
        else
            _veldra_cli_files '@(bmp|BMP)'
        fi
    elif [[ -z $bitmap ]]; then
        _veldra_cli_files '@(bmp|BMP)'
    elif [[ $command == add || $command == seal ]]; then
        _veldra_cli_files
    elif [[ -z $sealed && ($command == remove || $command == extract) ]]; then
        # The names of a sealed container stay sealed: none are offered.
        _veldra_cli_complete_names "$bitmap" "$cur"
    fi
} &&
    complete -F _veldra_cli veldra-cli

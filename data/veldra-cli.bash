# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Bash completion for veldra-cli: commands, options, BMP images, files to
# add, and the names hidden in the image for remove and extract.

_veldra_cli_hidden_names()
{
    # Only images that need no password: never ask on the terminal here.
    local bitmap=$1 line
    while IFS=$'\t' read -r _ line; do
        printf '%s\n' "$line"
    done < <(veldra-cli list "$bitmap" --no-prompt 2>/dev/null)
}

_veldra_cli()
{
    local cur prev words cword
    _init_completion -n = || return

    local commands="info list add remove extract protect unprotect carrier analyse"
    local command="" bitmap="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --password-file | --new-password-file | --name | -o | --output | --wait)
                ((i++))
                ;;
            -*) ;;
            *)
                if [[ -z $command ]]; then
                    command=${words[i]}
                elif [[ -z $bitmap ]]; then
                    bitmap=${words[i]}
                fi
                ;;
        esac
    done

    case $prev in
        --password-file | --new-password-file)
            _filedir
            return
            ;;
        --name | --wait)
            return
            ;;
        -o | --output)
            _filedir -d
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        local options="--help --version --password-file --no-prompt"
        case $command in
            info | list | analyse) options+=" --json" ;;
            carrier) options="--help --force" ;;
            add) options+=" --protect --no-protect --new-password-file --name --wait" ;;
            extract) options+=" --output -o" ;;
            protect) options+=" --new-password-file --wait" ;;
            remove | unprotect) options+=" --wait" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
    elif [[ $command == carrier ]]; then
        # Any picture, then the BMP to make.
        [[ -z $bitmap ]] && _filedir || _filedir '@(bmp|BMP)'
    elif [[ -z $bitmap ]]; then
        _filedir '@(bmp|BMP)'
    elif [[ $command == add ]]; then
        _filedir
    elif [[ $command == remove || $command == extract ]]; then
        local IFS=$'\n'
        COMPREPLY=($(compgen -W "$(_veldra_cli_hidden_names "$bitmap")" -- "$cur"))
        compopt -o filenames 2>/dev/null
    fi
} &&
    complete -F _veldra_cli veldra-cli

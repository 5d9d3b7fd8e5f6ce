#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Completes the names hidden in an image as bash does on Tab, and fails when
# completing runs what a name holds or offers a word that does not read back
# as the exact name. Skipped (77) without bash-completion.
#   check-completion.sh PROGRAM COMPLETION-SCRIPT
bash_completion=/usr/share/bash-completion/bash_completion
[[ -r $bash_completion ]] || exit 77
export LC_ALL=C.UTF-8
program=$(realpath "$1") script=$(realpath "$2")
HOME=$(mktemp -d) && trap 'rm -rf "$HOME"' EXIT && cd "$HOME" || exit 1
PATH=${program%/*}:$PATH
source "$bash_completion" && source "$script" || exit 1

{ printf 'P6 64 64 255\n' && head -c 12288 /dev/zero; } >black.ppm
veldra-cli carrier black.ppm 'my pic.bmp' >/dev/null || exit 1
names=('$(touch pwned)' '`touch pwned2`' "it's" '"quoted"' '$HOME' 'two  blanks'
    'back\slash' 'star*?[x]' '-dash' 'café' '~tilde')
plain=() single=()
for name in "${names[@]}"; do
    printf x | veldra-cli add 'my pic.bmp' - --name "$name" --no-prompt || exit 1
    printf -v word %q "$name" && plain+=("$word") single+=("${name@Q}")
done
cp 'my pic.bmp' pic.bmp

failed=0
# expect WORD... -- REPLY...: completing the last WORD of "veldra-cli WORD..."
# offers exactly the REPLY words, in any order.
expect()
{
    local words=(veldra-cli) got want
    while [[ $1 != -- ]]; do words+=("$1") && shift; done
    shift
    COMP_WORDS=("${words[@]}") COMP_CWORD=$((${#words[@]} - 1)) COMPREPLY=()
    COMP_LINE=${words[*]} && COMP_POINT=${#COMP_LINE}
    _veldra_cli veldra-cli "${words[-1]}" "${words[-2]}"
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort) want=$(printf '%s\n' "$@" | sort)
    [[ $got == "$want" ]] || { echo "FAIL: ${words[*]}: got ${COMPREPLY[*]@Q}" && failed=1; }
}

for command in extract remove; do
    for image in pic.bmp "'my pic.bmp'" 'my\ pic.bmp' '"my pic.bmp"' '~/my\ pic.bmp' "~/'my pic.bmp'"; do
        expect "$command" "$image" '' -- "${plain[@]}"
    done
done
expect --wait 5 extract --password-file pw -o out 'my\ pic.bmp' "'" -- "${single[@]}"
expect extract 'my\ pic.bmp' '\$' -- '\$\(touch\ pwned\)' '\$HOME'
expect remove 'my\ pic.bmp' "'it" -- "'it'\\''s'"
expect remove 'my\ pic.bmp' '"back\\' -- '"back\\slash"'
# The sealed commands and option; a sealed container's names stay sealed.
expect se -- seal
expect uns -- unseal
expect extract pic.bmp --seal -- --sealed
expect extract pic.bmp --sealed '' --
if [[ -e pwned || -e pwned2 ]]; then
    echo "FAIL: completion ran a command hidden in a name" && failed=1
fi
exit $failed

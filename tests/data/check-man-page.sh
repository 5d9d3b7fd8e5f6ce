#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Fails when the man page leaves out an option or a command that the
# program's --help names, so that the two stay in step.
#   check-man-page.sh PROGRAM MAN-PAGE
set -euo pipefail
program=$1
page=$2
help=$("$program" --help)
# The man page as it reads, with roff's escaped hyphens plain.
text=$(sed -e 's/\\-/-/g' "$page")
missing=0
for option in $(grep -oE -- '--[a-z][a-z-]+' <<<"$help" | sort -u); do
  if ! grep -qF -- "$option" <<<"$text"; then
    echo "$page does not mention $option" >&2
    missing=1
  fi
done
# Commands: the first word of each line under "Commands:" in the help.
for command in $(sed -n '/^Commands:/,/^$/p' <<<"$help" | awk 'NR > 1 && NF {print $1}' | sort -u); do
  if ! grep -qE -- "(^|[^a-z-])$command([^a-z-]|$)" <<<"$text"; then
    echo "$page does not mention the command $command" >&2
    missing=1
  fi
done
exit $missing

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Installs what building, running and testing Veldra needs on Debian 12,
# and any further packages named on the command line.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-image-formats-plugins libgl-dev
  libxxhash-dev libbenchmark-dev fonts-liberation qt6-tools-dev qt6-l10n-tools bash-completion
  libsodium-dev python3-nacl python3-numpy "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Builds Veldra and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The programs and what installing them takes, so that cmake --install works next.
cmake --build build --target veldra veldra-cli veldra-carrier veldra_data
exec ./build/src/veldra "$@"

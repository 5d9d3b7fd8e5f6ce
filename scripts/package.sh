#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Builds the Debian package build-deb/veldra_<version>_<arch>.deb from this
# checkout, with Debian's hardening flags, and checks it as a distribution
# would: lintian, the AppStream metainfo, the desktop entry, the man pages.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dpkg-dev file lintian appstream desktop-file-utils man-db

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
rm -rf build-deb
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDRA_BUILD_TESTS=OFF \
  -DVELDRA_BUILD_BENCHMARKS=OFF -DVELDRA_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build build-deb
(cd build-deb && cpack -G DEB)

deb=$(ls build-deb/veldra_*.deb)
lintian --fail-on error,warning --display-info "$deb"
appstreamcli validate --no-net data/org.veldra.Veldra.metainfo.xml
desktop-file-validate data/org.veldra.Veldra.desktop
for page in build-deb/data/*.1; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [[ -n $warnings ]]; then
    echo "$page: $warnings" >&2
    exit 1
  fi
done
echo "Built and checked $deb"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Builds the core, veldra-cli and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the tests, then runs each fuzz target
# for a bounded time (FUZZ_SECONDS, default 60). Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-14 libclang-rt-14-dev

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDRA_SANITIZE=ON \
  -DVELDRA_BUILD_UI=OFF -DVELDRA_BUILD_BENCHMARKS=OFF -DVELDRA_WERROR=ON
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DVELDRA_FUZZ=ON -DVELDRA_BUILD_UI=OFF -DVELDRA_BUILD_TESTS=OFF -DVELDRA_BUILD_BENCHMARKS=OFF
cmake --build build-fuzz
mkdir -p build-fuzz/artifacts
for target in open roundtrip writer pairs sealed; do
  corpus="build-fuzz/corpus-$target"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  echo "== fuzz_$target for ${FUZZ_SECONDS:-60} s"
  ./build-fuzz/fuzz/fuzz_"$target" -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ "$corpus" \
    2>&1 | grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)'
done

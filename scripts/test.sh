#!/usr/bin/env bash
# The whole test suite: unit, acceptance, window, lint and browser tests
# through CTest; then the C++ tests again, built by clang with AddressSanitizer
# and UndefinedBehaviorSanitizer into build-sanitize (without the game pane:
# Chromium in a sanitized process is not the window's code under test), and
# every fuzz target for a minute on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
(cd build && ctest --output-on-failure -j "$(nproc)")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUENLO_SANITIZE=ON -DQUENLO_FUZZ=ON -DQUENLO_BUILD_BENCHMARKS=OFF -DQUENLO_GAME_PANE=OFF > /dev/null
cmake --build build-sanitize -j "$(nproc)"
source scripts/sanitizer_options.sh
(cd build-sanitize && ctest --output-on-failure -j "$(nproc)" -E '^(browser|runtime_lint)$')
scripts/fuzz.sh 60 build-sanitize

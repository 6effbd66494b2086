#!/usr/bin/env bash
# The whole test suite: unit and acceptance tests through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cd build
ctest --output-on-failure -j "$(nproc)"

#!/usr/bin/env bash
# Configures and builds Quenlo into build/ (after installing what is missing).
# The build is quiet: CMake's and the compiler's output go to build/build.log,
# shown only when the build fails, so that standard output carries nothing
# before the programs' own lines and a reader that stops early (`| grep -m1`)
# cannot break the build. What the installer says goes to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh >&2
mkdir -p build
log=build/build.log
if ! { cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build build -j "$(nproc)"; } > "$log" 2>&1; then
    cat "$log" >&2
    echo "build.sh: the build failed; its output is in $log" >&2
    exit 1
fi

#!/usr/bin/env bash
# Quenlo's main job. Without arguments it opens the desktop application; with
# arguments it runs the command-line builder, e.g. `scripts/run.sh build DIR`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ $# -eq 0 ] && [ -x build/src/app/quenlo ]; then
    exec build/src/app/quenlo
fi
exec build/src/cli/quenlo-cli "$@"

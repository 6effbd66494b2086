#!/usr/bin/env bash
# Quenlo's main job. Without arguments it opens the desktop application, quenlo;
# with arguments it runs the command-line builder, e.g. `scripts/run.sh build DIR`.
# Either way it first installs what is missing and builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ $# -eq 0 ]; then
    if [ ! -x build/src/app/quenlo ]; then
        echo "run.sh: the desktop application was not built (Qt 6 Widgets missing?)" >&2
        exit 1
    fi
    exec build/src/app/quenlo
fi
exec build/src/cli/quenlo-cli "$@"

#!/usr/bin/env bash
# The browser suite: installs playwright-core once (pinned in package-lock),
# then plays the generated pages in Debian's Chromium with Node's test runner.
#   run.sh QUENLO_CLI ARTIFACTS_FOLDER [LARGE_PROJECT_WRITER]
set -euo pipefail
cd "$(dirname "$0")"
export QUENLO_CLI=$1
export QUENLO_ARTIFACTS=$2
export QUENLO_LARGE_PROJECT=${3:-}
if [ ! -d node_modules/playwright-core ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
exec node --test --test-concurrency=1 --test-reporter=spec

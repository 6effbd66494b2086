#!/usr/bin/env bash
# The browser suite: installs its npm packages once (pinned in package-lock),
# then plays the generated pages in Debian's Chromium and Firefox ESR with
# Node's test runner.
#   run.sh QUENLO_CLI ARTIFACTS_FOLDER [LARGE_PROJECT_WRITER]
set -euo pipefail
cd "$(dirname "$0")"
export QUENLO_CLI=$1
export QUENLO_ARTIFACTS=$2
export QUENLO_LARGE_PROJECT=${3:-}
# npm trusts only its own certificate bundle; a machine that reaches the
# registry through its own certificate authority has it in the system bundle.
if [ -z "${npm_config_cafile:-}" ] && [ -r /etc/ssl/certs/ca-certificates.crt ]; then
    export npm_config_cafile=/etc/ssl/certs/ca-certificates.crt
fi
if [ ! -d node_modules/playwright-core ] || [ ! -d node_modules/puppeteer-core ] \
    || [ ! -d node_modules/axe-core ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
# One test file at a time: they share the machine's two cores and one browser
# binary. Node before 20.10 has no --test-concurrency and runs files in order.
concurrency=()
node -e 'const [a, b] = process.versions.node.split(".").map(Number);
         process.exit(a > 20 || (a === 20 && b >= 10) ? 0 : 1)' && concurrency=(--test-concurrency=1)
exec node --test "${concurrency[@]}" --test-reporter=spec

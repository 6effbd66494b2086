#!/usr/bin/env bash
# Lints the game page's runtime, runtime/*.js, with ESLint: installs it once
# (pinned in package-lock), then checks with eslint.config.js beside this file.
# Options go on to ESLint: run.sh --fix puts the indentation right.
set -euo pipefail
cd "$(dirname "$0")"
# npm trusts only its own certificate bundle; a machine that reaches the
# registry through its own certificate authority has it in the system bundle.
if [ -z "${npm_config_cafile:-}" ] && [ -r /etc/ssl/certs/ca-certificates.crt ]; then
    export npm_config_cafile=/etc/ssl/certs/ca-certificates.crt
fi
if [ ! -d node_modules/eslint ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
cd ../..
exec tests/lint/node_modules/.bin/eslint --config tests/lint/eslint.config.js "$@" runtime

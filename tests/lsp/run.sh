#!/usr/bin/env bash
# The language server's acceptance test: installs the protocol's npm packages
# once (pinned in package-lock), then drives quenlo-cli lsp with Node's test runner.
#   run.sh QUENLO_CLI
set -euo pipefail
cd "$(dirname "$0")"
export QUENLO_CLI=$1
if [ -z "${npm_config_cafile:-}" ] && [ -r /etc/ssl/certs/ca-certificates.crt ]; then
    export npm_config_cafile=/etc/ssl/certs/ca-certificates.crt
fi
[ -d node_modules/vscode-languageserver-protocol ] || npm ci --no-audit --no-fund --loglevel=error
exec node --test --test-reporter=spec

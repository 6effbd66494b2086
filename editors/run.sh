#!/usr/bin/env bash
# The editor packages' tests: the VS Code extension (grammars, the .vsix,
# the problem matcher), the Kate highlighting against its golden outputs, and
# the README's Neovim settings receiving a diagnostic from the server.
#   run.sh QUENLO_CLI
set -euo pipefail
cd "$(dirname "$0")"
export QUENLO_CLI=$1
if [ -z "${npm_config_cafile:-}" ] && [ -r /etc/ssl/certs/ca-certificates.crt ]; then
    export npm_config_cafile=/etc/ssl/certs/ca-certificates.crt
fi
[ -d vscode/node_modules/@vscode/vsce ] || (cd vscode && npm ci --no-audit --no-fund --loglevel=error)
exec node --test --test-reporter=spec vscode/ kate/ neovim/

#!/usr/bin/env bash
# Installs the Debian packages Quenlo needs to build and test, skipping those
# already present. Runs apt-get as root, or through sudo when there is one.
set -euo pipefail

packages=(
    build-essential cmake
    libgtest-dev libgmock-dev libbenchmark-dev
    # pkg-config finds the script engine below; curl and ss (iproute2) try
    # the live preview.
    pkg-config curl iproute2
    # The engine of Firefox ESR that compiles the pages' scripts to find their
    # syntax errors.
    libmozjs-102-dev
    # The language server's JSON; the editors' tests: Kate's highlighter and
    # a headless Neovim.
    nlohmann-json3-dev libkf5syntaxhighlighting-tools neovim
    qt6-base-dev
    # The story map's layout (dot, through libgvc) and the `dot` command its
    # test hands the DOT of `quenlo-cli graph` to.
    libgraphviz-dev graphviz
    # The window's game pane (optional when configuring).
    qt6-webengine-dev
    # The window's editor of the project files.
    libqscintilla2-qt6-dev
    xvfb xauth
    # The explorer reads the browser's debugging protocol.
    nlohmann-json3-dev
    chromium firefox-esr fonts-liberation fonts-dejavu-core
    # The sanitized build and the fuzz targets: clang, its sanitizer and
    # libFuzzer runtimes (only recommended by clang), llvm-symbolizer for
    # readable stacks.
    clang libclang-rt-dev llvm
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node.js may come from elsewhere than Debian (with npm bundled, and then
# Debian's npm package conflicts with it): ask for the commands, not packages.
command -v node > /dev/null || missing+=(nodejs)
command -v npm > /dev/null || missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

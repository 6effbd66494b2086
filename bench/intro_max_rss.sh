#!/usr/bin/env bash
# Peak memory of a release build whose "intro.qni" holds 64 MB of text: makes
# a new project, repeats its introduction (Italian text with accented letters
# and screen breaks "§") up to the size, builds it under GNU time and prints
# the maximum resident set size and its ratio to the introduction's size.
#   bench/intro_max_rss.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail

build_dir=${1:-build}
megabytes=${2:-64}
cli="$build_dir/src/cli/quenlo-cli"
[[ -x $cli ]] || { echo "missing $cli: build it first" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "needs GNU time (/usr/bin/time, Debian package time)" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
project="$scratch/project"
"$cli" new "$project" >/dev/null

# The introduction's screens repeated `count` times, by doubling: a file of
# 1, 2, 4, ... screens is added for each bit set in the count.
intro="$project/intro.qni"
{ cat "$intro"; printf '\r\n\xc2\xa7\r\n'; } >"$scratch/block"
count=$((megabytes * 1024 * 1024 / $(stat -c %s "$scratch/block")))
: >"$intro"
while ((count > 0)); do
    ((count % 2 == 0)) || cat "$scratch/block" >>"$intro"
    cat "$scratch/block" "$scratch/block" >"$scratch/doubled"
    mv "$scratch/doubled" "$scratch/block"
    count=$((count / 2))
done
size=$(stat -c %s "$intro")

/usr/bin/time -f '%M' -o "$scratch/rss" "$cli" build --release "$project" >/dev/null
rss_kb=$(tail -n 1 "$scratch/rss")
echo "intro.qni: $((size / 1024)) KB"
echo "quenlo-cli build --release: max RSS $rss_kb KB"
awk -v r="$rss_kb" -v s="$size" 'BEGIN { printf "ratio: %.1fx\n", r * 1024 / s }'

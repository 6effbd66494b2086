#!/usr/bin/env bash
# Times a release build of the largest project against `cat` doing the
# least a build must do: read every input and write three times their bytes
# (the debug page, the release page and a copy's worth of slack). The two
# commands run alternately, so both see the same machine load; prints the
# median wall time of each and their ratio.
#   bench/cli_vs_cat.sh [BUILD_DIR] [RUNS]
set -euo pipefail

build_dir=${1:-build}
runs=${2:-21}
cli="$build_dir/src/cli/quenlo-cli"
writer="$build_dir/bench/quenlo_write_large_project"
for program in "$cli" "$writer"; do
    [[ -x $program ]] || { echo "missing $program: build it first" >&2; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
project="$scratch/project"
"$writer" "$project"
inputs=("$project"/*.q*)
"$cli" build --release "$project" >/dev/null  # warms the page cache and the pages' names

# Wall time of one run of the command, in milliseconds.
time_ms() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

# The middle value of the numbers given.
median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

cat_equivalent() {
    cat "${inputs[@]}" "${inputs[@]}" "${inputs[@]}" >"$scratch/cat.out"
}

cli_times=()
cat_times=()
for ((i = 0; i < runs; i++)); do
    cli_times+=("$(time_ms "$cli" build --release "$project")")
    cat_times+=("$(time_ms cat_equivalent)")
done

cli_median=$(median "${cli_times[@]}")
cat_median=$(median "${cat_times[@]}")
echo "quenlo-cli build --release: median ${cli_median} ms over $runs runs"
echo "cat, reading inputs and writing 3x their bytes: median ${cat_median} ms"
awk -v a="$cli_median" -v b="$cat_median" \
    'BEGIN { printf "ratio: %.1fx\n", (b > 0 ? a / b : 0) }'

#!/usr/bin/env bash
# How long `quenlo-cli --version` takes to start against /bin/true, the least
# any program takes: the two run alternately, so that both see the same
# machine load, and the medians of their wall times are printed with their
# ratio. Uses hyperfine when it is installed, a loop of bash otherwise.
#   bench/cli_start.sh [BUILD_DIR] [RUNS]
set -euo pipefail

build_dir=${1:-build}
runs=${2:-501}
cli="$build_dir/src/cli/quenlo-cli"
[[ -x $cli ]] || { echo "missing $cli: build it first" >&2; exit 1; }
echo "Libraries quenlo-cli loads: $(ldd "$cli" | awk '{ print $1 }' | grep -v '^/\|vdso' | tr '\n' ' ')"

if command -v hyperfine > /dev/null; then
    json=$(mktemp)
    trap 'rm -f "$json"' EXIT
    hyperfine -N --warmup 50 --runs "$runs" --export-json "$json" /bin/true "$cli --version" > /dev/null
    medians=$(python3 -c 'import json, sys
print(*(r["median"] * 1000 for r in json.load(open(sys.argv[1]))["results"]))' "$json")
else
    # Microseconds of one run, by bash's own clock: no program is started to
    # read the time.
    time_us() {
        local start=$EPOCHREALTIME
        "$@" > /dev/null
        local end=$EPOCHREALTIME
        echo $((${end/./} - ${start/./}))
    }
    median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
    a=() b=()
    for _ in $(seq "$runs"); do
        a+=("$(time_us /bin/true)")
        b+=("$(time_us "$cli" --version)")
    done
    medians="$(awk -v t="$(median "${a[@]}")" -v c="$(median "${b[@]}")" 'BEGIN { print t / 1000, c / 1000 }')"
fi
read -r true_ms cli_ms <<< "$medians"
awk -v t="$true_ms" -v c="$cli_ms" 'BEGIN {
    printf "/bin/true: %.3f ms  quenlo-cli --version: %.3f ms  ratio %.2f\n", t, c, c / t }'

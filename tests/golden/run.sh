#!/usr/bin/env bash
# The golden corpus: every folder here that holds an `input/` project is built
# by quenlo-cli (with the switches of its optional `args` file) and what the
# author gets — the log, the error text, the exit status and every page the
# build wrote — must equal its `expected/` folder byte for byte. Only the date
# and time of the log lines are masked.
#
#   run.sh QUENLO_CLI [CASE_DIR...]      compare (all cases when none given)
#   QUENLO_GOLDEN_RECORD=1 run.sh ...    write expected/ instead (record.sh)
set -uo pipefail
cli=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -gt 0 ]; then cases=("$@"); else cases=("$here"/*/); fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The outcome of one case's build, in the layout of expected/.
outcome() {
    local case=$1 out=$2
    local work=$scratch/work
    rm -rf "$work" && mkdir -p "$work" "$out"
    cp -r "$case/input" "$work/project"
    local args=()
    [ -f "$case/args" ] && read -r -a args < "$case/args"
    (cd "$work" && NO_COLOR=1 "$cli" build "${args[@]}" project > "$out/log.txt" 2> "$out/stderr.txt"
     echo $? > "$out/status")
    sed -i -E 's#\[ [0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2} \]#[ DATE ]#' \
        "$out/log.txt" "$out/stderr.txt"
    # Every file the build added to the project folder: the pages.
    (cd "$work/project" && for f in *; do
        [ -e "$case/input/$f" ] || cp "$f" "$out/$f"
    done)
}

failed=0 passed=0
for case in "${cases[@]}"; do
    [ -d "$case/input" ] || continue
    case=$(cd "$case" && pwd)
    name=$(basename "$case")
    if [ "${QUENLO_GOLDEN_RECORD:-}" = 1 ]; then
        rm -rf "$case/expected"
        outcome "$case" "$case/expected"
        echo "recorded: $name (status $(cat "$case/expected/status"))"
        continue
    fi
    outcome "$case" "$scratch/actual"
    if diff -r -q "$case/expected" "$scratch/actual" > /dev/null; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "golden case differs: $name"
        diff -r "$case/expected" "$scratch/actual" | head -40
    fi
    rm -rf "$scratch/actual"
done
[ "${QUENLO_GOLDEN_RECORD:-}" = 1 ] && exit 0
echo "golden: $passed passed, $failed failed"
[ $((passed + failed)) -gt 0 ] && [ $failed -eq 0 ]

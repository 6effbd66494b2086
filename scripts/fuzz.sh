#!/usr/bin/env bash
# Runs every fuzz target of tests/fuzz for SECONDS each (default 60), one after
# another, on a scratch copy of its seed corpus: what a run adds to the corpus
# never goes into the repository. Builds the targets first when BUILD_DIR
# (default build-sanitize) lacks them: clang, AddressSanitizer,
# UndefinedBehaviorSanitizer and libFuzzer. Fails when a target fails; its
# failing input is kept in BUILD_DIR/fuzz-artifacts/TARGET/.
#
#   scripts/fuzz.sh [SECONDS] [BUILD_DIR] [TARGET...]    (TARGET: build, map_files, ...)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${2:-build-sanitize}
shift $(($# < 2 ? $# : 2))
root=$PWD

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for corpus in tests/fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DQUENLO_SANITIZE=ON -DQUENLO_FUZZ=ON \
        -DQUENLO_BUILD_BENCHMARKS=OFF > /dev/null
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

source scripts/sanitizer_options.sh
# The corpus copies and the targets' own files, in memory where there is room.
scratch=$(mktemp -d -p /dev/shm 2> /dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QUENLO_FUZZ_SCRATCH="$scratch"

failed=()
for target in "${targets[@]}"; do
    corpus="$scratch/$target"
    artifacts="$root/$build/fuzz-artifacts/$target"
    mkdir -p "$artifacts"
    cp -r "tests/fuzz/corpus/$target" "$corpus"
    log="$scratch/$target.log"
    echo "== fuzz_$target for ${seconds}s"
    options=(-max_total_time="$seconds" -max_len=8192 -timeout=30 -print_final_stats=1
        -artifact_prefix="$artifacts/")
    [ -f "tests/fuzz/$target.dict" ] && options+=(-dict="tests/fuzz/$target.dict")
    status=0
    "$build/tests/fuzz/fuzz_$target" "$corpus" "${options[@]}" > "$log" 2>&1 || status=$?
    # The last status line: "#RUNS DONE cov: N ft: N corp: UNITS/BYTES ..."
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    runs=$(sed -nE 's/^#([0-9]+).*/\1/p' <<< "$last")
    cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<< "$last")
    ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<< "$last")
    corp=$(sed -nE 's/.* corp: ([0-9]+\/[0-9a-zA-Z]+).*/\1/p' <<< "$last")
    echo "fuzz_$target: ${runs:-0} executions, cov ${cov:-?}, ft ${ft:-?}, corpus ${corp:-?}"
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz_$target FAILED (status $status); input kept in $artifacts/"
        failed+=("$target")
    fi
done

echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ] || { echo "Failed: ${failed[*]}"; exit 1; }

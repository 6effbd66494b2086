#!/usr/bin/env bash
# Choices a second of `quenlo-cli explore` on the largest project, in headless
# Chromium, and the time of a complete search of the sample adventure. The
# target: at least 200 choices a second, the sample under 10 s.
#   bench/explore_rate.sh [BUILD_DIR] [SECONDS] [BROWSER]
# BUILD_DIR must hold the benchmarks (-DQUENLO_BUILD_BENCHMARKS=ON) for the
# large project's writer.
set -euo pipefail
build_dir=${1:-build}
seconds=${2:-30}
browser=${3:-}
cli="$build_dir/src/cli/quenlo-cli"
writer="$build_dir/bench/quenlo_write_large_project"
[[ -x $cli ]] || { echo "missing $cli: build it first" >&2; exit 1; }
[[ -x $writer ]] || { echo "missing $writer: build with -DQUENLO_BUILD_BENCHMARKS=ON" >&2; exit 1; }
with_browser=()
[[ -n $browser ]] && with_browser=(--browser "$browser")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$writer" "$work/large"
"$cli" explore "${with_browser[@]}" --seconds "$seconds" --json "$work/large.json" "$work/large" \
    > /dev/null 2>&1 || true
"$cli" new "$work/sample" > /dev/null
"$cli" explore "${with_browser[@]}" --json "$work/sample.json" "$work/sample" > /dev/null 2>&1 || true
python3 - "$work/large.json" "$work/sample.json" <<'PY'
import json, sys
large = json.load(open(sys.argv[1]))
sample = json.load(open(sys.argv[2]))
rate = large["choices"] / large["seconds"]
print(f"largest project: {large['choices']} choices, {large['states']} states in "
      f"{large['seconds']:.1f} s: {rate:.0f} choices a second (target 200)")
print(f"sample adventure: {sample['choices']} choices, {sample['states']} states in "
      f"{sample['seconds']:.1f} s, complete: {sample['complete']} (target under 10 s)")
PY

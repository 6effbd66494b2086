#!/usr/bin/env bash
# Writes the expected/ folder of the given golden cases (all when none are
# given) from what QUENLO_CLI builds now. Record only what you have checked:
# a case's expected folder is the behaviour it guards.
#
#   record.sh QUENLO_CLI [CASE_DIR...]
QUENLO_GOLDEN_RECORD=1 exec "$(dirname "$0")/run.sh" "$@"

# Sourced by the scripts that run sanitized programs (build-sanitize).
# Any finding fails the program; leak reports skip what lies in the system's
# libraries (see tests/sanitizers/lsan.supp).
quenlo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$quenlo_root/tests/sanitizers/lsan.supp:print_suppressions=0"

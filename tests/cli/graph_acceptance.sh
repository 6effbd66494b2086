#!/usr/bin/env bash
# quenlo-cli graph on a new project: DOT on standard output that Graphviz's
# own dot reads, an SVG picture with --svg, and the failures' statuses.
set -u
cli=$1
fails=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {  # description, condition
    if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; fails=$((fails + 1)); fi
}

p=$work/Avventura
"$cli" new "$p" > /dev/null 2>&1
# An exit whose verb needs quoting in DOT, and a room nothing leads to.
printf '\r\n{5}\r\n_rCripta_\r\nUna {scala|_scalaCripta_|dì "sali" \\ giù|_rFaro_}.\r\n' >> "$p/rooms.qnr"

"$cli" graph "$p" > "$work/map.dot" 2> "$work/err"; rc=$?
check "graph exits 0" "[ $rc -eq 0 ]"
check "nothing on stderr" "[ ! -s '$work/err' ]"
check "a digraph" "head -1 '$work/map.dot' | grep -qx 'digraph story {'"
check "five rooms" "[ \$(grep -c '^  \"_r[A-Za-z]*_\" \[id=\"r' '$work/map.dot') -eq 5 ]"
check "the start room drawn twice round" "grep -q '^  \"_rStanzaBuia_\" .*peripheries=2' '$work/map.dot'"
check "an exit labelled with its verb" "grep -qF '\"_rGiardino_\" -> \"_rSentiero_\" [id=\"p1\", label=\"vai\"];' '$work/map.dot'"
check "the verb quoted and escaped" "grep -qF 'label=\"dì \\\"sali\\\" \\\\ giù\"' '$work/map.dot'"
check "the room with no way in red" "grep -q '^  \"_rCripta_\" .*color=red' '$work/map.dot'"
dot -Tsvg "$work/map.dot" > "$work/dot.svg" 2> "$work/dot.err"; rc=$?
check "dot -Tsvg accepts the DOT" "[ $rc -eq 0 ] && [ ! -s '$work/dot.err' ] && grep -q '<svg' '$work/dot.svg'"
check "the verb drawn as written" "grep -qF 'dì &quot;sali&quot; \\ giù' '$work/dot.svg'"

"$cli" graph --svg "$work/map.svg" "$p" > "$work/out" 2>&1; rc=$?
check "--svg exits 0 and prints nothing" "[ $rc -eq 0 ] && [ ! -s '$work/out' ]"
check "--svg writes the picture" "grep -q '<svg' '$work/map.svg' && grep -q '_rFaro_' '$work/map.svg'"

"$cli" graph "$work/nowhere" > "$work/out" 2> "$work/err"; rc=$?
check "missing folder exits 1" "[ $rc -eq 1 ] && [ ! -s '$work/out' ]"
check "missing folder said on stderr" "grep -qx 'Error: unable to find project folder!' '$work/err'"
"$cli" graph > /dev/null 2>&1; rc=$?
check "no folder is a usage error" "[ $rc -eq 2 ]"
"$cli" --help | grep -q '^  quenlo-cli graph \[--svg FILE\] PROJECT_DIR$'; rc=$?
check "graph in the usage text" "[ $rc -eq 0 ]"

[ $fails -eq 0 ]

#!/usr/bin/env bash
# The explorer and the replay of walkthroughs, tried on the sample adventure
# as a new author would, in the real headless browser:
#   explore_acceptance.sh QUENLO_CLI [BROWSER [FIREFOX]]
# The sample must be explored completely with a win that `play` replays; a
# copy with three planted faults (a verb whose action uses an undefined name,
# a room nothing leads to, an action that throws away the lantern the win
# needs) must have each reported at its line, with paths that `play` replays.
# With FIREFOX, Firefox must find the same states as BROWSER and replay the
# walkthrough too.
set -uo pipefail
cli=$1
browser=${2:-}
firefox=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {
    if eval "$2"; then echo "ok - $1"; else echo "not ok - $1"; failures=$((failures + 1)); fi
}
with_browser=()
[ -n "$browser" ] && with_browser=(--browser "$browser")
json() { python3 -c "import json,sys; r=json.load(open('$1')); print($2)"; }

# The sample adventure.
"$cli" new "$work/faro" > /dev/null
"$cli" explore "${with_browser[@]}" --json "$work/faro.json" --walkthrough "$work/faro/win.walk" \
    "$work/faro" > "$work/out" 2> "$work/progress"; rc=$?
check "the sample is explored with no error" "[ $rc -eq 0 ]"
check "the sample's search is complete" "[ \"\$(json '$work/faro.json' 'r[\"complete\"]')\" = True ]"
check "every room of the sample is entered" "[ \"\$(json '$work/faro.json' 'r[\"rooms_never\"]')\" = '[]' ]"
check "a progress line was shown" "grep -q '^explore: ' '$work/progress'"
check "the summary says complete" "grep -q 'the search is complete' '$work/out'"
check "the walkthrough ends with a win" "[ \"\$(tail -n 1 '$work/faro/win.walk')\" = '= WIN' ]"
"$cli" play "${with_browser[@]}" "$work/faro" > "$work/play" 2>&1; rc=$?
check "play replays the written walkthrough" "[ $rc -eq 0 ] && grep -q 'every expectation held' '$work/play'"

if [ -n "$firefox" ]; then
    "$cli" explore --browser "$firefox" --json "$work/faro-firefox.json" "$work/faro" \
        > /dev/null 2>&1; rc=$?
    same="json '$work/faro-firefox.json' '(r[\"states\"], r[\"choices\"], r[\"shortest_win\"])'"
    check "Firefox explores the sample to the same states" \
        "[ $rc -eq 0 ] && [ \"\$($same)\" = \"\$(json '$work/faro.json' '(r[\"states\"], r[\"choices\"], r[\"shortest_win\"])')\" ]"
    "$cli" play --browser "$firefox" "$work/faro" > "$work/play" 2>&1; rc=$?
    check "Firefox replays the walkthrough" "[ $rc -eq 0 ]"
fi

# Without a browser it says which it looked for.
PATH=/nonexistent "$cli" explore "$work/faro" > /dev/null 2> "$work/err"; rc=$?
check "without a browser explore exits 2 naming those it looked for" \
    "[ $rc -eq 2 ] && grep -q 'chromium, chromium-browser, google-chrome' '$work/err'"

# A wrong expectation fails at its line.
head -n 3 "$work/faro/win.walk" > "$work/wrong.walk"
echo '= Un drago ti sbarra la strada.' >> "$work/wrong.walk"
"$cli" play "${with_browser[@]}" "$work/faro" "$work/wrong.walk" > "$work/play" 2>&1; rc=$?
check "a wrong expectation fails at its line" \
    "[ $rc -eq 1 ] && grep -q '^$work/wrong.walk:4: error: \"Un drago ti sbarra la strada.\" was not shown' '$work/play'"

# The planted faults.
cp -r "$work/faro" "$work/guasto"
rm -f "$work/guasto"/*.walk
cat >> "$work/guasto/actions.qna" <<'QNA'

if (f_action("_vecchio_", "saluta")) {
  f_show(cigolio);
  return true;
}

if (f_action("_lanterna_", "usa con", "_mantello_")) {
  f_moveout("_lanterna_");
  f_show("Avvolgi la lanterna nel mantello: l'olio si rovescia e la lanterna si spegne per sempre.");
  return true;
}
QNA
error_line=$(grep -n 'f_show(cigolio);' "$work/guasto/actions.qna" | cut -d: -f1)
lost_line=$(grep -n 'f_action("_lanterna_", "usa con", "_mantello_")' "$work/guasto/actions.qna" | cut -d: -f1)
python3 - "$work/guasto/objects.qno" <<'PY'
import sys
path = sys.argv[1]
text = open(path, encoding='utf-8', newline='').read()
last = "''Il mare non aspetta.''\r\n"
assert last in text
text = text.replace(last, last + ':menu:\r\n++"saluta";\r\n', 1)
open(path, 'w', encoding='utf-8', newline='').write(text)
PY
printf '\r\n{5}\r\n_rCantina_\r\nUna cantina umida dove nessuno scende mai.\r\n' >> "$work/guasto/rooms.qnr"
room_line=$(grep -n '^{5}' "$work/guasto/rooms.qnr" | cut -d: -f1)
"$cli" explore "${with_browser[@]}" --json "$work/guasto.json" "$work/guasto" > "$work/out" 2> /dev/null; rc=$?
check "explore exits 1 on the planted copy" "[ $rc -eq 1 ]"
check "the undefined name is reported at its line" \
    "grep -q \"actions.qna:$error_line:[0-9]*: error: Script error in the game: ReferenceError: cigolio is not defined\" '$work/out'"
check "the lost lantern is reported at its action" \
    "grep -q \"actions.qna:$lost_line:[0-9]*: error: the game can no longer be won after: \" '$work/out'"
check "the room nothing leads to is reported at its header" \
    "grep -q \"rooms.qnr:$room_line:[0-9]*: warning: room _rCantina_ is never entered\" '$work/out'"
check "the JSON names the room never entered" \
    "[ \"\$(json '$work/guasto.json' 'r[\"rooms_never\"]')\" = \"['_rCantina_']\" ]"

# Their paths replay: the error's path ends in the script error, the lost
# lantern's path plays through and shows its text.
json "$work/guasto.json" '"\n".join(r["errors"][0]["path"])' > "$work/error.walk"
"$cli" play "${with_browser[@]}" "$work/guasto" "$work/error.walk" > "$work/play" 2>&1; rc=$?
steps=$(wc -l < "$work/error.walk")
check "play reproduces the script error at the path's last line" \
    "[ $rc -eq 1 ] && grep -q \"^$work/error.walk:$steps: error: .*causes a script error\" '$work/play' && grep -q 'actions.qna:$error_line:' '$work/play'"
json "$work/guasto.json" '"\n".join(r["unwinnable"][0]["path"])' > "$work/lost.walk"
echo "= la lanterna si spegne per sempre" >> "$work/lost.walk"
"$cli" play "${with_browser[@]}" "$work/guasto" "$work/lost.walk" > "$work/play" 2>&1; rc=$?
check "play reproduces the path that loses the lantern" "[ $rc -eq 0 ]"

[ "$failures" -eq 0 ] || { echo "$failures failed"; cat "$work/out"; exit 1; }

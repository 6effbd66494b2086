#!/usr/bin/env bash
# quenlo-cli as a user runs it: a folder of the 21 required (empty) files, a
# missing file, a bad character, a project base script, a usage error, and an
# interrupt that must end the build through its stop path.
set -u
cli=$1
fails=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {  # description, condition
    if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; fails=$((fails + 1)); fi
}

new_project() {
    mkdir -p "$1"
    for f in coverimage.qn help.qni messages.qnr objects.qno rooms.qnr variables.qnv \
             actions.qna conditions.qna counters.qna success.qni fail.qni successimage.qn \
             failimage.qn intro.qni map1.qn mapimage1.qn map2.qn mapimage2.qn map3.qn \
             mapimage3.qn connections.qn; do
        : > "$1/$f"
    done
}

p=$work/p
new_project "$p"
NO_COLOR=1 "$cli" build "$p" > "$work/out" 2> "$work/err"; rc=$?
check "build exits 0" "[ $rc -eq 0 ]"
check "build starts with the start line" "head -1 '$work/out' | grep -q '^Start generating adventure (debug HTML file)... \[ '"
check "build logs the generated page" "grep -qx 'Generated: $p/debug.html' '$work/out'"
check "build ends with the success line" "tail -2 '$work/out' | head -1 | grep -q '^Adventure generated successfully!  \[ .* \]$'"
check "page written" "[ -s '$p/debug.html' ]"
check "no colour codes when NO_COLOR" "! grep -q $'\033' '$work/out'"
check "nothing on stderr" "[ ! -s '$work/err' ]"

"$cli" build "$p/" > "$work/out" 2>&1
check "trailing separator accepted" "grep -qx 'Generated: $p/debug.html' '$work/out'"

rm "$p/debug.html" "$p/help.qni"
"$cli" build "$p" > "$work/out" 2> "$work/err"; rc=$?
check "missing file exits 1" "[ $rc -eq 1 ]"
check "missing file named in the log" "grep -qx 'Error: Cannot open file \"$p/help.qni\". No such file or directory' '$work/out'"
check "error dialog text on stderr" "grep -q '^Unable to generate HTML files!' '$work/err'"
check "missing file writes nothing" "[ ! -e '$p/debug.html' ]"

printf 'Disse "ciao"\r\n' > "$p/help.qni"
"$cli" build --check-chars "$p" > "$work/out" 2>&1; rc=$?
check "bad character exits 1" "[ $rc -eq 1 ]"
check "bad character named" "grep -qx 'Error: Invalid character < \" >' '$work/out'"
"$cli" build "$p" > /dev/null 2>&1; rc=$?
check "characters not checked without --check-chars" "[ $rc -eq 0 ]"

printf '<p>mia base ___VERSION___</p>\r\n#HELP\r\n' > "$p/base.qn"
"$cli" build "$p" > "$work/out" 2>&1
check "project base script used" "grep -qx '&Found base.qn file: $p/base.qn' '$work/out' && grep -q 'mia base v3.6' '$p/debug.html'"
printf '<p>no sections</p>\r\n' > "$p/base.qn"
"$cli" build "$p" > "$work/out" 2>&1; rc=$?
check "base script without #HELP is invalid" "[ $rc -eq 1 ] && grep -qx 'Error: invalid base script' '$work/out'"
rm "$p/base.qn"

"$cli" build --release "$p" > "$work/out" 2>&1
check "release writes both pages" "[ -s '$p/debug.html' ] && [ -s '$p/release.html' ]"
check "debug Generated line first" "grep '^Generated: ' '$work/out' | head -1 | grep -q 'debug.html'"

"$cli" > /dev/null 2>&1; rc=$?
check "no command is a usage error" "[ $rc -eq 2 ]"
"$cli" build --bogus "$p" > /dev/null 2>&1; rc=$?
check "unknown option is a usage error" "[ $rc -eq 2 ]"
check "--version" "[ \"\$('$cli' --version)\" = 'quenlo-cli v3.6' ]"
# The dynamic loader names each library it loads, those loaded later too.
loaded_by() { LD_DEBUG=files "$@" 2>&1 > /dev/null | grep -o 'file=[^ ]*' | sort -u; }
check "--version loads no engine, network, TLS or compression library" \
    "! loaded_by '$cli' --version | grep -qE 'mozjs|libz|libssl|libcrypto|brotli|httplib'"
check "a build loads the script engine" "loaded_by '$cli' build '$p' | grep -q mozjs"
check "--help" "'$cli' --help | grep -q 'quenlo-cli build'"
"$cli" build "$work/nowhere" > "$work/out" 2>&1; rc=$?
check "missing project folder" "[ $rc -eq 1 ] && grep -qx 'Error: unable to find project folder!' '$work/out'"

# New project: the files of the desktop's "New project", ready to build.
n=$work/nuovo
NO_COLOR=1 "$cli" new "$n" > "$work/out" 2> "$work/err"; rc=$?
check "new exits 0" "[ $rc -eq 0 ]"
check "new logs its lines" "[ \"\$(cat '$work/out')\" = \"\$(printf 'Creating project files...\\nCreated new project: %s' '$n')\" ]"
check "new writes 23 files" "[ \$(ls '$n' | wc -l) -eq 23 ] && [ ! -e '$n/functions.qna' ]"
check "new writes blank maps" "[ \$(stat -c %s '$n/map2.qn') -eq 2522 ] && [ ! -s '$n/connections.qn' ]"
"$cli" build --release "$n" > /dev/null 2>&1; rc=$?
check "a new project builds" "[ $rc -eq 0 ] && [ -s '$n/ilfaro_debug.html' ] && [ -s '$n/ilfaro.html' ]"
"$cli" new "$n/" > "$work/out" 2> "$work/err"; rc=$?
check "new refuses an existing folder" "[ $rc -eq 1 ] && grep -qx 'Error: unable to create new project folder or files!' '$work/out'"
check "new says why on stderr" "[ \"\$(head -1 '$work/err')\" = 'Unable to create new project folder or files!' ] && grep -qx 'Cannot create folder \"$n\". File exists' '$work/err'"
check "existing folder untouched" "[ ! -e '$n/map_example.gif.tmp' ] && [ \$(ls '$n' | wc -l) -eq 25 ]"
"$cli" new "$work/no/such/parent" > /dev/null 2>&1; rc=$?
check "new creates one folder level only" "[ $rc -eq 1 ] && [ ! -e '$work/no' ]"
"$cli" new > /dev/null 2>&1; rc=$?
check "new without a folder is a usage error" "[ $rc -eq 2 ]"
"$cli" new "$work/a" "$work/b" > /dev/null 2>&1; rc=$?
check "new with two folders is a usage error" "[ $rc -eq 2 ] && [ ! -e '$work/a' ]"

# Check parentheses.
NO_COLOR=1 "$cli" check "$n" > "$work/out" 2>&1; rc=$?
check "check of a new project exits 0" "[ $rc -eq 0 ] && [ \$(grep -cx '...OK!' '$work/out') -eq 4 ]"
check "check names each file" "grep -qx 'Checking ( ) \[ \] { } in file: $n/objects.qno' '$work/out'"
printf 'ok();\r\n//=\r\nf_show(":)";\r\n' > "$n/counters.qna"
NO_COLOR=1 "$cli" check "$n" > "$work/out" 2>&1; rc=$?
check "unbalanced block exits 1" "[ $rc -eq 1 ]"
check "unbalanced block reported on its own lines" "[ \"\$(tail -6 '$work/out' | head -3)\" = \"\$(printf 'Error:\\nNumber of ( ) do not match:\\nf_show(\\\":)\\\";')\" ]"
check "unbalanced block shows where its bracket is" "tail -3 '$work/out' | head -1 | grep -qx '$n/counters.qna:3:7: error: ( does not match'"
check "check stops at the first unbalanced file" "! grep -q 'conditions.qna' '$work/out'"
"$cli" check "$work/nowhere" > "$work/out" 2>&1; rc=$?
check "check of a missing folder" "[ $rc -eq 1 ] && grep -qx 'Error: unable to find project folder!' '$work/out'"
check "--help names new and check" "'$cli' --help | grep -q 'quenlo-cli new PROJECT_DIR' && '$cli' --help | grep -q 'quenlo-cli check PROJECT_DIR'"

# A release build: both pages, the debug one first; the release page switches
# the debug flag off, encodes its texts, shortens the runtime's names and joins
# its lines.
r=$work/casa
new_project "$r"
printf '{01}\r\nLa casa\r\n{02}\r\nBenvenuto nella casa stregata\r\n{50}\r\ncasa\r\n' > "$r/messages.qnr"
printf '{*1}\r\n_rCucina_\r\nUna cucina piena di pentole.\r\n' > "$r/rooms.qnr"
printf '{_lampada_}\r\n:room: _rCucina_\r\n:desc.short: lampada\r\n:desc.long: una lampada a olio\r\n' > "$r/objects.qno"
printf 'if (f_istaken("_lampada_")) f_win();\r\n' > "$r/actions.qna"
NO_COLOR=1 "$cli" build --release "$r" > "$work/out" 2> "$work/err"; rc=$?
check "release build exits 0" "[ $rc -eq 0 ] && [ ! -s '$work/err' ]"
check "release build logs both pages, debug first" "[ \"\$(grep '^Generated: ' '$work/out')\" = \"\$(printf 'Generated: %s\nGenerated: %s' '$r/casa_debug.html' '$r/casa.html')\" ]"
check "release build logs the encoding" "grep -qx 'Encripting...' '$work/out' && grep -qx '...100%' '$work/out'"
check "debug page keeps the debug flag" "grep -q 'var g_isdebug = true;' '$r/casa_debug.html'"
check "release page has it off, its name shortened" "grep -q 'var _fu51 = false;' '$r/casa.html' && ! grep -q 'g_isdebug' '$r/casa.html'"
shifted() { printf '%s' "$1" | tr 'a-zA-Z' 'ydafchejglinkpmrotqvsxuzwbCZEBGDIFKHMJOLQNSPURWTYVAX'; }
check "release texts cannot be read" "grep -q 'casa stregata' '$r/casa_debug.html' && ! grep -q 'stregata' '$r/casa.html' && ! grep -q 'pentole' '$r/casa.html'"
check "release texts are encoded" "grep -qF '$(shifted 'Benvenuto nella casa stregata')' '$r/casa.html' && grep -qF '$(shifted 'Una cucina piena di pentole.')' '$r/casa.html'"
check "release page without comment, empty or marker lines" "! grep -qE $'^(//.*)?\r?\$' '$r/casa.html' && ! grep -q '///°' '$r/casa.html' && grep -q '///°' '$r/casa_debug.html'"
check "release page shortens runtime names" "! grep -qE 'o_id|g_room|f_addobj|f_getroomdesc|f_istaken|f_win' '$r/casa.html' && grep -q '_fu0' '$r/casa.html'"
check "release page joins lines" "[ \$(wc -l < '$r/casa.html') -lt \$(wc -l < '$r/casa_debug.html') ]"

# The worked examples, on a base script of the project's own.
printf '<!DOCTYPE html>\r\n<meta charset="utf-8">\r\n<title>\r\n</title>\r\n<script>\r\nvar g_isdebug = true;\r\nvar t = %sabc%s;\r\nvar n = window.o_id.length;\r\n///°°°\r\n</script>\r\n<p>a%39sb</p>\r\n#HELP\r\n' "'" "'" ' ' > "$r/base.qn"
"$cli" build --release "$r" > /dev/null 2>&1
check "worked examples hold" "[ \"\$(cat '$r/casa.html')\" = \"\$(printf '<!DOCTYPE html>\r\n<meta charset=\"utf-8\">\r\n<title>\r\n</title>\r\n<script>\r\nvar _fu51 = false; var t = (%syda%s); var n = window._fu0.length; </script>\r\n<p>a  b</p>\r' \"'\" \"'\")\" ]"
rm "$r/base.qn"

# A misspelt object in the actions stops the build with its whole line; the
# skip switch lets the build go on.
rm -f "$r/casa_debug.html" "$r/casa.html"
printf 'if (f_istaken("_lampada_")) f_win();\r\n   if (f_istaken(_lampdaa_)) f_show("Fatto.");\r\n' > "$r/actions.qna"
NO_COLOR=1 "$cli" build "$r" > "$work/out" 2> "$work/err"; rc=$?
check "unknown name exits 1" "[ $rc -eq 1 ]"
check "unknown name reported with its whole line" "grep -qx 'Error: Unknown objects/rooms/variables: ' '$work/out' && grep -qxF \"if (f_istaken(_lampdaa_)) f_show('Fatto.');\" '$work/out'"
check "unknown name in the error dialog" "grep -qF \"if (f_istaken(_lampdaa_)) f_show('Fatto.');\" '$work/err'"
check "unknown name writes nothing" "[ ! -e '$r/casa_debug.html' ]"
check "unknown name placed on standard output after the error" "[ \"\$(grep -A4 -xF \"if (f_istaken(_lampdaa_)) f_show('Fatto.');\" '$work/out' | tail -3)\" = \"\$(printf '%s\\n%s\\n%s' '$r/actions.qna:2:18: error: Unknown objects/rooms/variables: _lampdaa_' '       if (f_istaken(_lampdaa_)) f_show(\"Fatto.\");' '                     ^')\" ]"
check "error dialog shows the location line" "tail -1 '$work/err' | grep -qxF '$r/actions.qna:2:18: error: Unknown objects/rooms/variables: _lampdaa_'"
check "standard error has no CR" "! grep -q $'\r' '$work/err'"
NO_COLOR=1 "$cli" build --skip-unknown "$r" > "$work/out" 2>&1; rc=$?
check "skip switch lets the build go on" "[ $rc -eq 0 ] && grep -qx ' skipped!' '$work/out' && [ -s '$r/casa_debug.html' ]"

# An interrupt ends the build through the stop path. A project folder that is a
# FIFO-fed file would block forever; instead, read a file from a FIFO so the
# build waits inside a phase until it is interrupted and the FIFO released.
mkfifo "$p/intro.qni.fifo"
rm "$p/intro.qni" && ln -s "$p/intro.qni.fifo" "$p/intro.qni"
"$cli" build "$p" > "$work/out" 2>&1 &
pid=$!
sleep 0.5
kill -INT $pid
exec 3>"$p/intro.qni.fifo"; exec 3>&-   # let the blocked read finish
wait $pid; rc=$?
check "interrupt exits 1" "[ $rc -eq 1 ]"
check "interrupt reported as a stop" "grep -qx 'Error: process stopped by user' '$work/out'"

# Watching: a build, then one for each save, also a save by rename as vim and
# gedit do it; the pages the builds write start no build of their own.
w=$work/watch
new_project "$w"
builds() { grep -c '^Adventure generated successfully' "$work/watch.out"; }
wait_for_builds() {  # N: polls for up to twenty seconds
    for _ in $(seq 200); do [ "$(builds)" -ge "$1" ] && return 0; sleep 0.1; done
    return 1
}
NO_COLOR=1 "$cli" build --watch "$w" > "$work/watch.out" 2>&1 &
pid=$!
wait_for_builds 1
printf '{01}\r\nIl faro\r\n' > "$w/messages.qnr"
wait_for_builds 2
check "a saved file builds again" "[ \$(builds) -eq 2 ]"
printf '{01}\r\nIl faro acceso\r\n' > "$w/.messages.qnr.swp"
mv "$w/.messages.qnr.swp" "$w/messages.qnr"
wait_for_builds 3
check "a file saved by rename builds again" "[ \$(builds) -eq 3 ] && grep -q 'Il faro acceso' '$w/debug.html'"
sleep 1  # time enough for a build that the written page would start
check "the written pages start no build" "[ \$(builds) -eq 3 ] && [ \$(grep -c '^Start generating' '$work/watch.out') -eq 3 ]"
# A log ends with an empty line; a rebuild adds one before its own.
blank_blank_start() {
    awk '/^Start generating/ && NR > 2 && one == "" && two == "" { n++ } { two = one; one = $0 }
         END { print n + 0 }' "$1"
}
check "each rebuild starts with an empty line" "[ \$(blank_blank_start '$work/watch.out') -eq 2 ]"
kill -INT $pid
wait $pid; rc=$?
check "Ctrl-C ends watching with status 0" "[ $rc -eq 0 ]"
check "--help names build --watch and serve" "'$cli' --help | grep -q 'quenlo-cli build --watch' && '$cli' --help | grep -q 'quenlo-cli serve'"

[ $fails -eq 0 ] && echo "all passed" || echo "$fails failed"
[ $fails -eq 0 ]

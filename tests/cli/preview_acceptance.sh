#!/usr/bin/env bash
# quenlo-cli serve as an author and a browser meet it, through curl: the page
# with the preview's script while the file on disk has none, nothing else of
# the folder, no other host, the next port when one is taken, an event for
# each build after a save, the game's script errors at the author's line,
# bounded memory whatever is sent, and Ctrl-C or SIGTERM ending it at once
# while a client trickles its request.
set -u
cli=$1
fails=0
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -INT "$pid" 2> /dev/null; done
    wait 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT

check() {  # description, condition
    if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; fails=$((fails + 1)); fi
}

# Polls CONDITION ten times a second for up to twenty seconds.
wait_for() {
    for _ in $(seq 200); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}

# serve ARGS...: starts a server writing to $work/serve<N>.out; sets $pid and
# $port (the one it printed).
serve() {
    local out=$work/serve${#pids[@]}.out
    NO_COLOR=1 "$cli" serve "$@" > "$out" 2>&1 &
    pid=$!
    pids+=("$pid")
    wait_for "grep -q '^Serving the debug page on ' '$out'" || { cat "$out"; return 1; }
    port=$(sed -n 's|^Serving the debug page on http://127.0.0.1:\([0-9]*\)/$|\1|p' "$out")
}

second_start_after_empty_line() {  # LOG_FILE
    awk '/^Start generating/ { n++; if (n == 2 && previous == "") found = 1 }
         { previous = $0 } END { exit !found }' "$1"
}

status() {  # PATH [curl options...]
    local path=$1
    shift
    curl -s --path-as-is -o /dev/null -w '%{http_code}' "$@" "http://127.0.0.1:$port$path"
}

p=$work/faro
"$cli" new "$p" > /dev/null
first=$((20000 + RANDOM % 20000))
serve --port "$first" "$p"
a_pid=$pid a_port=$port
check "serve prints its address" "[ '$a_port' = '$first' ]"
check "serve builds first" "grep -q '^Adventure generated successfully!' '$work/serve0.out'"

curl -s "http://127.0.0.1:$port/" > "$work/page"
check "/ serves the debug page" "grep -q 'Il faro spento' '$work/page' && [ \$(status /) = 200 ]"
check "the served page carries the script" "grep -q '<script data-build=\"1\">' '$work/page' && grep -q EventSource '$work/page'"
check "the page on disk carries none" "! grep -q 'data-build\|EventSource' '$p/ilfaro_debug.html'"
check "/release is 404 without --release" "[ \$(status /release) = 404 ]"
for path in /../messages.qnr /messages.qnr /ilfaro_debug.html /index.html /%2e%2e/rooms.qnr \
            /..%2frooms.qnr //etc/passwd /favicon.ico; do
    check "$path is 404" "[ \$(status '$path') = 404 ]"
done
check "localhost is a name of the server" "[ \$(status / -H 'Host: localhost:$port') = 200 ]"
check "another host is refused" "[ \$(status / -H 'Host: evil.example:$port') = 403 ]"
check "another port in Host is refused" "[ \$(status / -H 'Host: 127.0.0.1:1') = 403 ]"
check "no Host is refused" "[ \$(curl -s -o /dev/null -w '%{http_code}' -H 'Host:' http://127.0.0.1:$port/) = 403 ]"

check "the listen backlog is at least 64" \
    "[ \$(ss -ltnH 'sport = :$port' | awk '{ print \$3 }') -ge 64 ]"

# Four clients sending 10 MB of small headers each are cut off at 16 KB.
yes $'X-A: b\r' | head -c 10000000 > "$work/headers"
floods=()
for _ in 1 2 3 4; do
    (exec 3<> "/dev/tcp/127.0.0.1/$port" && printf 'GET / HTTP/1.1\r\n' >&3 &&
        timeout 20 cat "$work/headers" >&3) 2> /dev/null &
    floods+=($!)
done
wait "${floods[@]}"
peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$a_pid/status")
check "headers sent without end leave the server under 64 MB (peak ${peak} kB)" "[ '$peak' -lt 65536 ]"

# A second server asked for the same port takes the next free one. Its
# project has a misspelt name behind the verb "esamina" of the chest.
q=$work/casa
"$cli" new "$q" > /dev/null
planted=$(($(grep -c '' "$q/actions.qna") + 2))
printf 'if (f_action("_baule_", "esamina")) {\r\n  mrvLuce();\r\n  return true;\r\n}\r\n' >> "$q/actions.qna"
serve --release --port "$first" "$q"
b_pid=$pid b_port=$port
check "a second server takes the next port" "[ '$port' -gt '$first' ]"
check "it names the release page too" "grep -qx 'Serving the release page on http://127.0.0.1:$port/release' '$work/serve1.out'"
curl -s "http://127.0.0.1:$port/release" > "$work/release"
check "/release serves the release page with the script" "[ \$(status /release) = 200 ] && grep -q '<script data-build=\"1\">' '$work/release'"
check "the release page's script calls the shortened names" "grep -q 'mrvSlotUsed(0)) { _fu[0-9]*(0); }' '$work/release' && ! grep -q f_saveCookie '$work/release'"

# The page reports the error as it happens in the browser (line and column in
# the page); serve prints where it is in actions.qna, once.
line=$(grep -n '^mrvLuce();' "$q/ilfaro_debug.html" | cut -d: -f1)
report() {  # ORIGIN
    curl -s -H "Origin: $1" --data-binary $'/ 1 '"$line"$' 1 -\n_baule_|esamina\nReferenceError: mrvLuce is not defined' \
        "http://127.0.0.1:$port/script-error"
}
check "a report from another origin is refused" "[ -z \"\$(report http://evil.example)\" ]"
report "http://127.0.0.1:$port" > "$work/told"
report "http://127.0.0.1:$port" > /dev/null
check "the answer names the author's line" \
    "grep -qx '$q/actions.qna:$planted:3: error: ReferenceError: mrvLuce is not defined' '$work/told'"
check "serve prints the error and its place, once" \
    "[ \$(grep -c '^Script error in the game: ReferenceError: mrvLuce is not defined$' '$work/serve1.out') = 1 ] &&
     grep -A4 '^Script error in the game: ' '$work/serve1.out' | diff - '$work/told' > /dev/null"

# Events: the state at once, then one for each build after a save.
port=$a_port
curl -s -N -H 'Accept: text/event-stream' "http://127.0.0.1:$port/" > "$work/events" &
events_pid=$!
pids+=("$events_pid")
wait_for "grep -q '^data: 1' '$work/events'"
check "an event stream starts with the served build" "grep -qx 'event: built' '$work/events'"
sed -i 's/Sei in una stanza buia e umida/Sei in una stanza asciutta/' "$p/rooms.qnr"
wait_for "grep -q '^data: 1 2 ' '$work/events'"
check "a saved room text sends the changed lines of build 2" "grep -qx 'event: patched' '$work/events' && grep -q '^data: .*Sei in una stanza asciutta' '$work/events'"
check "and none that stayed" "[ \$(grep -c '^data: ' '$work/events') -lt 20 ]"
check "the rebuild prints an empty line, then its log" "second_start_after_empty_line '$work/serve0.out'"
check "the new text is served" "curl -s http://127.0.0.1:$port/ | grep -q 'Sei in una stanza asciutta' && curl -s http://127.0.0.1:$port/ | grep -q 'data-build=\"2\"'"
printf '{*1}\r\n_rDoppia_\r\nUna stanza di troppo.\r\n' >> "$p/rooms.qnr"
wait_for "grep -qx 'event: failed' '$work/events'"
check "a failed build sends its error line" "grep -qx 'data: Error: start room is not unique' '$work/events'"
check "after a failure the last good page is still served" "curl -s http://127.0.0.1:$port/ | grep -q 'data-build=\"2\"'"
sleep 1
check "the written pages start no other build" "[ \$(grep -c '^Start generating' '$work/serve0.out') = 3 ]"

# SIGNAL PID: sends it while a client trickles its request; sets $rc and
# $took, the milliseconds until the server ended.
end_while_trickling() {
    exec 3<> "/dev/tcp/127.0.0.1/$3"
    printf 'GET / HTTP/1.1\r\nHost: 127.0.0.1:%s\r\nX-Slow: ' "$3" >&3
    local start=$EPOCHREALTIME
    kill "-$1" "$2"
    wait "$2"
    rc=$?
    took=$(((${EPOCHREALTIME/./} - ${start/./}) / 1000))
    exec 3>&-
}
end_while_trickling INT "$a_pid" "$a_port"
check "Ctrl-C ends serve with status 0 within 1 s while a client trickles (${took} ms)" "[ $rc = 0 ] && [ $took -lt 1000 ]"
end_while_trickling TERM "$b_pid" "$b_port"
check "SIGTERM ends the second server with status 0 within 1 s (${took} ms)" "[ $rc = 0 ] && [ $took -lt 1000 ]"
check "the events stream ends with its server" "wait_for '! kill -0 $events_pid 2> /dev/null'"

"$cli" serve --port 0 "$p" > /dev/null 2>&1
rc=$?
check "a port out of range is a usage error" "[ $rc = 2 ]"

[ $fails -eq 0 ] && echo "all passed" || echo "$fails failed"
[ $fails -eq 0 ]

#!/usr/bin/env bash
# quenlo-cli serve as an author and a browser meet it, through curl: the page
# with the preview's script while the file on disk has none, nothing else of
# the folder, no other host, the next port when one is taken, and an event
# for each build after a save.
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

# A second server asked for the same port takes the next free one.
q=$work/casa
"$cli" new "$q" > /dev/null
serve --release --port "$first" "$q"
b_pid=$pid
check "a second server takes the next port" "[ '$port' -gt '$first' ]"
check "it names the release page too" "grep -qx 'Serving the release page on http://127.0.0.1:$port/release' '$work/serve1.out'"
curl -s "http://127.0.0.1:$port/release" > "$work/release"
check "/release serves the release page with the script" "[ \$(status /release) = 200 ] && grep -q '<script data-build=\"1\">' '$work/release'"
check "the release page's script calls the shortened names" "grep -q 'mrvSlotUsed(0)) { _fu[0-9]*(0); }' '$work/release' && ! grep -q f_saveCookie '$work/release'"

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

kill -INT "$a_pid"
wait "$a_pid"
rc=$?
check "Ctrl-C ends serve with status 0" "[ $rc = 0 ]"
kill -INT "$b_pid"
wait "$b_pid"
rc=$?
check "the second server ends too" "[ $rc = 0 ]"
check "the events stream ends with its server" "wait_for '! kill -0 $events_pid 2> /dev/null'"

"$cli" serve --port 0 "$p" > /dev/null 2>&1
rc=$?
check "a port out of range is a usage error" "[ $rc = 2 ]"

[ $fails -eq 0 ] && echo "all passed" || echo "$fails failed"
[ $fails -eq 0 ]

#!/usr/bin/env bash
# Instructions the main thread of each program runs under callgrind, from exec
# until it idles with its window shown, in a desktop session (a session bus
# with the accessibility bus launcher on it) on an Xvfb server of its own; for
# a program that unpacks pictures, what the unpacking took on its own line
# (LZ4_decompress_safe with all it calls). One run each: the count does not
# depend on the machine's load.
#   usage: callgrind.sh NAME PROGRAM [NAME PROGRAM]...
# Prints desktop.callgrind.NAME_minstr for each, and
# desktop.callgrind.NAME_unpacking_minstr for one that unpacks, a line each
# (name, value, unit); progress goes to standard error.
set -euo pipefail
source "$(dirname "$0")/../../scripts/x11-session.sh"

bus_pid=""
launcher_pid=""
stop_all() {
    [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
    stop_session
}
trap stop_all EXIT

{
    read -r DBUS_SESSION_BUS_ADDRESS
    read -r bus_pid
} < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher >/dev/null 2>&1 &
launcher_pid=$!
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
        grep -q "boolean true" && break
    sleep 0.1
done

# Clock ticks the process has run for, valgrind's own work included.
cpu_ticks() { # pid
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# What a function took with all it calls, in millions; nothing if it never ran.
inclusive() { # file function
    callgrind_annotate --auto=no --inclusive=yes --threshold=100 "$1" |
        awk -v f=":$2( |$)" '$0 ~ f { gsub(",", "", $1); n += $1; found = 1 }
            END { if (found) printf "%.2f", n / 1e6 }'
}

while [ $# -ge 2 ]; do
    name=$1
    program=$2
    shift 2
    echo "callgrind: $name ($program)" >&2
    valgrind --tool=callgrind --separate-threads=yes \
        --callgrind-out-file="$session_dir/$name.out" "$program" >/dev/null 2>&1 &
    program_pid=$!
    timeout 300 xdotool search --sync --onlyvisible --pid "$program_pid" >/dev/null ||
        fail "$name showed no window under callgrind"
    # Idle once two seconds in a row pass with at most a tick of work.
    quiet=0
    before=$(cpu_ticks "$program_pid")
    while [ $quiet -lt 2 ]; do
        sleep 1
        now=$(cpu_ticks "$program_pid")
        if [ $((now - before)) -le 1 ]; then quiet=$((quiet + 1)); else quiet=0; fi
        before=$now
    done
    kill "$program_pid"
    wait "$program_pid" || true
    program_pid=""
    main=$session_dir/$name.out-01
    [ -s "$main" ] || fail "callgrind wrote nothing for $name"
    total=$(callgrind_annotate "$main" |
        awk '/PROGRAM TOTALS/ { gsub(",", "", $1); printf "%.2f", $1 / 1e6 }')
    printf 'desktop.callgrind.%s_minstr\t%s\tM\n' "$name" "$total"
    unpacking=$(inclusive "$main" LZ4_decompress_safe)
    [ -z "$unpacking" ] || printf 'desktop.callgrind.%s_unpacking_minstr\t%s\tM\n' "$name" "$unpacking"
done

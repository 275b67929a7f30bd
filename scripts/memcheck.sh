#!/usr/bin/env bash
# A scripted session with the real program under valgrind's memcheck: typing,
# calculating and switching through all three windows several times, then
# "Изход". Fails on any invalid read or write and on memory definitely lost.
#   usage: memcheck.sh PROGRAM LOG_FILE
set -euo pipefail
program=$1
log=$2
source "$(dirname "$0")/x11-session.sh"
pause=1 # valgrind slows every event down

valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --num-callers=30 --child-silent-after-fork=yes \
    --suppressions="$(dirname "$0")/memcheck.supp" --log-file="$log" \
    "$program" &
program_pid=$!

id=$(window_id 180) || fail "no window appeared under valgrind"
for round in 1 2 3; do
    for command in Command3 Command4 Command3; do
        type_example "$id"
        click "$id" Command1
        click "$id" Command2
        type_example "$id"
        click "$id" Command1
        click "$id" "$command"
        sleep 2
        id=$(window_id 60)
    done
    echo "round $round done"
done
click "$id" Command5
for _ in $(seq 600); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
wait "$program_pid" || true
program_pid=""

grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost" "$log" || true
grep -q "ERROR SUMMARY: 0 errors" "$log" || fail "memcheck found errors; see $log"
if grep -q "definitely lost:" "$log"; then
    grep -q "definitely lost: 0 bytes" "$log" || fail "memory definitely lost; see $log"
fi
echo "memcheck: no errors, nothing definitely lost"

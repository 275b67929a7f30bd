#!/usr/bin/env bash
# Starts the program in a real X window, checks the caption and the
# client-area size of each of the three windows, types a full example into
# each, presses "Изчисли" and saves a screenshot, switching with mouse clicks.
# Ctrl+C in Form1 and the context menu in Form2 put the results on the
# clipboard, where a second program reads them (given a reader; the check of
# the installed package has none); Ctrl+R in Form2 opens its response. Then input reaches it in one
# batch, as on a busy machine, and it must land on the new window; the
# program ends with "Изход".
#   usage: screenshots.sh PROGRAM OUTPUT_DIR [CLIPBOARD_READER]
set -euo pipefail
program=$1
out=$2
reader=${3:-}
mkdir -p "$out"
source "$(dirname "$0")/x11-session.sh"

position() { # window
    xwininfo -id "$1" | awk '/Absolute upper-left/ {printf "%s ", $4}'
}

check_window() { # window form
    local info width height
    info=$(xwininfo -id "$1")
    width=$(awk '/Width:/ {print $2}' <<<"$info")
    height=$(awk '/Height:/ {print $2}' <<<"$info")
    [ "$width" = 794 ] && [ "$height" = 568 ] || fail "$2 is ${width}x${height}, not 794x568"
    [ "$(xdotool getwindowname "$1")" = "Brelkot v:1.1" ] || fail "$2 caption"
    [ "$(xdotool search --onlyvisible --name '^Brelkot v:1\.1$' | wc -l)" = 1 ] ||
        fail "more than one window with $2"
    [ "$(position "$1")" = "$started_at" ] || fail "$2 is at $(position "$1"), not $started_at"
}

shoot() { # window form
    check_window "$1" "$2"
    type_example "$1"
    click "$1" Command1
    import -window "$1" "$out/$2.png"
    echo "$2: 794x568, caption ok, $out/$2.png"
}

# The clipboard holds the command line of the example with the E12 series,
# then what that command line prints.
check_clipboard() { # slope how
    [ -n "$reader" ] || return 0
    local command="--slope $1 --woofer 500,8 --midrange 500,3000,8 --tweeter 3000,8 --series E12"
    { echo "brelkot $command"; LANG=C.UTF-8 "$program" $command; } >"$session_dir/expected"
    "$reader" >"$session_dir/copied" 2>/dev/null || fail "$2: nothing on the clipboard"
    diff "$session_dir/expected" "$session_dir/copied" >&2 || fail "$2 copied something else"
    echo "$2 copied the results"
}

LANG=C.UTF-8 "$program" &
program_pid=$!

id=$(window_id) || fail "no window appeared"
started_at=$(position "$id")
shoot "$id" form1
xdotool key --window "$id" ctrl+c
check_clipboard 6 "Ctrl+C in form1"
click "$id" Command3
id=$(window_id)
shoot "$id" form2
# The context menu of the emblem, its one item chosen with the keyboard.
xdotool mousemove --window "$id" 730 60 click 3
sleep 0.5
xdotool key Down Return
check_clipboard 12 "the context menu of form2"

# Ctrl+R opens the response of the example in a window of its own, and only
# one however often it is pressed; the switch takes it away.
response_windows() {
    xdotool search --onlyvisible --name '^Честотна характеристика$' 2>/dev/null || true
}
xdotool key ctrl+r
response=$(timeout 10 xdotool search --sync --onlyvisible --name '^Честотна характеристика$' |
    head -n 1) || fail "Ctrl+R opened no response window"
sleep 0.5
info=$(xwininfo -id "$response")
size="$(awk '/Width:/ {print $2}' <<<"$info")x$(awk '/Height:/ {print $2}' <<<"$info")"
[ "$size" = 960x560 ] || fail "the response window is $size, not 960x560"
import -window "$response" "$out/response.png"
echo "response: $size, $out/response.png"
# Out of the way of the clicks on form2, as a user would drag it.
xdotool windowmove "$response" 0 700
sleep 0.3
xdotool mousemove --window "$id" 730 60 click 1
xdotool key ctrl+r
sleep 0.5
[ "$(response_windows | wc -l)" = 1 ] || fail "a second Ctrl+R opened another response window"
click "$id" Command4
id=$(window_id)
[ -z "$(response_windows)" ] || fail "the response window stayed after the switch"
echo "response: one window, gone with the switch"
shoot "$id" form3
click "$id" Command3
id=$(window_id)
check_window "$id" "form1 again"

# A switch, a click into the new window's first box and a letter, all queued
# while the program is stopped: the letter is refused by the new window.
kill -STOP "$program_pid"
pause=0 click "$id" Command3
pause=0 type_into "$id" woofer_f a
kill -CONT "$program_pid"
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^ Error !!$' | head -n 1) ||
    fail "no message after the batch"
# Answered with Return once it has the keyboard focus.
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^ Error !!$' >/dev/null || break
    xdotool key Return
    sleep 0.2
done
xdotool search --onlyvisible --name '^ Error !!$' >/dev/null && fail "the message did not close"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended after the batch"
id=$(window_id)
check_window "$id" "form2 after the batch"
type_example "$id"
click "$id" Command1
import -window "$id" "$out/batch.png"
[ "$(compare -metric AE "$out/batch.png" "$out/form2.png" null: 2>&1)" = 0 ] ||
    fail "the batch did not land on a working form2: $out/batch.png"
echo "batch: landed on form2, $out/batch.png"

click "$id" Command5
for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "the program is still running after Изход"
wait "$program_pid" || fail "the program exited with an error"
program_pid=""
echo "Изход ended the program"

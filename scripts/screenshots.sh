#!/usr/bin/env bash
# Starts the program in a real X window (on an Xvfb server of its own), checks
# the caption and the client-area size, saves a screenshot of each of the
# three windows, switching with mouse clicks, and ends it with "Изход".
#   usage: screenshots.sh PROGRAM OUTPUT_DIR
set -euo pipefail

program=$1
out=$2
mkdir -p "$out"

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "FAIL: $*" >&2; exit 1; }

"$program" &
pid=$!

# The window of the given form: the one mapped window with the caption.
window_id() {
    timeout 10 xdotool search --sync --onlyvisible --name '^Brelkot v:1\.1$' | tail -n 1
}

check_window() {
    local id=$1 form=$2
    local info width height
    info=$(xwininfo -id "$id")
    width=$(awk '/Width:/ {print $2}' <<<"$info")
    height=$(awk '/Height:/ {print $2}' <<<"$info")
    [ "$width" = 794 ] && [ "$height" = 568 ] || fail "$form is ${width}x${height}, not 794x568"
    [ "$(xdotool getwindowname "$id")" = "Brelkot v:1.1" ] || fail "$form caption"
    [ "$(xdotool search --onlyvisible --name '^Brelkot v:1\.1$' | wc -l)" = 1 ] ||
        fail "more than one window after switching to $form"
    sleep 0.3 # let the pictures paint
    import -window "$id" "$out/$form.png"
    echo "$form: 794x568, caption ok, $out/$form.png"
}

# Clicks a button of the window at the given client position.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.5
}

# Command3 and Command4 in the right-hand column (centres, in pixels).
command3=(732 200)
command4=(732 232)
command5=(732 544)

id=$(window_id) || fail "no window appeared"
check_window "$id" form1
click "$id" "${command3[@]}"
id=$(window_id)
check_window "$id" form2
click "$id" "${command4[@]}"
id=$(window_id)
check_window "$id" form3
click "$id" "${command3[@]}"
id=$(window_id)
[ "$(xwininfo -id "$id" | awk '/Width:/ {print $2}')" = 794 ] || fail "back to form1"

click "$id" "${command5[@]}"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program is still running after Изход"
wait "$pid" || fail "the program exited with an error"
pid=""
echo "Изход ended the program"

# Shared by the scripts that drive the real program on an Xvfb server of their
# own: start the server, find the window, click and type as a user would.
# Source it; it sets DISPLAY and stops the server on exit.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Xvfb picks a free display itself and writes its number once it accepts
# clients; a display number chosen here could be taken, by a server in
# another chroot too, whose abstract socket clients would reach first.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=""
stop_session() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_file"
}
trap stop_session EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 "$display_file")
# A real X window, even where the tests run headless otherwise.
export QT_QPA_PLATFORM=xcb

# Client-area centres, in pixels, of the controls a session uses. The entry
# boxes sit at the same places in all three windows.
declare -A at=(
    [Command1]="732 136" [Command2]="732 168" [Command3]="732 200"
    [Command4]="732 232" [Command5]="732 544"
    [woofer_f]="112 366" [woofer_r]="112 382"
    [mid_f1]="344 366" [mid_f2]="344 382" [mid_r]="344 398"
    [tweeter_f]="568 366" [tweeter_r]="568 382"
)

# The one visible program window; waits for it up to $1 seconds (default 10).
window_id() {
    timeout "${1:-10}" xdotool search --sync --onlyvisible --name '^Brelkot v:1\.1$' | tail -n 1
}

click() { # window control
    xdotool mousemove --window "$1" ${at[$2]} click 1
    sleep "${pause:-0.3}"
}

type_into() { # window control text
    click "$1" "$2"
    xdotool type --window "$1" --delay 20 "$3"
}

# Types one full set of entries, the same in every window.
type_example() { # window
    type_into "$1" woofer_f 500
    type_into "$1" woofer_r 8
    type_into "$1" mid_f1 500
    type_into "$1" mid_f2 3000
    type_into "$1" mid_r 8
    type_into "$1" tweeter_f 3000
    type_into "$1" tweeter_r 8
}

#!/usr/bin/env bash
# The real program as a Wayland client (QT_QPA_PLATFORM=wayland) of weston,
# which draws through its X11 backend on an Xvfb server of its own, so that
# clicks reach the program through the compositor as a user's would. The
# window shows the program's own title bar (minimise and close, no maximise)
# above Form1's 794x568 client area; a double click on the title bar and a
# drag of the corner leave it as it was; dragging the title bar moves it; it
# switches through the three windows on clicks; Ctrl+C copies its results for
# a second client that has the focus; Ctrl+R opens its response in a window
# of its own, which Esc closes; "Изход" and the title bar's close button end
# the program. Saves a screenshot of each window.
#   usage: wayland.sh PROGRAM PICTURES_DIR OUTPUT_DIR CLIPBOARD_READER
set -euo pipefail
program=$1
pictures=$2
out=$3
reader=$4
mkdir -p "$out"
# Weston's output covers the top left 1024x768 of a larger screen. Its X11
# backend follows the pointer by its moves from where it entered the output,
# so the pointer leaves the output and re-enters it for each click and shot.
xvfb_screen=1280x800x24
source "$(dirname "$0")/x11-session.sh"
xdotool mousemove 1200 780

export XDG_RUNTIME_DIR=$session_dir/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cat >"$session_dir/weston.ini" <<'EOF'
[core]
idle-time=0
[shell]
background-color=0xff1f3f5f
panel-position=none
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
EOF

# --debug lets weston-debug read the scene graph: where each window is.
weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 --debug \
    --socket=wayland-brelkot --config="$session_dir/weston.ini" \
    --log="$session_dir/weston.log" >/dev/null 2>&1 &
weston_pid=$!
stop_wayland_session() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    kill "$weston_pid" 2>/dev/null || true
    stop_session
}
trap stop_wayland_session EXIT
export WAYLAND_DISPLAY=wayland-brelkot

scene() { timeout 5 weston-debug scene-graph 2>/dev/null || true; }
for _ in $(seq 100); do scene | grep -q "background for output" && break; sleep 0.1; done
scene | grep -q "background for output" || fail "weston did not start; see $session_dir/weston.log"

# The program's top-level window in the scene graph: its role, then x y x2 y2
# of its surface, title bar included.
window_box() {
    scene | grep -A2 "top-level window 'Brelkot v:1.1'" | sed -n \
        -e 's/.*(role \([^,]*\),.*/\1/p' \
        -e 's/.*: (\(-*[0-9]*\), \(-*[0-9]*\)) -> (\(-*[0-9]*\), \(-*[0-9]*\)).*/\1 \2 \3 \4/p' |
        paste -sd ' '
}

surface() { window_box | cut -d ' ' -f 2-5; }

shot() { # file: weston's output, with the pointer beside the window
    xdotool mousemove 1200 400
    if [ "$x" -gt 10 ]; then xdotool mousemove 2 384; else xdotool mousemove 1021 384; fi
    sleep 0.5
    import -window root -crop 1024x768+0+0 +repage "$1"
}

# Whether the client area shows a window's emblem, drawn 688,24 into it.
shows() { # form
    local emblem=$pictures/$1/Image7.png
    shot "$session_dir/screen.png"
    convert "$session_dir/screen.png" \
        -crop "$(identify -format %wx%h "$emblem")+$((ox + 688))+$((oy + 24))" +repage \
        "$session_dir/emblem.png"
    [ "$(compare -metric AE "$emblem" "$session_dir/emblem.png" null: 2>&1)" = 0 ]
}

wait_for() { # form
    for _ in $(seq 30); do shows "$1" && return 0; done
    fail "$1 did not show"
}

click() { # x y, in the client area
    xdotool mousemove 1200 400 mousemove $((ox + $1)) $((oy + $2)) click 1
    sleep 0.5
}

# The title bar the program draws above the client area.
title=28
start() {
    QT_QPA_PLATFORM=wayland LANG=C.UTF-8 "$program" &
    program_pid=$!
    for _ in $(seq 100); do [ -n "$(window_box)" ] && break; sleep 0.1; done
    sleep 1
    box=$(window_box)
    read -r role x y x2 y2 <<<"$box"
    [ -n "$box" ] || fail "no window appeared"
    [ "$role" = xdg_toplevel ] || fail "the window is a $role, not a Wayland top-level window"
    [ $((x2 - x))x$((y2 - y)) = 794x$((568 + title)) ] ||
        fail "the window is $((x2 - x))x$((y2 - y)), not 794x568 and the title bar"
    ox=$x
    oy=$((y + title))
}
ended() { # what ended it
    for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$program_pid" 2>/dev/null && fail "the program is still running after $1"
    wait "$program_pid" || fail "the program exited with an error after $1"
    program_pid=""
    echo "$1 ended the program"
}

start
wait_for form1
echo "window 794x$((568 + title)) at $x,$y with its own title bar, Form1 shows"

# A double click on the title bar and a drag of the corner leave the window
# as it was, pixel for pixel.
shot "$session_dir/before.png"
xdotool mousemove 1200 400 mousemove $((ox + 397)) $((oy - 14)) click --repeat 2 --delay 80 1
sleep 1
xdotool mousemove 1200 400 mousemove $((x2 - 1)) $((y2 - 1)) mousedown 1 sleep 0.3 mousemove $((x2 + 60)) $((y2 + 40)) \
    sleep 0.3 mousemove $((x2 + 100)) $((y2 + 60)) sleep 0.3 mouseup 1
sleep 1
[ "$(surface)" = "$x $y $x2 $y2" ] || fail "the window moved or changed size to $(surface)"
shot "$session_dir/after.png"
for name in before after; do
    convert "$session_dir/$name.png" -crop "$((x2 - x))x$((y2 - y))+$x+$y" +repage \
        "$out/wayland-$name.png"
done
changed=$(compare -metric AE "$out/wayland-before.png" "$out/wayland-after.png" null: 2>&1 || true)
[ "$changed" = 0 ] || fail "$changed pixels changed; see $out/wayland-before.png and -after.png"
echo "a double click on the title bar and a drag of the corner left it as it was"

cp "$session_dir/before.png" "$out/wayland-form1.png"

click 732 200
wait_for form2
cp "$session_dir/screen.png" "$out/wayland-form2.png"
click 732 232
wait_for form3
cp "$session_dir/screen.png" "$out/wayland-form3.png"
click 732 200
wait_for form1
[ "$(surface)" = "$x $y $x2 $y2" ] || fail "switching moved the window or changed its size"
echo "switched to Form2, Form3 and back to Form1 in place: $out/wayland-form*.png"

click 732 544
ended "Изход"

# Dragging the title bar moves the window; its close button ends the program.
start
xdotool mousemove 1200 400 mousemove $((x + 200)) $((y + 14)) mousedown 1 sleep 0.3 \
    mousemove $((x + 230)) $((y + 34)) sleep 0.3 mousemove $((x + 260)) $((y + 54)) sleep 0.3 mouseup 1
sleep 1
[ "$(surface)" = "$((x + 60)) $((y + 40)) $((x2 + 60)) $((y2 + 40))" ] ||
    fail "dragging the title bar by 60,40 moved the window from $x $y to $(surface)"
read -r x y x2 y2 <<<"$(surface)"
xdotool mousemove 1200 400 mousemove $((x + 778)) $((y + 14)) click 1
ended "the close button"

# Its minimise button takes the window off the screen.
start
xdotool mousemove 1200 400 mousemove $((x + 750)) $((y + 14)) click 1
sleep 1
[ -z "$(window_box)" ] || fail "minimise left the window on the screen"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended when minimised"
kill "$program_pid"
wait "$program_pid" || true
echo "the minimise button took the window off the screen"

# The example typed through the compositor, calculated and copied; a second
# client, given the focus as it opens, reads the clipboard. Last of the
# sessions: weston places each new window by a sequence of its own, which
# the reader's window moves on.
start
wait_for form1
for entry in "112 366 500" "112 382 8" "344 366 500" "344 382 3000" "344 398 8" \
    "568 366 3000" "568 382 8"; do
    read -r ex ey text <<<"$entry"
    click "$ex" "$ey"
    xdotool type --delay 20 "$text"
done
click 732 136
xdotool key ctrl+c
sleep 0.5
command="--slope 6 --woofer 500,8 --midrange 500,3000,8 --tweeter 3000,8 --series E12"
{ echo "brelkot $command"; LANG=C.UTF-8 "$program" $command; } >"$session_dir/expected"
QT_QPA_PLATFORM=wayland "$reader" >"$session_dir/copied" 2>/dev/null ||
    fail "the second client found nothing on the clipboard"
diff "$session_dir/expected" "$session_dir/copied" >&2 || fail "the clipboard holds something else"
echo "Ctrl+C copied the results to a second Wayland client"

# Ctrl+R opens the response in a Wayland window of its own, which Esc closes.
response_box() {
    scene | grep -A2 "top-level window 'Честотна характеристика'" |
        sed -n 's/.*: (\(-*[0-9]*\), \(-*[0-9]*\)) -> (\(-*[0-9]*\), \(-*[0-9]*\)).*/\1 \2 \3 \4/p'
}
click 688 24
xdotool key ctrl+r
for _ in $(seq 50); do [ -n "$(response_box)" ] && break; sleep 0.1; done
read -r rx ry rx2 ry2 <<<"$(response_box)"
[ -n "${rx:-}" ] || fail "Ctrl+R opened no response window"
sleep 1
shot "$session_dir/screen.png"
convert "$session_dir/screen.png" -crop "$((rx2 - rx))x$((ry2 - ry))+$rx+$ry" +repage \
    "$out/wayland-response.png"
xdotool key Escape
for _ in $(seq 50); do [ -z "$(response_box)" ] && break; sleep 0.1; done
[ -z "$(response_box)" ] || fail "Esc left the response window open"
echo "Ctrl+R opened the response, $out/wayland-response.png; Esc closed it"
click 732 544
ended "Изход after copying"

# Left to choose for itself in a session that has an X server too, it takes
# the desktop's own border through X11, where a fixed size offers no maximise.
env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland LANG=C.UTF-8 "$program" &
program_pid=$!
timeout 10 xdotool search --sync --onlyvisible --name '^Brelkot v:1\.1$' >/dev/null ||
    fail "with both a Wayland and an X display, no X11 window appeared"
[ -z "$(window_box)" ] || fail "with both a Wayland and an X display, it took Qt's Wayland title bar"
echo "with both displays it opened as an X11 window"

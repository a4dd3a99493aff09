#!/usr/bin/env bash
# The calculator on a real X server, driven as a person would: typing 12, keypad +, 3, Enter
# and Edit > Copy leaves 15 on the clipboard; View > Scientific shows "Scientific" at the
# standard window's top-left corner with the standard window hidden; closing it brings the
# standard window back; "&About" shows the About box until Enter; closing the standard window
# ends the program with status 0.
#   desktop-session-test.sh NUMORA WINDOW_DRIVER      (run under xvfb-run)
set -uo pipefail
numora=$1
driver=$2
export QT_QPA_PLATFORM=xcb
fail() { echo "desktop-session-test: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
gone() {  # TITLE: waits up to 20 s until no window of that title is visible
  for _ in $(seq 400); do [ -z "$(visible "$1")" ] && return 0; sleep 0.05; done
  return 1
}
wait_for() {  # TITLE: waits up to 20 s (a sanitizer build on a busy machine is slow)
  local id
  for _ in $(seq 400); do
    id=$(visible "$1")
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}
corner() { xdotool getwindowgeometry "$1" | sed -n 's/ *Position: \([0-9]*,[0-9]*\).*/\1/p'; }

"$numora" &
pid=$!
standard=$(wait_for Numora) || fail "no window \"Numora\" appeared"
xdotool windowfocus --sync "$standard"
xdotool type --delay 30 12
xdotool key KP_Add
xdotool type 3
xdotool key Return alt+e
sleep 0.2
xdotool key c
sleep 0.2
clip=$("$driver" --clipboard) || fail "nothing on the clipboard"
[ "$clip" = 15 ] || fail "the clipboard holds \"$clip\", not 15"

xdotool key alt+v
sleep 0.2
xdotool key c
scientific=$(wait_for Scientific) || fail "no window \"Scientific\" appeared"
[ "$(corner "$scientific")" = "$(corner "$standard")" ] ||
  fail "the scientific window is at $(corner "$scientific"), not $(corner "$standard")"
[ -z "$(visible Numora)" ] || fail "the standard window is still visible"

"$driver" --delete Scientific || fail "could not close the scientific window"
wait_for Numora >/dev/null || fail "the standard window did not come back"
kill -0 "$pid" 2>/dev/null || fail "closing the scientific window ended the program"

# Without a window manager the box gets the keyboard from us, as a desktop would give it.
standard=$(visible Numora)
xdotool windowfocus --sync "$standard"
xdotool key alt+a
sleep 0.2
xdotool key a
about=$(wait_for " *About") || fail "no About box appeared"
xdotool windowfocus --sync "$about"
xdotool key Return
gone " *About" || fail "Enter did not close the About box"

"$driver" --delete Numora || fail "could not close the standard window"
for _ in $(seq 400); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$pid" 2>/dev/null && fail "the program goes on after its standard window closed"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "desktop-session-test: clipboard 15, scientific window in place, About closed by Enter, exit status 0"

#!/usr/bin/env bash
# The function drawer on a real X server: with a formula the evaluator rejects in Edit1, the
# first pointer move over the picture opens the fault box; once it is closed, further moves
# open none (their error stands in the status bar), so the user can get back to the field.
#   drawer-session-test.sh NUMORA      (run under with-xvfb.sh)
set -uo pipefail
source "$(dirname "$0")/../windows/window-search.sh"
export QT_QPA_PLATFORM=xcb
"$1" &
pid=$!
fail() { echo "drawer-session-test: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
standard=$(wait_for Numora) || fail "no window \"Numora\" appeared"
xdotool windowfocus --sync "$standard"
xdotool key alt+v
sleep 0.2
xdotool key f
drawer=$(wait_for "Function Drawer") || fail "View > Function showed no drawer"
xdotool windowfocus --sync "$drawer"
xdotool key ctrl+a
xdotool type --delay 20 'sin(w/20)*50+'
eval "$(xdotool getwindowgeometry --shell "$drawer")"
boxes=0
for i in 1 2 3 4 5; do
  xdotool mousemove --sync $((X + 200 + 10 * i)) $((Y + 100))
  sleep 0.5
  box=$(visible numora | grep -v "^$standard\$" | head -1)  # the box bears the program's name
  [ -z "$box" ] && continue
  boxes=$((boxes + 1))
  xdotool windowfocus --sync "$box"
  xdotool key Return
  sleep 0.3
done
[ "$boxes" -eq 1 ] || fail "five moves opened $boxes fault boxes, not 1"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
echo "drawer-session-test: one fault box for five moves over a rejected formula"

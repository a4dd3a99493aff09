#!/usr/bin/env bash
# The calculator under a real window manager, driven as a person would. Every box and window
# it opens belongs to (is transient for) the window that opened it, is stacked above that
# window and the stay-on-top calculator in _NET_CLIENT_LIST_STACKING, and has the keyboard;
# the title bar's close button and Alt+F4 close it, and the keyboard goes back to the window
# that opened it:
# - "Division by Zero" (closed by Alt+F4) and a fault box (by its close button);
# - the About box from the standard and from the scientific window;
# - the function drawer (close button, Alt+F4), its error box above it (Alt+F4); its readout
#   box shows the whole of a long number, checked on the screen's pixels;
# - closing the drawer while it plots in slow motion and opening it again at once opens it;
# - Alt+F4 on the standard window ends the program with status 0.
#   window-manager-session-test.sh NUMORA WINDOW_DRIVER
#       (run under with-xvfb.sh and with-window-manager.sh)
set -uo pipefail
source "$(dirname "$0")/window-search.sh"
numora=$1
driver=$2
export QT_QPA_PLATFORM=xcb
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
fail() {
  echo "window-manager-session-test: $*" >&2
  kill "$pid" 2>/dev/null
  exit 1
}
gone() {  # ID: waits up to 20 s until the window is no longer visible
  for _ in $(seq 400); do
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.05
  done
  return 1
}
hex() { printf '0x%x' "$1"; }
active() { xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //'; }
# The top-level windows from bottom to top, one per line.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tr -d ' '; }
place() {  # ID: its place from the bottom, 0 when it is not listed (not shown)
  local n
  n=$(stacking | grep -nx "$(hex "$1")" | cut -d: -f1)
  echo "${n:-0}"
}
# WINDOW OWNER WHAT: WINDOW is transient for OWNER, stacked above it and the standard window,
# and has the keyboard (the window manager gives it time to settle).
owned_on_top() {
  local window=$1 owner=$2 what=$3 transient
  transient=$(xprop -id "$window" WM_TRANSIENT_FOR | sed -n 's/.*# //p')
  [ "$transient" = "$(hex "$owner")" ] ||
    fail "$what is transient for \"$transient\", not for $(hex "$owner"), the window that opened it"
  for _ in $(seq 100); do
    [ "$(active)" = "$(hex "$window")" ] && [ "$(place "$window")" -gt "$(place "$owner")" ] &&
      [ "$(place "$window")" -gt "$(place "$standard")" ] && return 0
    sleep 0.05
  done
  fail "$what is not the active window above the calculator: active $(active), stacking $(stacking | tr '\n' ' ')"
}
back_to() {  # WINDOW WHAT: the keyboard is back in WINDOW after WHAT
  for _ in $(seq 100); do [ "$(active)" = "$(hex "$1")" ] && return 0; sleep 0.05; done
  fail "after $2 the active window is $(active), not $(hex "$1")"
}
close_button() {  # WINDOW: a click on the close button at the right end of the title bar
  local x y width right top
  x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  width=$(xwininfo -id "$1" | sed -n 's/.*Width: *//p')
  read -r _ right top _ <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
  xdotool mousemove $((x + width + right - 7)) $((y - top / 2)) click 1
}
menu() {  # LETTERS: a menu command through the keyboard, e.g. "v f"
  xdotool key "alt+$1"
  sleep 0.2
  xdotool key "$2"
}
clipboard_is() {  # EXPECTED WHAT: Edit > Copy, then the clipboard must hold EXPECTED
  menu e c
  sleep 0.2
  local clip
  clip=$("$driver" --clipboard) || fail "nothing on the clipboard after $2"
  [ "$clip" = "$1" ] || fail "after $2 the clipboard holds \"$clip\", not \"$1\" (keys lost?)"
}
click_at() {  # WINDOW X Y: a click at X, Y of the window
  local x y
  x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  xdotool mousemove $((x + $2)) $((y + $3)) click 1
}
click_key() {  # X Y: a click on the standard window's keypad, which lies 41 pixels below the
  # menu bar; the client area under the menu bar is 254 pixels high
  local menubar
  menubar=$(($(xwininfo -id "$standard" | sed -n 's/.*Height: *//p') - 254))
  click_at "$standard" "$1" $((menubar + 41 + $2))
}

"$numora" 2>"$errors" &
pid=$!
standard=$(wait_for Numora) || fail "no window \"Numora\" appeared"
back_to "$standard" "start-up"

xdotool type --delay 30 5
xdotool key KP_Divide
xdotool type 0
xdotool key Return
box=$(wait_for Numora "$standard") || fail "no box after a division by zero"
owned_on_top "$box" "$standard" "the Division by Zero box"
xdotool key alt+F4
gone "$box" || fail "Alt+F4 did not close the Division by Zero box"
back_to "$standard" "the Division by Zero box"
xdotool type 4
clipboard_is 4 "the Division by Zero box closed"

click_key 164 156  # SignButton at 148, 144: "-4"
click_key 308 60   # RootButton at 292, 48: a negative number has no square root
box=$(wait_for Numora "$standard") || fail "no fault box after the root of -4"
owned_on_top "$box" "$standard" "the fault box"
close_button "$box"
gone "$box" || fail "the close button did not close the fault box"
back_to "$standard" "the fault box"
xdotool type 6
clipboard_is 6 "the fault box closed"

menu a a
about=$(wait_for " *About") || fail "no About box appeared"
owned_on_top "$about" "$standard" "the About box"
close_button "$about"
gone "$about" || fail "the close button did not close the About box"
back_to "$standard" "the About box"

menu v f
drawer=$(wait_for "Function Drawer") || fail "View > Function showed no drawer"
owned_on_top "$drawer" "$standard" "the function drawer"
xdotool key ctrl+a
xdotool type --delay 20 'w^5'
xdotool key Return
# Prints the columns, counted from 0, of the pixels of one kind in rows, with their counts.
columns() {  # red | face
  awk -v kind="$1" '
    function hex(s,  i, n) {
      for (i = 1; i <= length(s); ++i) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
      return n
    }
    { for (i = 1; i <= NF; ++i) {
        r = hex(substr($i, 1, 2)); g = hex(substr($i, 3, 2)); b = hex(substr($i, 5, 2))
        if (kind == "red" ? r > 180 && g < 90 && b < 90 : r > 240 && g > 240 && b > 190 && b < 240)
          print i - 1
    } }' <<<"$rows" | sort -n | uniq -c
}
# The readout's second line, "F(w) = 320000000000", in red on the box's pale yellow: the
# text reaches beyond the box's stored width (its right edge at 102) and ends inside the box. The
# columns from 300 on hold the vertical axis, in red too.
for _ in $(seq 100); do  # until the plot has ended and the window shows its last texts
  rows=$("$driver" --pixels "$drawer" 0 20 300 14) || fail "cannot read the drawer's pixels"
  last=$(columns red | awk 'END { print $2 }')
  [ "${last:-0}" -gt 102 ] && break
  sleep 0.2
done
[ "${last:-0}" -gt 102 ] || fail "the readout's text ends at column ${last:-none}: it is cut at the box's stored width"
# Every row of the two columns after the text and its soft edge shows the box's face.
clear=$(columns face | awk -v c="$last" '($2 == c + 2 || $2 == c + 3) && $1 == 14' | wc -l)
[ "$clear" -eq 2 ] || fail "right of the readout's last red column $last lies no box face"

xdotool key ctrl+a
xdotool type --delay 20 'sin('
xdotool key Return
box=$(wait_for Numora "$standard") || fail "no error box for a rejected formula"
owned_on_top "$box" "$drawer" "the drawer's error box"
xdotool key alt+F4
gone "$box" || fail "Alt+F4 did not close the drawer's error box"
back_to "$drawer" "the drawer's error box"
close_button "$drawer"
gone "$drawer" || fail "the close button did not close the drawer"
back_to "$standard" "the drawer"

# Slow motion, Enter, and the drawer closed while it plots; then View > Function at once.
menu v f
drawer=$(wait_for "Function Drawer") || fail "View > Function showed no drawer the second time"
back_to "$drawer" "View > Function"
xdotool key ctrl+a
xdotool type --delay 20 'w'
click_at "$drawer" 514 424  # SpeedButton1 at 493, 408
xdotool key Return
sleep 0.1
xdotool key alt+F4
gone "$drawer" || fail "Alt+F4 did not close the drawer during its plot"
back_to "$standard" "the drawer closed during its plot"
menu v f
drawer=$(wait_for "Function Drawer") ||
  fail "View > Function right after closing a plotting drawer showed no drawer"
owned_on_top "$drawer" "$standard" "the drawer opened again"
xdotool key alt+F4
gone "$drawer" || fail "Alt+F4 did not close the drawer opened again"
back_to "$standard" "the drawer opened again"
grep -q 'Recursive call' "$errors" && fail "the drawer was shown inside its own showing: $(cat "$errors")"

menu v c
scientific=$(wait_for Scientific) || fail "no window \"Scientific\" appeared"
back_to "$scientific" "View > Scientific"
menu a a
about=$(wait_for " *About") || fail "no About box appeared in the scientific window"
owned_on_top "$about" "$scientific" "the About box of the scientific window"
xdotool key alt+F4
gone "$about" || fail "Alt+F4 did not close the About box of the scientific window"
back_to "$scientific" "the About box of the scientific window"
xdotool key alt+F4
gone "$scientific" || fail "Alt+F4 did not close the scientific window"
back_to "$standard" "the scientific window"
kill -0 "$pid" 2>/dev/null || fail "closing the scientific window ended the program"

xdotool key alt+F4
ended "$pid" || fail "Alt+F4 on the standard window did not end the program well"
# A larger desktop font and the keyboard where people can see (one block). With a 12-point
# desktop font (qt6ct, in a configuration of this test's own) the menu bar grows and the
# standard window with it: the keypad starts 41 pixels under the menu bar and the 254-pixel
# client area, its status bar at the bottom, lies wholly inside the window. In the drawer Tab
# and Shift+Tab keep the keyboard in the formula field, whose Enter still draws.
qt6ct_config=$(mktemp -d)
trap 'rm -f "$errors"; rm -rf "$qt6ct_config"' EXIT
mkdir -p "$qt6ct_config/qt6ct"
printf '[Fonts]\ngeneral="DejaVu Sans,12,-1,5,50,0,0,0,0,0"\nfixed="DejaVu Sans Mono,12,-1,5,50,0,0,0,0,0"\n' \
  >"$qt6ct_config/qt6ct/qt6ct.conf"
XDG_CONFIG_HOME=$qt6ct_config QT_QPA_PLATFORMTHEME=qt6ct "$numora" 2>"$errors" &
pid=$!
standard=$(wait_for Numora) || fail "no window \"Numora\" appeared with a 12-point desktop font"
back_to "$standard" "start-up with a 12-point desktop font"
# The keypad's face, counted from the window's top: the first row of its blue below the display
# strip's pale blue, in the column left of the clearing keys, one row under the keypad's bevel.
# A slow start (a sanitizer build) may map and paint the window before the desktop's font
# reaches it: read until the menu bar has grown, for up to 10 s.
keypad=
for _ in $(seq 100); do
  strip=$("$driver" --pixels "$standard" 20 0 1 120) || fail "cannot read the standard window's pixels"
  keypad=$(awk '{ r = substr($1, 1, 2); b = substr($1, 5, 2) } seen && r == "3a" && b == "a5" { print NR - 1; exit }
    r == "b9" { seen = 1 }' <<<"$strip")
  [ -n "$keypad" ] && [ $((keypad - 42)) -gt 19 ] && break
  sleep 0.1
done
[ -n "$keypad" ] || fail "no keypad under the display strip with a 12-point desktop font"
height=$(xwininfo -id "$standard" | sed -n 's/.*Height: *//p')
menubar=$((keypad - 42))
[ "$menubar" -gt 19 ] || fail "the menu bar is $menubar pixels high with a 12-point desktop font: the font did not reach it"
[ "$height" -eq $((menubar + 254)) ] ||
  fail "with a $menubar-pixel menu bar the standard window is $height pixels high, not $((menubar + 254)): the status bar is cut off"
menu v f
drawer=$(wait_for "Function Drawer") || fail "View > Function showed no drawer with a 12-point desktop font"
back_to "$drawer" "View > Function with a 12-point desktop font"
xdotool key ctrl+a
xdotool key Tab
xdotool key shift+Tab
xdotool key Tab
xdotool type --delay 20 'sin('
xdotool key Return
box=$(wait_for Numora "$standard") ||
  fail "after Tab and Shift+Tab the formula field lost what was typed or its Enter: no error box for \"sin(\""
xdotool key alt+F4
gone "$box" || fail "Alt+F4 did not close the drawer's error box after Tab"
back_to "$drawer" "the drawer's error box after Tab"
xdotool key alt+F4
gone "$drawer" || fail "Alt+F4 did not close the drawer with a 12-point desktop font"
back_to "$standard" "the drawer with a 12-point desktop font"
xdotool key alt+F4
ended "$pid" || fail "Alt+F4 on the standard window with a 12-point desktop font did not end the program well"

echo "window-manager-session-test: boxes, About, drawer and its error box owned and on top; keyboard back; readout whole; drawer reopens; exit 0; whole under a 12-point font; Tab stays in sight"

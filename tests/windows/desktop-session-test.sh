#!/usr/bin/env bash
# The calculator on a real X server, driven as a person would, each step checked through the
# clipboard ("&Copy") or the windows on the screen:
# - 12, keypad +, 3, Enter, Edit > Copy leaves 15 on the clipboard;
# - after a menu opened with Alt or with the mouse is closed by Escape, typed digits count;
# - Edit > Paste takes the clipboard's first line with a number: C, 5, keypad +, paste
#   "42\n17", Enter: 47; message and error boxes are titled "Numora" and give the keyboard
#   back when they close;
# - typed calculations give their results on US, German and French layouts: the main row's
#   operators, Shift+8's "*", both Enter keys, "." and ","; Backspace is Back, Escape and Delete
#   clear the calculation and keep the memory, Ctrl+C and Ctrl+V copy and paste;
# - a paste lands in the number being entered (5+ Ctrl+V of 17 Enter: 22; after a result, after
#   Escape and after Home it is the pasted number, or continues the typed one), and a pasted
#   "1 234.5" (no-break space) is 1234,5 while "12 apples" changes nothing;
# - every key of the key table has its keyboard key (F9, R, @, %, Ctrl+M, Ctrl+R, Ctrl+P,
#   Ctrl+L, Ctrl+Delete; in the scientific window Q, #, Y, ^, !, N, L, S, O, T, P, Ctrl+N),
#   Ctrl+letter is never Enter or Backspace, the keypad types its digits with NumLock off, a
#   dead key followed by a digit types the digit, and Escape after a menu reaches no key;
# - View > Scientific shows "Scientific" at the standard window's top-left corner with the
#   standard window hidden; closing it brings the standard window back, showing what the
#   scientific window showed;
# - "&About" shows the About box until Enter; closing the standard window ends the program
#   with status 0.
#   desktop-session-test.sh NUMORA WINDOW_DRIVER      (run under with-xvfb.sh)
set -uo pipefail
source "$(dirname "$0")/window-search.sh"
numora=$1
driver=$2
export QT_QPA_PLATFORM=xcb
owner=
fail() {
  echo "desktop-session-test: $*" >&2
  kill "$pid" 2>/dev/null
  [ -n "$owner" ] && kill "$owner" 2>/dev/null
  exit 1
}
corner() { xdotool getwindowgeometry "$1" | sed -n 's/ *Position: \([0-9]*,[0-9]*\).*/\1/p'; }
menu() {  # LETTERS: an Edit or View command through the keyboard, e.g. "e c"
  xdotool key "alt+$1"
  sleep 0.2
  xdotool key "$2"
  sleep 0.2
}
clipboard_is() {  # EXPECTED WHAT: Edit > Copy, then the clipboard must hold EXPECTED
  menu e c
  local clip
  clip=$("$driver" --clipboard) || fail "nothing on the clipboard after $2"
  [ "$clip" = "$1" ] || fail "after $2 the clipboard holds \"$clip\", not \"$1\""
}
own_clipboard() {  # TEXT: another client offers TEXT on the clipboard
  "$driver" --own-clipboard "$1" &
  owner=$!
  for _ in $(seq 100); do [ "$("$driver" --clipboard)" = "$1" ] && return 0; sleep 0.05; done
  fail "the clipboard never offered \"$1\""
}
close_box() {  # WHAT: the modal box titled Numora beside the standard window; Enter closes it
  local box
  box=$(wait_for Numora "$standard") || fail "no box after $1"
  # xdotool's search ignores case; the title must be the program's name exactly.
  [ "$(xdotool getwindowname "$box")" = Numora ] || fail "the box after $1 is not titled Numora"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  for _ in $(seq 400); do [ "$(visible Numora | wc -l)" -eq 1 ] && break; sleep 0.05; done
  [ "$(visible Numora | wc -l)" -eq 1 ] || fail "Enter did not close the box after $1"
}

"$numora" &
pid=$!
standard=$(wait_for Numora) || fail "no window \"Numora\" appeared"
xdotool windowfocus --sync "$standard"
xdotool type --delay 30 12
xdotool key KP_Add
xdotool type 3
xdotool key Return
clipboard_is 15 "12 keypad+ 3 Enter"

xdotool key alt+e
sleep 0.2
xdotool key Escape
xdotool type 4
menubar=$(($(xdotool getwindowgeometry "$standard" | sed -n 's/.*Geometry: [0-9]*x//p') - 254))
xdotool mousemove --window "$standard" 15 $((menubar / 2)) click 1
sleep 0.2
xdotool key Escape
xdotool type 2
clipboard_is 42 "menus closed by Escape"

# The C key: the keypad lies 41 pixels below the menu bar, C at 46, 8 on it.
xdotool mousemove --window "$standard" 80 $((menubar + 41 + 20)) click 1
xdotool type 5
xdotool key KP_Add
own_clipboard $'42\n17'
menu e p
xdotool key Return
clipboard_is 47 "pasting \"42\\n17\" after C 5 keypad+"
owner=

xdotool type 0
xdotool key KP_Divide
xdotool type 0
xdotool key Return  # 0 / 0 has no value
close_box "a fault"
xdotool key Escape
xdotool type 5
xdotool key KP_Divide
xdotool type 0
xdotool key Return
close_box "a division by zero"
xdotool type 8
clipboard_is 8 "the boxes closed"

# The keypad's keys, 41 pixels below the menu bar: x, y of a key's centre from its left, top.
click_key() { xdotool mousemove --window "$standard" $(($1 + 16)) $((menubar + 41 + $2 + 12)) click 1; }
layout=us
typed_is() {  # LAYOUT TEXT ENDING EXPECTED: Escape, TEXT typed, then ENDING (a key or "")
  if [ "$1" != "$layout" ]; then
    setxkbmap "$1" || fail "setxkbmap $1 failed"
    layout=$1
    sleep 0.3  # the program takes up the new keymap from the server's notification
  fi
  xdotool key Escape
  xdotool type --delay 30 "$2"
  [ -n "$3" ] && xdotool key "$3"
  clipboard_is "$4" "typing \"$2\" $3 on the $1 layout"
}
typed_is us '3.5*2' Return 7
typed_is us '2+3' KP_Enter 5
typed_is us '12-5=' "" 7
typed_is us '6' shift+8 6
xdotool type 7=
clipboard_is 42 "6 Shift+8 7 = on the us layout"
typed_is us '5++3=' "" 8
typed_is us '5+-3=' "" 2
typed_is us '1,5/3=' "" 0,5
typed_is us '123' BackSpace 12
typed_is us '12+3' Delete 0
typed_is de '6*7=' "" 42
typed_is de '1.5+1' KP_Decimal 1,
xdotool type 5=
clipboard_is 3 "1.5+1 keypad-decimal 5 = on the de layout"
typed_is fr '12+3=' "" 15
typed_is fr '4/8' Return 0,5
typed_is fr '9' ampersand 9  # the unshifted "&" of the digit row types no digit
setxkbmap us
sleep 0.3
xdotool key Escape
xdotool type 5
click_key 47 144  # M+
xdotool type 7+
xdotool key Escape
click_key 47 80  # MR
clipboard_is 5 "Escape after M+"
xdotool type 4*5=
xdotool key ctrl+c
[ "$("$driver" --clipboard)" = 20 ] || fail "Ctrl+C did not copy 20"
own_clipboard 17
xdotool key Escape ctrl+v
xdotool type +1=
clipboard_is 18 "Ctrl+V of 17, then +1="
owner=
pasted_is() {  # KEYS TEXT EXPECTED: KEYS typed (xdotool key names), Ctrl+V of TEXT
  xdotool key Escape $1
  own_clipboard "$2"
  xdotool key ctrl+v
  clipboard_is "$3" "$1 then Ctrl+V of \"$2\""
  owner=
}
pasted_is "5 plus" 17 17
xdotool key Return
clipboard_is 22 "5+ Ctrl+V of 17, Enter"
pasted_is "1 2 plus 3 equal" 5 5
pasted_is "7 Escape" 3 3
pasted_is "1 2 Home" 3 123
pasted_is "1 2 shift+Left" 3 123
pasted_is "" $'1\xc2\xa0234.5' 1234,5
pasted_is "" '12 apples' 0

# Every key of the key table from the keyboard, the keypad with NumLock off, a dead key before
# a digit, and Escape that closes a menu or leaves the menu bar.
keys_are() {  # LAYOUT EXPECTED KEY...: Escape (CE), the keys, then Edit > Copy
  local on=$1 expected=$2
  shift 2
  if [ "$on" != "$layout" ]; then
    setxkbmap "$on" || fail "setxkbmap $on failed"
    layout=$on
    sleep 0.3
  fi
  xdotool key Escape
  xdotool key --delay 30 "$@"
  clipboard_is "$expected" "the keys $* on the $on layout"
}
"$driver" --num-lock off || fail "could not switch NumLock off"
keys_are us 15,5 1 2 KP_Add 3 KP_Delete 5 Return
keys_are us 17 KP_End KP_Down KP_Add KP_Begin KP_Enter
keys_are us 7894561230 KP_Home KP_Up KP_Prior KP_Left KP_Begin KP_Right KP_End KP_Down KP_Next \
  KP_Insert
keys_are us -5 5 F9
keys_are us 0,25 4 r
keys_are us 3 9 at
keys_are us 2,1 2 0 0 plus 1 0 percent
keys_are us 3 2 plus 3 ctrl+m  # MS, not "="
keys_are us 3 ctrl+r
keys_are us 8 ctrl+l 5 ctrl+p 3 ctrl+p
keys_are us 8 Delete ctrl+r
keys_are us 0 ctrl+Delete ctrl+r
keys_are us 5 5 ctrl+p ctrl+l ctrl+r 5
keys_are us 12 1 2 ctrl+h ctrl+j ctrl+a
keys_are us 3 3 q  # a scientific key: nothing in the standard window
keys_are us 9 9 ctrl+n
keys_are de 13 1 dead_circumflex 2 plus 1 Return
xdotool key Escape
xdotool type 12
for key in alt+v Escape Escape; do
  xdotool key "$key"
  sleep 0.2
done
clipboard_is 12 "12, Alt+V, Escape, Escape"
menu v c
scientific=$(wait_for Scientific) || fail "no window \"Scientific\" appeared"
xdotool windowfocus --sync "$scientific"
keys_are de 8 2 dead_circumflex 3 Return
keys_are us 9 3 q
keys_are us 8 2 numbersign
keys_are us 1024 2 y 1 0 Return
keys_are us 8 2 asciicircum 3 Return
keys_are us 120 5 exclam
keys_are us 2 1 0 0 l
keys_are us 0 1 n
keys_are us 0,5 3 0 s
keys_are us 0,5 6 0 o
keys_are us 1 4 5 t
keys_are us 2,71828182845905 1 ctrl+n
keys_are us 3,14159265358979 p
menu v s
gone_title Scientific || fail "View > Standart did not close the scientific window"
xdotool windowfocus --sync "$standard"

menu v c
scientific=$(wait_for Scientific) || fail "no window \"Scientific\" appeared"
[ "$(corner "$scientific")" = "$(corner "$standard")" ] ||
  fail "the scientific window is at $(corner "$scientific"), not $(corner "$standard")"
[ -z "$(visible Numora)" ] || fail "the standard window is still visible"
xdotool windowfocus --sync "$scientific"
xdotool type 7
xdotool key KP_Add

"$driver" --delete Scientific || fail "could not close the scientific window"
wait_for Numora >/dev/null || fail "the standard window did not come back"
kill -0 "$pid" 2>/dev/null || fail "closing the scientific window ended the program"
# Without a window manager the windows get the keyboard from us, as a desktop would give it.
xdotool windowfocus --sync "$standard"
clipboard_is 7 "7 keypad+ in the scientific window"

xdotool key alt+a
sleep 0.2
xdotool key a
about=$(wait_for " *About") || fail "no About box appeared"
xdotool windowfocus --sync "$about"
xdotool key Return
gone_title " *About" || fail "Enter did not close the About box"
xdotool type 3
clipboard_is 3 "the About box closed"

"$driver" --delete Numora || fail "could not close the standard window"
ended "$pid" || fail "closing the standard window did not end the program well"
echo "desktop-session-test: clipboard, menus, paste, boxes, scientific window, About, exit 0"

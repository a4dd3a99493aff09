#!/usr/bin/env bash
# The Windows installer under Wine on a private X server, as a Windows user meets it:
# - a silent install (/S) into a fresh Wine prefix puts the program, the Qt and MinGW DLLs, the
#   two Qt plugins, the uninstaller and the Start-menu entry in place, and no DLL that nothing
#   loads (objdump -p);
# - the installed numora.exe shows the "Numora" window; typed 12+3= and then Edit > Copy leaves
#   15 on the X clipboard (Wine hands the Windows clipboard to X), keypad -, 5, Enter then 10;
# - View > Function opens the drawer; Enter draws the plot (the window's pixels change) without
#   an error box; closing it gives the keyboard back to the calculator;
# - View > Scientific shows "Scientific"; closing it brings "Numora" back;
# - closing the standard window ends the program with status 0; the uninstaller removes it all.
#   windows-installer-test.sh INSTALLER WINDOW_DRIVER      (run under with-xvfb.sh)
set -uo pipefail
wait_seconds=60  # Wine starts slowly on a busy machine
source "$(dirname "$0")/../windows/window-search.sh"
installer=$1
driver=$2
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
fail() {
  echo "windows-installer-test: $*" >&2
  exit 1
}
keys() {  # KEY...: to the window that has the keyboard, a little apart as a person types
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.15
  done
}

# A fresh prefix: Wine makes its folders and registry on first use.
wineboot --init >/dev/null 2>&1 || fail "wineboot could not make a prefix"
wine "$installer" /S || fail "the silent install failed with status $?"
home="$WINEPREFIX/drive_c/Program Files/Numora"
for file in numora.exe Uninstall.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll \
  libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
  [ -f "$home/$file" ] || fail "the installer left out $file"
done
# Every DLL shipped is one the program or a plugin loads, directly or through another DLL.
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'; }
declare -A loaded=()
pending=("$home/numora.exe" "$home/platforms/qwindows.dll" "$home/styles/qwindowsvistastyle.dll")
while [ ${#pending[@]} -gt 0 ]; do
  file=${pending[0]}
  pending=("${pending[@]:1}")
  for name in $(imports "$file"); do
    [ -n "${loaded[$name]:-}" ] && continue
    loaded[$name]=1
    shipped=$(find "$home" -maxdepth 1 -iname "$name" | head -1)
    [ -n "$shipped" ] && pending+=("$shipped")
  done
done
for dll in "$home"/*.dll; do
  name=$(basename "$dll" | tr 'A-Z' 'a-z')
  [ -n "${loaded[$name]:-}" ] || fail "$name is shipped but nothing loads it"
done
find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Numora/Numora.lnk' | grep -q . ||
  fail "no Start-menu entry"

wine "$home/numora.exe" &
pid=$!
main=$(wait_for Numora) || fail "the Numora window never showed"
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
sleep 0.5
clipboard_is() {  # EXPECTED WHAT: Edit > Copy, then the X clipboard must hold EXPECTED
  keys alt+e c
  local clip
  clip=$("$driver" --clipboard) || fail "nothing on the clipboard after $2"
  [ "$clip" = "$1" ] || fail "after $2 the clipboard holds \"$clip\", not \"$1\""
}
xdotool type --delay 150 "12+3="
clipboard_is 15 "typing 12+3="
keys KP_Subtract 5 KP_Enter  # the keypad's keys by their virtual key codes
clipboard_is 10 "keypad - 5 Enter"

keys alt+v f
drawer=$(wait_for "Function Drawer") || fail "View > Function showed no drawer"
pixels() {  # a digest of the drawer's whole window
  eval "$(xdotool getwindowgeometry --shell "$drawer")"
  "$driver" --pixels "$drawer" 0 0 "$WIDTH" "$HEIGHT" | sha1sum
}
sleep 1
before=$(pixels) || fail "the drawer's pixels could not be read"
keys Return
sleep 3
after=$(pixels)
[ "$before" != "$after" ] || fail "Enter in the drawer drew nothing"
[ -z "$(visible Numora | grep -vx "$main")" ] || fail "Enter in the drawer opened an error box"
"$driver" --delete "Function Drawer" || fail "the drawer did not take the close request"
gone_title "Function Drawer" || fail "the drawer stayed open after its close request"

keys alt+v c
sci=$(wait_for Scientific) || fail "View > Scientific showed no Scientific window"
"$driver" --delete Scientific || fail "the Scientific window did not take the close request"
main=$(wait_for Numora) || fail "closing the Scientific window did not bring Numora back"

"$driver" --delete Numora || fail "the Numora window did not take the close request"
ended "$pid" || fail "closing the Numora window did not end the program well"
pid=

wine "$home/Uninstall.exe" /S
for _ in $(seq 100); do [ -f "$home/numora.exe" ] || break; sleep 0.2; done
[ ! -f "$home/numora.exe" ] || fail "the uninstaller left numora.exe"
echo "windows-installer-test: passed"

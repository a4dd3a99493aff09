#!/usr/bin/env bash
# The Windows installer under Wine on a private X server, as a Windows user meets it, each case
# in a fresh Wine prefix that sees none of this machine's fonts (as a clean Windows has none of
# Debian's):
# - per machine (/S): the program, the Qt and MinGW DLLs, the two Qt plugins, the shipped faces
#   with their licence, the uninstaller and the Start-menu entry land in Program Files, and no
#   DLL that nothing loads (objdump -p); the uninstall entry in HKLM carries its values with
#   their types; numora.exe and the installer carry their version resources and manifests;
# - the Start-menu entry starts the program, which shows the "Numora" window; typed 12+3= and
#   then Edit > Copy leaves 15 on the X clipboard (Wine hands the Windows clipboard to X), keypad
#   -, 5, Enter then 10; View > Function opens the drawer, Enter draws the plot without an error
#   box; View > Scientific shows "Scientific" and closing it brings "Numora" back; closing the
#   standard window ends the program with status 0;
# - the program draws the window faces a clean Windows lacks in the shipped stand-ins;
# - started by hand, the installer's window is titled "Numora <version> Setup";
# - per user (/S /CurrentUser): the user's programs folder and an HKCU entry, nothing in HKLM;
#   an install or an uninstall while that Numora runs ends with a non-zero status and leaves the
#   installation and its entry as they were; an update without a switch stays per user;
# - a silent uninstall leaves no file, folder, shortcut or registry key behind (the prefix and
#   its registry listed before the install and after the uninstall).
#   windows-installer-test.sh INSTALLER WINDOW_DRIVER      (run under with-xvfb.sh; the Windows
#   build's numora-probe.exe beside INSTALLER)
set -uo pipefail
wait_seconds=60  # Wine starts slowly on a busy machine
source "$(dirname "$0")/../windows/window-search.sh"
installer=$1
driver=$2
probe=$(dirname "$installer")/numora-probe.exe
version=$(basename "$installer" | sed -n 's/^Numora-\(.*\)-win64\.exe$/\1/p')
scratch=$(mktemp -d)
# Wine finds the host's fonts through fontconfig: a configuration without folders hides them.
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$scratch/fonts.conf"
# No menu entries on this machine for the Windows program's shortcuts.
export FONTCONFIG_FILE="$scratch/fonts.conf" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null
  rm -rf "$scratch"
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
fresh_prefix() {  # NAME: a new prefix, Wine's own folders and registry made
  wineserver -k 2>/dev/null
  export WINEPREFIX="$scratch/$1"
  wineboot --init >/dev/null 2>&1 || fail "wineboot could not make a prefix"
  # On an X display wineboot returns before it has finished with the registry.
  wineserver -w
}
# The prefix's files and folders (the temporary folder aside, where the uninstaller runs from)
# and its registry keys. Wine writes the registry when its server ends, after the last program.
listing() {
  wineserver -w
  (cd "$WINEPREFIX" && find drive_c -path '*/Temp' -prune -o -print | LC_ALL=C sort &&
    sed -n 's/^\[\(.*\)\] [0-9]*$/key \1/p' system.reg user.reg | LC_ALL=C sort)
}
uninstall_leaves_nothing() {  # HOME BEFORE: a silent uninstall, then nothing the prefix lacked
  wine "$1/Uninstall.exe" /S
  listing >"$scratch/after"
  LC_ALL=C comm -13 "$2" "$scratch/after" >"$scratch/left"
  [ ! -s "$scratch/left" ] || fail "the uninstaller left behind: $(head -20 "$scratch/left")"
}
entry() {  # HIVE: the uninstall entry's values, one "NAME TYPE VALUE" a line
  wine reg query "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Numora" 2>/dev/null |
    tr -d '\r' | sed -n 's/^    \([^ ]*\)    \([A-Z_]*\)    \(.*\)$/\1 \2 \3/p'
}
winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }
resources() { x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null; }
manifest() {  # FILE: the application manifest's text, from the file's resource section
  x86_64-w64-mingw32-objcopy -O binary --only-section=.rsrc "$1" "$scratch/rsrc" 2>/dev/null &&
    tr -d '\000\r\n' <"$scratch/rsrc" | grep -ao '<assembly.*</assembly>'
}

# --- Per machine ---------------------------------------------------------------------------
fresh_prefix machine
listing >"$scratch/before"
wine "$installer" /S || fail "the silent install failed with status $?"
home="$WINEPREFIX/drive_c/Program Files/Numora"
for file in numora.exe Uninstall.exe LICENSE.txt Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
  libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll \
  styles/qwindowsvistastyle.dll fonts/URWBookman-Demi.otf fonts/P052-Bold.otf \
  fonts/URWGothic-Demi.otf fonts/NimbusSansNarrow-Bold.otf fonts/urw-base35-copyright.txt; do
  [ -f "$home/$file" ] || fail "the installer left out $file"
done
grep -q "Font exception" "$home/fonts/urw-base35-copyright.txt" ||
  fail "the faces' licence is not the one of their package"
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

# The entry Apps & Features reads, with the types it expects; the size in KB of what is there.
where=$(winpath "$home")
size_kb=$(find "$home" -type f -printf '%s\n' | awk '{ total += $1 } END { print int(total / 1024) }')
entry HKLM >"$scratch/entry"
for line in "DisplayName REG_SZ Numora" "DisplayVersion REG_SZ $version" \
  "Publisher REG_SZ The Numora developers" "DisplayIcon REG_SZ $where\\numora.exe" \
  "InstallLocation REG_SZ $where" "UninstallString REG_SZ \"$where\\Uninstall.exe\"" \
  "QuietUninstallString REG_SZ \"$where\\Uninstall.exe\" /S" \
  "NoModify REG_DWORD 0x1" "NoRepair REG_DWORD 0x1"; do
  grep -qxF "$line" "$scratch/entry" || fail "the uninstall entry lacks \"$line\": $(cat "$scratch/entry")"
done
estimated=$(sed -n 's/^EstimatedSize REG_DWORD //p' "$scratch/entry")
[ -n "$estimated" ] && [ $((estimated - size_kb)) -le 16 ] && [ $((size_kb - estimated)) -le 16 ] ||
  fail "EstimatedSize is \"$estimated\", not a DWORD of about $size_kb KB"
[ -z "$(entry HKCU)" ] || fail "a per-machine install wrote a per-user entry"

# What Explorer and the loader read from the files themselves.
for pair in "numora.exe|$home/numora.exe" "installer|$installer"; do
  what=${pair%%|*}
  file=${pair#*|}
  resources "$file" >"$scratch/rc"
  for value in '"ProductName", "Numora"' "\"ProductVersion\", \"$version\"" \
    '"CompanyName", "The Numora developers"' '"LegalCopyright", "Copyright (c) '; do
    grep -qF "VALUE $value" "$scratch/rc" || fail "$what's version resource lacks $value"
  done
done
grep -qF "\"FileDescription\", \"Numora $version Setup\"" <(resources "$installer") ||
  fail "the installer's version resource does not name it the Numora $version setup"
manifest "$installer" | grep -q '<dpiAware[^>]*>true</dpiAware>' ||
  fail "the installer does not declare DPI awareness"
program_manifest=$(manifest "$home/numora.exe") || fail "numora.exe has no manifest"
for part in '<dpiAwareness[^>]*>PerMonitorV2</dpiAwareness>' \
  '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>' \
  '<activeCodePage[^>]*>UTF-8</activeCodePage>' 'level="asInvoker"'; do
  grep -q "$part" <<<"$program_manifest" || fail "numora.exe's manifest lacks $part"
done

# The faces Windows lacks are drawn in the stand-ins shipped beside the program, registered at
# start by the same code the program runs (the probe, for the run, beside numora.exe).
cp "$probe" "$home/" || fail "the probe could not be put beside the program"
wine "$home/numora-probe.exe" faces "Bookman Old Style" "Book Antiqua" "Century Gothic" \
  "Arial Narrow" 2>/dev/null | tr -d '\r' >"$scratch/faces"
rm -f "$home/numora-probe.exe"
diff - "$scratch/faces" >"$scratch/faces.diff" <<EOF || fail "the faces: $(cat "$scratch/faces.diff")"
registered: Nimbus Sans Narrow
registered: P052
registered: URW Bookman
registered: URW Gothic
Bookman Old Style: URW Bookman
Book Antiqua: P052
Century Gothic: URW Gothic
Arial Narrow: Nimbus Sans Narrow
EOF

link=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Numora/Numora.lnk' | head -1)
[ -n "$link" ] || fail "no Start-menu entry"
[ -z "$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Numora/*' ! -name Numora.lnk)" ] ||
  fail "the Start-menu folder holds more than Numora's entry"
wine start /wait "$(winpath "$link")" &
pid=$!
main=$(wait_for Numora) || fail "the Start-menu entry did not start Numora"
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
wait_for Scientific >/dev/null || fail "View > Scientific showed no Scientific window"
"$driver" --delete Scientific || fail "the Scientific window did not take the close request"
wait_for Numora >/dev/null || fail "closing the Scientific window did not bring Numora back"

"$driver" --delete Numora || fail "the Numora window did not take the close request"
# The link's start ends once the program runs; the program's own end is the Wine server's.
ended "$pid" || fail "the Start-menu entry's start failed"
pid=
timeout 60 wineserver -w || fail "closing the Numora window did not end the program"
uninstall_leaves_nothing "$home" "$scratch/before"

# --- Per user, and a running Numora ----------------------------------------------------------
fresh_prefix user
# Started by hand, the installer names what it installs in its title.
wine "$installer" &
setup=$!
wait_for "Numora $version Setup" >/dev/null || fail "no installer window titled \"Numora $version Setup\""
kill "$setup"
wait "$setup" 2>/dev/null
listing >"$scratch/before"
wine "$installer" /S /CurrentUser || fail "the silent per-user install failed with status $?"
home=$(find "$WINEPREFIX/drive_c/users" -maxdepth 5 -path '*/AppData/Local/Programs/Numora' | head -1)
[ -n "$home" ] && [ -f "$home/numora.exe" ] || fail "/CurrentUser did not install into the user's programs"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Numora" ] || fail "/CurrentUser wrote to Program Files"
entry HKCU | grep -qxF "InstallLocation REG_SZ $(winpath "$home")" ||
  fail "/CurrentUser wrote no per-user uninstall entry naming its place"
[ -z "$(entry HKLM)" ] || fail "a per-user install wrote a per-machine entry"

state() {  # the installation's files with their times, and its entry
  find "$home" -printf '%P %s %T@\n' | LC_ALL=C sort
  entry HKCU
}
state >"$scratch/installed"
wine "$home/numora.exe" &
pid=$!
wait_for Numora >/dev/null || fail "the per-user Numora never showed"
wine "$installer" /S /CurrentUser
status=$?
[ "$status" -ne 0 ] || fail "a silent install over a running Numora reported success"
wine "$home/Uninstall.exe" /S "_?=$(winpath "$home")"  # in place, so that its status is seen
status=$?
[ "$status" -ne 0 ] || fail "a silent uninstall of a running Numora reported success"
state | diff "$scratch/installed" - >/dev/null ||
  fail "the installer or uninstaller changed the installation of a running Numora"
"$driver" --delete Numora || fail "the per-user Numora did not take the close request"
ended "$pid" || fail "the per-user Numora did not end well"
pid=
# An update, even by an administrator without a switch, goes where the installation is.
wine "$installer" /S || fail "the silent update failed with status $?"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Numora" ] && [ -z "$(entry HKLM)" ] ||
  fail "an update of a per-user installation installed per machine"
uninstall_leaves_nothing "$home" "$scratch/before"
echo "windows-installer-test: passed"

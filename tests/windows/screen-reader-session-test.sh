#!/usr/bin/env bash
# What a blind user hears: the calculator under a window manager with the Orca screen reader,
# both on this test's own session bus, and Orca's speech read back from its debug file (its
# "SPEECH OUTPUT:" lines are what it says). After each of these the last words said are the new
# display text:
# - a paste (Ctrl+V of "17" into the fresh window): "17";
# - Escape: "0";
# - typing 1+2=: "3" (the reader hears each key, then the result);
# - clicking 7, *, 6, = with the mouse: "42";
# - clicking 9, M+, then Escape and MR: "9".
# Then, through AT-SPI as a reader browses the window: the display label is named by the number
# it shows, the keys' keyboard keys are those of the key table, and Edit > Copy and Paste give
# their shortcuts Ctrl+C and Ctrl+V.
#   screen-reader-session-test.sh NUMORA WINDOW_DRIVER
#       (run under with-xvfb.sh, with-window-manager.sh and dbus-run-session)
set -uo pipefail
source "$(dirname "$0")/window-search.sh"
numora=$1
driver=$2
export QT_QPA_PLATFORM=xcb
home=$(mktemp -d)
spoken=$home/orca.log
started=()
alive() { local p; for p in "${started[@]}"; do kill -0 "$p" 2>/dev/null && return 0; done; return 1; }
cleanup() {  # what does not end within 5 s of being asked is killed
  local p
  for p in "${started[@]}"; do kill "$p" 2>/dev/null; done
  for _ in $(seq 100); do alive || break; sleep 0.05; done
  for p in "${started[@]}"; do kill -KILL "$p" 2>/dev/null; done
  rm -rf "$home"
}
trap cleanup EXIT
fail() {
  echo "screen-reader-session-test: $*" >&2
  echo "screen-reader-session-test: the last words said:" >&2
  said | tail -12 | sed 's/^/  /' >&2
  exit 1
}
start() {  # COMMAND...: in the background, ended with the test
  "$@" &
  started+=($!)
  disown $!
}
said() { sed -n "s/.* - SPEECH OUTPUT: '\([^']*\)'.*/\1/p" "$spoken" 2>/dev/null; }

# A home of its own: Orca's settings, the speech server's socket and the at-spi bus.
export HOME=$home XDG_RUNTIME_DIR=$home/run XDG_CONFIG_HOME=$home/config
export XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/speech-dispatcher"
chmod 700 "$XDG_RUNTIME_DIR"
# Orca waits for every word to be taken by a speech server: espeak-ng, through libao into its
# null driver (there is no sound card).
echo 'default_driver=null' >"$home/.libao"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
EOF
socket=$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock
start speech-dispatcher --run-single --timeout 0 --communication-method unix_socket \
  --socket-path "$socket" >/dev/null 2>&1
# A reader that finds no server starts one of its own, which never takes this configuration.
for _ in $(seq $((wait_seconds * 20))); do [ -S "$socket" ] && break; sleep 0.05; done
[ -S "$socket" ] || fail "the speech server did not start"
# The session bus starts the accessibility bus on the first call for it.
for _ in $(seq $((wait_seconds * 20))); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 && break
  sleep 0.05
done
# Orca writes its debug file through a buffer; the test reads it as Orca speaks.
mkdir -p "$home/orca"
echo 'import orca.debug; orca.debug.debugFile.reconfigure(line_buffering=True)' \
  >"$home/orca/orca-customizations.py"
# No braille display: looking for one can stall Orca.
start orca --disable braille,braille-monitor --enable speech --user-prefs "$home/orca" \
  --debug-file="$spoken"
for _ in $(seq $((wait_seconds * 20))); do
  said | grep -q . && break
  sleep 0.05
done
said | grep -q . || fail "Orca said nothing when it started"

start "$numora"
standard=$(wait_for Numora) || fail "no window \"Numora\" appeared"
xdotool windowactivate --sync "$standard" 2>/dev/null || xdotool windowfocus --sync "$standard"
menubar=$(($(xdotool getwindowgeometry "$standard" | sed -n 's/.*Geometry: [0-9]*x//p') - 254))
# The keypad lies 41 pixels below the menu bar: a key by its left, top on it.
click_key() {
  xdotool mousemove --window "$standard" $(($1 + 16)) $((menubar + 41 + $2 + 12)) click 1
  sleep 0.3
}
settled() {  # waits until Orca has said all there is and the field is focused
  for _ in $(seq $((wait_seconds * 20))); do
    grep -q 'focus: .*Keyboard input' "$spoken" 2>/dev/null && break
    sleep 0.05
  done
  local before=-1 now
  for _ in $(seq $((wait_seconds * 2))); do
    now=$(said | wc -l)
    [ "$now" = "$before" ] && return 0
    before=$now
    sleep 0.5
  done
}
last_said_is() {  # EXPECTED WHAT: the words said last after WHAT are EXPECTED
  local last
  for _ in $(seq $((wait_seconds * 4))); do
    last=$(said | tail -1)
    if [ "$last" = "$1" ]; then
      sleep 0.5  # nothing follows it
      last=$(said | tail -1)
      [ "$last" = "$1" ] && return 0
    fi
    sleep 0.25
  done
  fail "after $2 the last words said are \"$last\", not \"$1\""
}
settled

owner_of_clipboard() {
  start "$driver" --own-clipboard "$1"
  for _ in $(seq 100); do [ "$("$driver" --clipboard)" = "$1" ] && return 0; sleep 0.05; done
  fail "the clipboard never offered \"$1\""
}
owner_of_clipboard 17
xdotool key ctrl+v
last_said_is 17 "Ctrl+V of \"17\""
xdotool key Escape
last_said_is 0 "Escape"
xdotool type --delay 150 1+2=
last_said_is 3 "typing 1+2="
said | grep -qx 3 || fail "3 was never said"

xdotool key Escape
click_key 100 48   # 7
click_key 244 80   # *
click_key 196 80   # 6
click_key 292 144  # =
last_said_is 42 "clicking 7 * 6 ="
click_key 196 48   # 9
click_key 47 144   # M+
xdotool key Escape
last_said_is 0 "M+, then Escape"
click_key 47 80    # MR
last_said_is 9 "MR"

# As a reader that browses the window finds it.
/usr/bin/python3 - <<'EOF' || fail "the window does not read as it should through AT-SPI"
import sys
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)

desktop = Atspi.get_desktop(0)
apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
app = next(a for a in apps if a is not None and a.get_name() == "Numora")
found = {}
for node in walk(app):
    found.setdefault((node.get_role_name(), node.get_name()), node)

def keys(role, name):
    node = found[(role, name)]
    return Atspi.Action.get_key_binding(node, 0) if Atspi.Action.get_n_actions(node) else ""

problems = []
if ("label", "9") not in found:
    problems.append("no label named 9 (the display)")
for role, name, wanted in [("push button", "Equals", "=;Enter"), ("push button", "Multiply", "*"),
                           ("push button", "Clear", "Escape;Delete"), ("menu item", "Copy", "Alt+C;;Ctrl+C"),
                           ("menu item", "Paste", "Alt+P;;Ctrl+V")]:
    got = keys(role, name)
    if got != wanted:
        problems.append("%s %s has the keys %r, not %r" % (role, name, got, wanted))
for problem in problems:
    print("screen-reader-session-test:", problem, file=sys.stderr)
sys.exit(1 if problems else 0)
EOF

"$driver" --delete Numora || fail "could not close the standard window"
echo "screen-reader-session-test: Orca says each new display text: paste, Escape, typed, clicked, MR"

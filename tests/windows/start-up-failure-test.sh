#!/usr/bin/env bash
# A start-up that fails names its real cause and ends with status 1. Runs under with-xvfb.sh,
# so DISPLAY is a working X server unless a row says otherwise:
# - a display server that cannot be reached (no DISPLAY, an X display without a server, from
#   DISPLAY or -display, -platform wayland without a compositor): one line of the program's own;
# - anything else (a platform that does not exist, from -platform or QT_QPA_PLATFORM; the X
#   platform plugin found but not loadable): Qt's own messages, and no line of the program's;
# - with --windows, the Windows build's numora.exe under Wine without platforms/qwindows.dll:
#   Qt's own box that says so (what someone who started it from the Start menu sees; the test
#   closes it), then Qt's own messages on standard error, and nothing about X tools.
#   start-up-failure-test.sh NUMORA XCB_PLATFORM_PLUGIN
#   start-up-failure-test.sh --windows WINDOWS_BUILD WINE_COMMAND...
set -uo pipefail
scratch=$(mktemp -d)
chmod 700 "$scratch"  # also the runtime directory, which Qt wants private
trap 'rm -rf "$scratch"' EXIT
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_PLUGIN_PATH
export XDG_RUNTIME_DIR=$scratch  # no Wayland compositor listens in it
failed=0

# NAME SAYS EXPECTED -- [VAR=VALUE | -u VAR]... PROGRAM [ARGS...]
#   SAYS "line": the whole output is EXPECTED; "qt": Qt's report, which holds EXPECTED, and no
#   line of the program's own.
row() {
  local name=$1 says=$2 expected=$3
  shift 4
  local out rc
  out=$(env "$@" 2>&1)
  rc=$?
  local ok=1
  [ "$rc" -eq 1 ] || ok=0
  if [ "$says" = line ]; then
    [ "$out" = "$expected" ] || ok=0
  else
    grep -qF -- "$expected" <<<"$out" || ok=0
    grep -qF "no Qt platform plugin could be initialized" <<<"$out" || ok=0
    ! grep -qE '^numora:|xvfb-run' <<<"$out" || ok=0
  fi
  if [ "$ok" -eq 0 ]; then
    printf 'start-up-failure-test: %s: status %s, said:\n%s\n' "$name" "$rc" "$out" >&2
    failed=1
  fi
}

if [ "$1" = --windows ]; then
  build=$2
  shift 2
  # The program and the DLLs beside it, without the plugin folders Qt looks for there.
  cp "$build/numora.exe" "$build"/*.dll "$scratch/"
  # Qt tells a program without a console in a box of its own before it gives up: wait for the
  # box, close it, and the messages follow on standard error.
  closer() {
    local box
    for _ in $(seq 600); do  # up to 60 s while Wine starts
      box=$(xdotool search --name '^numora$' 2>/dev/null | head -n1)
      if [ -n "$box" ]; then
        sleep 0.5
        xdotool windowfocus --sync "$box" key Return 2>/dev/null
        echo "box shown" >"$scratch/box"
        return
      fi
      sleep 0.1
    done
  }
  closer &
  closing=$!
  row "numora.exe without platforms/qwindows.dll keeps Qt's report" qt \
    'Could not find the Qt platform plugin "windows"' -- timeout 120 "$@" "$scratch/numora.exe"
  kill "$closing" 2>/dev/null
  wait "$closing" 2>/dev/null
  # The next test starts Wine in the same prefix: let this Wine server finish first.
  server=("$@")
  server[-1]=wineserver
  "${server[@]}" -w
  if [ ! -s "$scratch/box" ]; then
    echo "start-up-failure-test: numora.exe without its platform plugin showed no box" >&2
    failed=1
  fi
  exit "$failed"
fi
numora=$1
xcb_plugin=$2

n=99
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
unserved=":$n"

# A copy of Qt's X platform plugin that links a library nobody has, as a plugin does whose
# dependency is not installed: Qt finds it, but cannot load it.
mkdir -p "$scratch/plugins/platforms"
perl -0777 -pe 's/libQt6XcbQpa\.so\.6/libQt6XcbQpa.so.0/g' "$xcb_plugin" \
  >"$scratch/plugins/platforms/$(basename "$xcb_plugin")"

x_line() { echo "numora: cannot open the X display \"$1\": check DISPLAY, or run it in a desktop session or under xvfb-run"; }

row "without a display it says there is none" line \
  "numora: no display: run it in a desktop session, or under xvfb-run" -- -u DISPLAY "$numora"
row "an X display without a server is named" line "$(x_line "$unserved")" -- \
  DISPLAY="$unserved" "$numora"
row "-display names the X display it could not open" line "$(x_line "$unserved")" -- \
  "$numora" -display "$unserved"
row "-platform wayland without a compositor does not blame X" line \
  "numora: cannot connect to a Wayland compositor: check WAYLAND_DISPLAY, or run it in a desktop session" \
  -- "$numora" -platform wayland
row "-platform foo beside a working X server keeps Qt's report" qt \
  'Could not find the Qt platform plugin "foo"' -- "$numora" -platform foo
row "QT_QPA_PLATFORM=foo keeps Qt's report" qt 'Could not find the Qt platform plugin "foo"' -- \
  QT_QPA_PLATFORM=foo "$numora"
row "an X platform plugin that cannot be loaded keeps Qt's report" qt \
  'Could not load the Qt platform plugin "xcb" in "" even though it was found.' -- \
  QT_PLUGIN_PATH="$scratch/plugins" "$numora"
exit "$failed"

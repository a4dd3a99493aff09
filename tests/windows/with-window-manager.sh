#!/usr/bin/env bash
# Runs a command under a window manager on the X server of DISPLAY (started by with-xvfb.sh):
# the window manager starts with its stock settings in a home of its own, the command runs once
# it manages the screen (it has named itself on the root window), and it ends with the command.
#   with-window-manager.sh openbox|icewm COMMAND [ARGS...]
set -uo pipefail
wm=$1
shift
home=$(mktemp -d)
manager=
cleanup() {
  [ -n "$manager" ] && kill "$manager" 2>/dev/null && wait "$manager" 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT
HOME=$home "$wm" >"$home/log" 2>&1 &
manager=$!
for _ in $(seq 400); do  # up to 20 s on a busy machine
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  kill -0 "$manager" 2>/dev/null || break
  sleep 0.05
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "with-window-manager: $wm did not take over the screen" >&2
  cat "$home/log" >&2
  exit 1
fi
"$@"

#!/usr/bin/env bash
# Start-up when QT_QPA_PLATFORM lists a fallback ("wayland;xcb") and DISPLAY is unset:
# - on a headless Weston compositor the calculator starts on Wayland: it is still running
#   after three seconds and has said nothing of its own;
# - without a compositor none of the listed platforms can be reached: one line of the
#   program's own and status 1.
#   wayland-session-test.sh NUMORA
set -uo pipefail
numora=$1
runtime=$(mktemp -d)  # private: Wayland sockets and the compositor's log
chmod 700 "$runtime"
compositor=
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ -n "$compositor" ] && kill "$compositor" 2>/dev/null && wait "$compositor" 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT
fail() {
  echo "wayland-session-test: $*" >&2
  [ -f "$runtime/weston.log" ] && cat "$runtime/weston.log" >&2
  exit 1
}
unset DISPLAY WAYLAND_DISPLAY
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM='wayland;xcb'

out=$("$numora" 2>&1)
rc=$?
[ "$rc" -eq 1 ] || fail "without a compositor: status $rc, output: $out"
[ "$out" = "numora: no display: run it in a desktop session, or under xvfb-run" ] ||
  fail "without a compositor: $out"

weston --backend=headless-backend.so --socket=numora-test --idle-time=0 \
  >"$runtime/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 400); do  # up to 20 s on a busy machine
  [ -S "$runtime/numora-test" ] && break
  kill -0 "$compositor" 2>/dev/null || fail "weston has exited"
  sleep 0.05
done
[ -S "$runtime/numora-test" ] || fail "weston did not open its socket"

WAYLAND_DISPLAY=numora-test "$numora" >"$runtime/numora.out" 2>&1 &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || { wait "$pid"; fail "on Wayland it ended with status $?: $(cat "$runtime/numora.out")"; }
if grep -q '^numora:' "$runtime/numora.out"; then fail "on Wayland: $(cat "$runtime/numora.out")"; fi
exit 0

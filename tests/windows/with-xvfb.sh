#!/usr/bin/env bash
# Runs a command on a private X server. Xvfb picks its own free display (-displayfd) and
# reports it only once it accepts connections, so there is no display-number race between
# servers started at the same time, and no authority file to get wrong. -noreset: a server
# that resets when its last client leaves refuses the clients that connect during the reset.
# When the command fails, the server's own messages follow its output.
#   with-xvfb.sh COMMAND [ARGS...]
set -uo pipefail
ready=$(mktemp)
log=$(mktemp)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -f "$ready" "$log"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$ready" 2>"$log" &
server=$!
display=
for _ in $(seq 400); do  # up to 20 s on a busy machine
  display=$(head -n1 "$ready")
  [ -n "$display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
if [ -z "$display" ]; then
  echo "with-xvfb: Xvfb did not become ready" >&2
  cat "$log" >&2
  exit 1
fi
DISPLAY=":$display" "$@"
rc=$?
if [ "$rc" -ne 0 ]; then
  kill -0 "$server" 2>/dev/null || echo "with-xvfb: Xvfb on :$display has exited" >&2
  cat "$log" >&2
fi
exit "$rc"

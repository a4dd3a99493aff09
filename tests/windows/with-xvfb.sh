#!/usr/bin/env bash
# Runs a command on a private X server. Xvfb picks its own free display (-displayfd) and
# reports it only once it accepts connections, so there is no display-number race between
# servers started at the same time, and no authority file to get wrong.
#   with-xvfb.sh COMMAND [ARGS...]
set -uo pipefail
ready=$(mktemp)
trap 'rm -f "$ready"; [ -n "${server:-}" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" 2>/dev/null &
server=$!
for _ in $(seq 400); do  # up to 20 s on a busy machine
  display=$(head -n1 "$ready")
  [ -n "$display" ] && break
  kill -0 "$server" 2>/dev/null || { echo "with-xvfb: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -n "$display" ] || { echo "with-xvfb: Xvfb did not become ready" >&2; exit 1; }
DISPLAY=":$display" "$@"
rc=$?
exit "$rc"

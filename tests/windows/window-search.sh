# Finding windows by title on the X server and waiting for the program, for the session
# tests (sourced, not run).
#   visible TITLE            the ids of the visible windows of that title
#   wait_for TITLE [NOT_ID]  the first such window (other than NOT_ID), waiting up to
#                            $wait_seconds (20 by default: a sanitizer build on a busy machine
#                            is slow); fails when none shows
#   gone_title TITLE         waits as long until no window of that title is visible
#   ended PID                waits as long for the program to end; fails unless it ended
#                            with status 0 (the reason on stderr)
# shellcheck shell=bash
wait_seconds=${wait_seconds:-20}
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; }
wait_for() {
  local id
  for _ in $(seq $((wait_seconds * 20))); do
    id=$(visible "$1" | grep -vx "${2:-none}" | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}
gone_title() {
  for _ in $(seq $((wait_seconds * 20))); do
    [ -z "$(visible "$1")" ] && return 0
    sleep 0.05
  done
  return 1
}
ended() {
  for _ in $(seq $((wait_seconds * 20))); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$1" 2>/dev/null && { echo "the program goes on" >&2; return 1; }
  wait "$1"
  local status=$?
  [ "$status" -eq 0 ] || { echo "the program ended with status $status" >&2; return 1; }
}

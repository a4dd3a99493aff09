#!/usr/bin/env bash
# Runs the leaking-handlers program under the suite's leak checker settings and passes only if
# the checker fails the run and each lost block's report names the handler that lost it.
#   leak-report-test.sh PROGRAM
set -uo pipefail
out=$("$1" 2>&1)
rc=$?
echo "$out"
fail() { echo "leak-report-test: $*" >&2; exit 1; }
grep -q '^PASS   : TLeakingHandlersTest::KeyAndMouseReachTheHandlers()' <<<"$out" || fail "the handlers did not both run"
[ "$rc" -ne 0 ] || fail "the run ended with status 0 although two blocks were lost"
# BYTES HANDLER: the report of the direct leak of BYTES has a frame of HANDLER in the program's
# source (symbolizers differ on whether they print the class).
named() {
  awk -v head="Direct leak of $1 byte" -v handler="$2" '
    index($0, head) { inside = 1; next }
    inside && /^$/ { inside = 0 }
    inside && index($0, handler) && index($0, "LeakingHandlersTest.cpp") { found = 1 }
    END { exit !found }' <<<"$out"
}
named 4321 keyPressEvent || fail "the key handler's leak was not reported"
named 1234 mousePressEvent || fail "the mouse handler's leak was not reported"
echo "leak-report-test: both handlers' leaks reported"

#!/usr/bin/env bash
# Two real processes of Corvane.exe in one prefix: a second start brings the first to the front and
# ends without a window; "QUITAPP" ends the running one and itself, and ends at once when none runs;
# "RESTART" goes on once the old instance's marker is gone and gives up after 15 tries of a second
# when the old instance takes 20 seconds (a probe holds the marker in its place).
# Usage: corvane_instance_test.sh PROBE.exe SCRIPTS-DIR WINE-ROOT PROGRAM-DIR
set -u
. "$(dirname "$0")/corvane_test_lib.sh"
trap cleanup_corvane_test EXIT
prepare_prefix

echo "--- QUITAPP with none running"
start=$(now_ms)
corvane QUITAPP; rc=$?
elapsed=$(( $(now_ms) - start ))
[ "$rc" -eq 0 ] || fail "QUITAPP alone exit code $rc"
# A start that waited as a restart does would take its 15 tries of a second.
[ "$elapsed" -lt 12000 ] || fail "QUITAPP alone took ${elapsed} ms: it waited for something"
[ "$(probe count-main)" = 0 ] || fail "QUITAPP alone showed a main window"

echo "--- the first instance"
corvane_bg; first=$!
probe wait-main 60 >/dev/null || fail "the first instance shows no main window"

echo "--- a second start brings the first to the front"
probe minimize
probe_bg hold-front 60 >"$work/front"
for _ in $(seq 100); do grep -q front "$work/front" && break; sleep 0.1; done
[ "$(probe state)" = "iconic 1 foreground 0" ] || fail "the first instance is still in front: $(probe state)"
corvane_bg; second=$!
windows_seen=1
while kill -0 "$second" 2>/dev/null; do
  count=$(probe count-main)
  [ "${count:-0}" -gt "$windows_seen" ] && windows_seen=$count
done
wait_pid "$second" 30 || fail "the second start did not end"
[ "$waited_rc" -eq 0 ] || fail "the second start's exit code $waited_rc"
[ "$windows_seen" -eq 1 ] || fail "the second start showed a window of its own"
for _ in $(seq 50); do [ "$(probe state)" = "iconic 0 foreground 1" ] && break; sleep 0.1; done
[ "$(probe state)" = "iconic 0 foreground 1" ] || fail "the first instance is not in front: $(probe state)"

echo "--- QUITAPP ends the running instance and itself"
corvane QUITAPP; rc=$?
[ "$rc" -eq 0 ] || fail "QUITAPP exit code $rc"
wait_pid "$first" 20 || fail "the first instance did not quit"
[ "$waited_rc" -eq 0 ] || fail "the first instance's exit code $waited_rc"
[ "$(probe count-main)" = 0 ] || fail "a main window is left"

echo "--- RESTART goes on once the old marker is gone"
probe_bg hold-marker 3 >"$work/holder"
for _ in $(seq 100); do grep -q holding "$work/holder" && break; sleep 0.1; done
corvane_bg RESTART; restarted=$!
probe wait-main 30 >/dev/null || fail "the restart never came up after the old marker went"
grep -q released "$work/holder" || fail "the restart came up while the old marker was still there"
corvane QUITAPP
wait_pid "$restarted" 20 || fail "the restarted instance did not quit"

echo "--- RESTART gives up when the old instance takes 20 seconds"
probe_bg hold-marker 20 >"$work/holder"; holder=$!
for _ in $(seq 100); do grep -q holding "$work/holder" && break; sleep 0.1; done
start=$(now_ms)
corvane_bg RESTART; gave_up=$!
wait_pid "$gave_up" 30 || fail "the restart did not give up"
elapsed=$(( $(now_ms) - start ))
[ "$waited_rc" -eq 0 ] || fail "the restart that gave up: exit code $waited_rc"
echo "gave up after ${elapsed} ms"
[ "$elapsed" -ge 15000 ] || fail "the restart gave up after ${elapsed} ms, before its 15 tries"
grep -q released "$work/holder" && fail "the restart waited until the old marker went"
[ "$(probe count-main)" = 0 ] || fail "the restart that gave up showed a window"
wait "$holder"
echo "PASS"

#!/usr/bin/env bash
# The link-status watcher in a computer of its own: the probe runs in computer A, joined to B by a
# cable on a bridge; taking the cable's far end down and up must reach the probe's link byte within
# 2 seconds each way.
# Usage: link_watch_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT   (needs root)
set -u
. "$(dirname "$0")/computers_test_lib.sh"
a=cvc-$tree-lwa b=cvc-$tree-lwb
limit_ms=2000
probe_pid=

cleanup() {
  touch "$work/stop"
  if [ -n "$probe_pid" ]; then
    for _ in $(seq 100); do kill -0 "$probe_pid" 2>/dev/null || break; sleep 0.1; done
  fi
  remove_computers "$a" "$b"
}
now_ms() { date +%s%3N; }
# wait_lines PATTERN COUNT SECONDS: until the log holds COUNT lines matching PATTERN.
wait_lines() {
  local deadline=$(( $(now_ms) + $3 * 1000 ))
  while [ "$(grep -cx "$1" "$log")" -lt "$2" ]; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.02
  done
}

"$computers" down "$a" "$b" >/dev/null 2>&1  # what an interrupted run left
trap cleanup EXIT
"$computers" up "$a" "$b" --net 231 >/dev/null || fail "cannot make the computers"
"$computers" wine "$a" "$root" "$probe" "$stop_file" 300 >"$log" 2>&1 &
probe_pid=$!

wait_lines 'watching.*' 1 120 || fail "the probe did not start the watcher"
grep -qx 'watching 0' "$log" || fail "StartLinkDetection failed"
mac=$("$computers" exec "$a" cat /sys/class/net/eth0/address)
grep -Eq "^adapter [0-9]+ eth0 $mac\$" "$log" || fail "eth0 ($mac) is not in the adapter table"
wait_lines 'link eth0 1' 1 5 || fail "eth0 does not start with link"

for step in "down 0 1" "up 1 2" "down 0 2" "up 1 3"; do
  set -- $step
  start=$(now_ms)
  "$computers" link "$a" "$1" || fail "cannot take the link $1"
  wait_lines "link eth0 $2" "$3" 10 || fail "the watcher did not see the link go $1"
  elapsed=$(( $(now_ms) - start ))
  echo "link $1 seen after ${elapsed} ms"
  [ "$elapsed" -le "$limit_ms" ] || fail "link $1 took ${elapsed} ms (more than ${limit_ms} ms)"
done

touch "$work/stop"
wait "$probe_pid"; rc=$?
probe_pid=
grep -qx stopped "$log" || fail "the probe did not stop the watcher"
[ "$rc" -eq 0 ] || fail "probe exit code $rc"
echo "PASS"

#!/usr/bin/env bash
# Two computers pair and one controls the other over real datagrams on their private network:
# A (192.168.N.1) broadcasts a scan request, pairs with B (192.168.N.2) and sends a control
# session; B must receive the broadcast, agree on the same session keys, store the same pairing
# key, take every genuine input message and drop the forged one.
# Usage: swivo_pairing_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT   (needs root)
set -u
. "$(dirname "$0")/computers_test_lib.sh"
a=cvc-$tree-spa b=cvc-$tree-spb
net=232 km_port=33334 scan_port=33333
controlled_pid=
controlled_log=$work/controlled.log

cleanup() {
  [ -n "$controlled_pid" ] && kill "$controlled_pid" 2>/dev/null
  remove_computers "$a" "$b"
}
fail() {
  echo "FAIL: $*"
  echo "--- controller:"; cat "$log" 2>/dev/null
  echo "--- controlled:"; cat "$controlled_log" 2>/dev/null
  exit 1
}
wait_line() {  # wait_line FILE PATTERN SECONDS
  local tries=$(( $3 * 10 ))
  until grep -qx "$2" "$1" 2>/dev/null; do
    tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1; sleep 0.1
  done
}

"$computers" down "$a" "$b" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" --net $net >/dev/null || fail "cannot make the computers"
"$computers" wine "$b" "$root" "$probe" controlled $km_port $scan_port 120 >"$controlled_log" 2>&1 &
controlled_pid=$!
wait_line "$controlled_log" listening 120 || fail "the controlled side did not start"

timeout 120 "$computers" wine "$a" "$root" "$probe" controller $net 2 $km_port $scan_port $net >"$log" 2>&1 \
  || fail "the controller did not go through"
wait "$controlled_pid"; rc=$?
controlled_pid=
[ "$rc" -eq 0 ] || fail "controlled side exit code $rc"

grep -qx "scan request" "$controlled_log" || fail "the broadcast scan request did not arrive"
[ "$(grep '^agreed ' "$log")" = "$(grep '^agreed ' "$controlled_log")" ] || fail "the session keys differ"
[ "$(grep -c '^agreed ' "$log")" -eq 2 ] || fail "expected a pairing and a control exchange"
key=$(sed -n 's/^paired //p' "$log")
[ -n "$key" ] && grep -qx "paired 1 $key" "$controlled_log" || fail "the pairing keys differ"
expected="status 1
key 0 30 0
key 1 30 0
mouse 5 -5 0
key 2 0 0
status 0"
[ "$(grep -E '^(status|key|mouse) ' "$controlled_log")" = "$expected" ] || fail "the input messages taken differ"
cat "$log" "$controlled_log"
echo "PASS"

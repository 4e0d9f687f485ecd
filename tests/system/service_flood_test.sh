#!/usr/bin/env bash
# Echoward under a flood of scan requests from another computer: the off event silences it within
# a second, the on event brings the replies back, and `sc stop` succeeds and the replies end
# within a second, however full its socket's queue is. The bounds count from the moment the
# signalling program or sc.exe has returned, so that the start of a Wine program is not in them.
# Usage: service_flood_test.sh ECHOWARD.exe COMPUTERS-SCRIPT WINE-ROOT SC.exe SIGNAL.exe CHECK.py FLOOD.py
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/service_test_lib.sh"
flood=$7
a=cvc-$tree-sfa b=cvc-$tree-sfb
net=234
ip_a=192.168.$net.1 ip_b=192.168.$net.2
flood_seconds=60
limit_ms=1000

cleanup() { [ -n "${flooder:-}" ] && kill "$flooder" 2>/dev/null; remove_computers "$a" "$b"; }
now_ms() { date +%s%3N; }
# replies FROM-MS [TO-MS]: the replies A counted from FROM-MS on (and before TO-MS).
replies() {
  awk -v from="$1" -v to="${2:-99999999999999}" '$1 != "sent" && $1 >= from && $1 < to {n += $2} END {print n + 0}' \
    "$work/flood.out"
}

"$computers" down "$a" "$b" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" --net $net >/dev/null || fail "cannot make the computers"
prepare_computer "$b" "$ip_b" >/dev/null
rc=$(echoward_rc "$b" /install)
[ "$rc" = 0 ] || fail "/install in B exit code $rc"
win "$b" sc.exe start Corvane >>"$log" || fail "sc start in B"
wait_state "$b" RUNNING 20 || fail "B's service does not run"
retry_check "$a" 20 $ip_a $ip_b 33333 33334 alive || fail "no alive reply from B before the flood"

"$computers" exec "$a" python3 "$flood" $ip_a $ip_b 33333 33334 $flood_seconds "$work/flood.out" &
flooder=$!
sleep 3
before=$(now_ms)
win "$b" signal_event.exe 'Global\Lanvex_1cda839b' || fail "cannot signal the off event"
off=$(now_ms)
echo "off event signalled in $((off - before)) ms, at $off"
sleep 3
on_before=$(now_ms)
win "$b" signal_event.exe 'Global\Lanvex_1cda839a' || fail "cannot signal the on event"
on=$(now_ms)
sleep 3
stop_start=$(now_ms)
win "$b" sc.exe stop Corvane >>"$log" 2>&1
stop_rc=$?
stopped=$(now_ms)
echo "sc stop returned $stop_rc after $((stopped - stop_start)) ms"
wait_state "$b" STOPPED 15 || fail "B's service does not stop under the flood"
stopped_state=$(now_ms)
sleep 2
touch "$work/flood.out.stop"
wait "$flooder"
flooder=
cat "$work/flood.out" >>"$log"

total=$(replies 0)
sent=$(awk '$1 == "sent" {print $2}' "$work/flood.out")
echo "A sent $sent requests and got $total replies"
[ "$(replies 0 "$before")" -gt 0 ] || fail "no replies under the flood before the off event"
late_off=$(replies $((off + limit_ms)) "$on_before")
[ "$late_off" = 0 ] || fail "$late_off replies came more than $limit_ms ms after the off event"
[ "$(replies "$on" "$stop_start")" -gt 0 ] || fail "no replies after the on event"
[ "$stop_rc" = 0 ] || fail "sc stop under the flood exit code $stop_rc"
late_stop=$(replies $((stopped + limit_ms)))
[ "$late_stop" = 0 ] || fail "$late_stop replies came more than $limit_ms ms after sc stop returned"
# How long the stop took as seen through sc.exe, whose own start under Wine is in it: reported, not bounded.
echo "STOPPED seen $((stopped_state - stop_start)) ms after sc stop began"
echo "PASS"

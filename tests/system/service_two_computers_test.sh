#!/usr/bin/env bash
# Echoward between two computers, each with its own prefix: B's service, bound to B's private
# address, answers a broadcast scan from A; it ignores a scan from its own address; with B's link
# down it does not bind, and it binds once the link comes up (the time it took is printed: it
# retries once a second, and a loaded machine stretches that, so it is not a pass mark).
# Usage: service_two_computers_test.sh ECHOWARD.exe COMPUTERS-SCRIPT WINE-ROOT SC.exe SIGNAL.exe CHECK.py
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/service_test_lib.sh"
a=cvc-$tree-s2a b=cvc-$tree-s2b
net=233
ip_a=192.168.$net.1 ip_b=192.168.$net.2 broadcast=192.168.$net.255

cleanup() { remove_computers "$a" "$b"; }
now_ms() { date +%s%3N; }
# Wine binds the Linux socket to the interface's device, so ss shows the port with any address.
bound() { "$computers" exec "$b" ss -ulnH "sport = :33333" | grep -q ':33333'; }

"$computers" down "$a" "$b" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" --net $net >/dev/null || fail "cannot make the computers"
mac_b=$(prepare_computer "$b" "$ip_b" | tail -n1)
name=$(computer_name) cpu=$(cpu_name "$b")

rc=$(echoward_rc "$b" /install)
[ "$rc" = 0 ] || fail "/install in B exit code $rc"
win "$b" sc.exe start Corvane >>"$log" || fail "sc start in B"
wait_state "$b" RUNNING 20 || fail "B's service does not run"

retry_check "$a" 20 $ip_a $broadcast 33333 33334 scan "$name" "$cpu" "$mac_b" 5 || fail "A's broadcast scan got no reply from B"
check "$a" $ip_a $ip_b 33333 33334 alive || fail "A's alive query got no reply from B"
check "$b" $ip_b $broadcast 33333 33334 noscan || fail "B answered a scan from its own address"

win "$b" sc.exe stop Corvane >>"$log" || fail "sc stop in B"
wait_state "$b" STOPPED 15 || fail "B's service does not stop"
"$computers" link "$b" down || fail "cannot take B's link down"
win "$b" sc.exe start Corvane >>"$log" || fail "sc start in B without link"
wait_state "$b" RUNNING 20 || fail "B's service does not run without link"
sleep 3
bound && fail "B's service bound its socket without link"
start=$(now_ms)
"$computers" link "$b" up || fail "cannot bring B's link up"
until bound; do
  [ $(( $(now_ms) - start )) -lt 10000 ] || fail "B's service did not bind after the link came up"
  sleep 0.05
done
elapsed=$(( $(now_ms) - start ))
echo "bound ${elapsed} ms after the link came up: $("$computers" exec "$b" ss -ulnH "sport = :33333")"
retry_check "$a" 10 $ip_a $broadcast 33333 33334 scan "$name" "$cpu" "$mac_b" 5 || fail "no reply after the link came up"

win "$b" sc.exe stop Corvane >>"$log"
wait_state "$b" STOPPED 15 || fail "B's service does not stop at the end"
echo "PASS"

#!/usr/bin/env bash
# Benchmark (not a test): Corvane in computer A scans a link where one computer answers for 250
# addresses (tests/system/scan_responder_crowd.py, one socket per address). Prints the time from
# the real click on Scan to all 250 rows in the list, and the refresh tick's period with 250 rows
# (the tick is re-armed 2 s after each refresh ends, so the period less 2000 ms is what a refresh
# with its full refill costs), read from the alive queries' arrival times at the responder.
# Usage (as root): my_network_benchmark.sh ECHOWARD.exe COMPUTERS-SCRIPT WINE-ROOT SC.exe SIGNAL.exe
#                  CHECK.py PROBE.exe PROGRAM-DIR RESPONDER.py
#   (absolute paths: the prefixes need them), e.g. from the top folder with B=$PWD/build:
#   tests/system/my_network_benchmark.sh $B/Corvane/Service/64/Echoward.exe $PWD/scripts/computers \
#        $B/wine $B/standins/tools/sc.exe $B/tests/system/signal_event.exe \
#        $PWD/tests/system/service_scan_check.py $B/tests/system/corvane_probe.exe $B/Corvane \
#        $PWD/tests/system/scan_responder_crowd.py
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/service_test_lib.sh"
corvane_probe=$7 program_dir=$8 responder=$9
a=mn-$tree-ba crowd=mn-$tree-bc
net=237 hosts=250
. "$(dirname "$0")/my_network_lib.sh"
cleanup() { remove_computers "$a" "$crowd"; }

"$computers" down "$a" "$crowd" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$crowd" --net $net >/dev/null || fail "cannot make the computers"
for host in $(seq 3 $((hosts + 1))); do
  "$computers" exec "$crowd" ip addr add 192.168.$net.$host/24 dev eth0 || fail "cannot add address .$host"
done
"$computers" exec "$crowd" python3 "$responder" $net 2 $hosts 33333 33334 "$work/alive.log" >"$work/crowd.out" 2>&1 &
for _ in $(seq 50); do grep -q listening "$work/crowd.out" && break; sleep 0.1; done
grep -q listening "$work/crowd.out" || fail "the responder did not start: $(cat "$work/crowd.out")"
fresh_prefix "$a"
install_corvane "$a" 192.168.$net.1 ENG
start_corvane "$a"

start=$(date +%s%3N)
scan_with_a_real_click
# Until all rows show, or the count has stood still for 8 s after the first rows (replies lost in
# the burst); at most a minute.
shown=0 last_change=$start
while [ "$shown" -lt $hosts ] && [ $(( $(date +%s%3N) - start )) -lt 60000 ] &&
      { [ "$shown" = 0 ] || [ $(( $(date +%s%3N) - last_change )) -lt 8000 ]; }; do
  now=$(aprobe rows $my_net $list | grep -c "^HOST")
  [ "$now" != "$shown" ] && { shown=$now; last_change=$(date +%s%3N); }
  sleep 0.1
done
echo "scan click to $shown of $hosts rows shown: $(( last_change - start )) ms (the scan itself waits about 3.2 s)"
[ "$shown" -gt 0 ] || fail "no row at all"

sleep 30
tail -n 11 "$work/alive.log" | awk -v hosts=$hosts '
  NR > 1 { d = $1 - last; sum += d; if (d > max) max = d; if (min == "" || d < min) min = d; n++ }
  { last = $1 }
  END { printf "refresh tick with %d rows: period %.0f ms on average (%d..%d) over %d ticks: %.0f ms per refresh\n",
               hosts, sum / n, min, max, n, sum / n - 2000 }'
quit_corvane "$a"

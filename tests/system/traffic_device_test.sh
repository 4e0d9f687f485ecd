#!/usr/bin/env bash
# The stand-in driver's control device in computer A answers from A's real traffic: lanvex.sys
# loads as a kernel service and starts its flow helper; B sends 50 MB over TCP and 5 MB over UDP
# and knocks on ports 3389 and 445; the program's DriverChannel in A reads the traffic records of
# A's eth0, the flows with their bytes and the two inbound requests; the reverse look-up gets B's
# name from the test's own DNS server; stopping the driver stops the helper.
# Usage: traffic_device_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER
#        INSTALL-SCRIPT SENDER.py
set -u
. "$(dirname "$0")/computers_test_lib.sh"
program=$4 tools=$5 install=$6 sender=$7
a=tr-$tree-a b=tr-$tree-b
net=231
tcp_bytes=$((50 * 1024 * 1024)) udp_bytes=$((5 * 1000 * 1000))
win() { "$computers" wine "$a" "$root" "$@"; }
on() { "$computers" exec "$a" "$@"; }
# Namespaces share the process table: other computers' drivers run flow helpers of the same name,
# so only the processes inside A's namespace count.
flow_helpers_in_a() {
  local pid
  for pid in $(ip netns pids "$a"); do
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = lanvex_flows ] && echo "$pid"
  done
}
flow_helper_in_a() { [ -n "$(flow_helpers_in_a)" ]; }

cleanup() {
  remove_computers "$a" "$b"
}
"$computers" down "$a" "$b" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" --net $net >/dev/null || fail "cannot make the computers"
prefix="$root/prefix-$a"
"$computers" stop "$a" "$root"
rm -rf "$prefix"
win cmd /c exit >/dev/null 2>&1 || fail "no prefix"
# shellcheck disable=SC2016
DISPLAY= on bash -c '. "$1/wine-env"; wine_env_setup "$2" "$3" && "$4" "$5"' x \
  "$(dirname "$computers")" "$root" "$prefix" "$install" "$tools" >>"$log" 2>&1 || fail "install-into-prefix"
cp "$program/drv/64/lanvex.sys" "$prefix/drive_c/windows/system32/drivers/lanvex.sys" || fail "no lanvex.sys"
cp "$probe" "$prefix/drive_c/traffic_probe.exe"
win sc.exe create lanvex type= kernel binPath= 'C:\windows\system32\drivers\lanvex.sys' >>"$log" 2>&1 ||
  fail "sc create lanvex"
win sc.exe start lanvex >>"$log" 2>&1 || fail "sc start lanvex"
flow_helper_in_a || fail "the driver did not start its flow helper"
echo "lanvex.sys runs with its flow helper"

# A driver that never unloaded (its wineserver killed under it) leaves its Linux helper behind; the
# next driver's helper ends it, so that one helper answers.
left=$(flow_helpers_in_a)
"$computers" stop "$a" "$root"
win sc.exe start lanvex >>"$log" 2>&1 || fail "sc start lanvex after the wineserver's end"
helpers=$(flow_helpers_in_a)
[ "$(echo "$helpers" | wc -w)" = 1 ] && [ "$helpers" != "$left" ] ||
  fail "flow helpers after the restart: $helpers (the one left behind: $left)"
echo "the helper left behind gave way to the new one"

# Clients at once: every request answered, no reply left behind in the exchange folder.
exchange="$prefix/drive_c/windows/lanvex"
for i in 1 2 3; do win 'C:\traffic_probe.exe' 40 20 >"$work/busy.$i" 2>&1 & done
wait
failed=$(cat "$work"/busy.* | grep -c -e '^tick .* failed$' -e '^closed$')
polled=$(cat "$work"/busy.* | grep -c '^tick .* polled$')
left_replies=$(find "$exchange" -name 'reply-*' | wc -l)
echo "three clients at once: $polled ticks polled, $failed failed, $left_replies replies left"
[ "$failed" = 0 ] && [ "$polled" = 120 ] && [ "$left_replies" = 0 ] || fail "requests lost with three clients at once"

address_a=192.168.$net.1 address_b=192.168.$net.2
mac_a=$(on cat /sys/class/net/eth0/address)
on python3 "$sender" receive 5201 5202 120 >"$work/received" 2>&1 &
win 'C:\traffic_probe.exe' 20 2000 >"$work/probe" 2>&1 &
probe_pid=$!
# The first tick's traffic records are the counters' starting point: B sends only after it.
wait_for_line "$work/probe" '^tick 0 ' 60 || fail "the probe took no first reading: $(cat "$work/probe")"
"$computers" exec "$b" python3 "$sender" send "$address_a" 5201 $tcp_bytes 5202 $udp_bytes >>"$log" 2>&1 ||
  fail "B could not send"
"$computers" exec "$b" python3 "$sender" knock "$address_a" 3389 445 >>"$log" 2>&1
wait $probe_pid || { cat "$work/probe" >>"$log"; fail "the probe failed"; }
cat "$work/probe" >>"$log"
grep -q '^open ' "$work/probe" || fail "the probe could not open the control device"

# What the device counted against what was sent.
within() {  # within NAME COUNTED SENT: COUNTED is SENT plus at most 8 % of headers, never less
  awk -v n="$1" -v c="$2" -v s="$3" 'BEGIN { r = c / s; printf "%s: counted %d of %d sent (%.3f)\n", n, c, s, r;
                                             exit !(r >= 1.0 && r <= 1.08) }'
}
rx=$(awk -v m="$mac_a" '$1 == "traffic" && $2 == m { s += $4 } END { print s + 0 }' "$work/probe")
within "eth0 received" "$rx" $((tcp_bytes + udp_bytes)) || fail "the traffic records of eth0"
tcp=$(awk '$1 == "flow" && $2 == "tcp4" && $3 ~ /:5201$/ { s += $6 } END { print s + 0 }' "$work/probe")
within "TCP flow received" "$tcp" $tcp_bytes || fail "the TCP flow's bytes"
udp=$(awk '$1 == "flow" && $2 == "udp4" && $3 ~ /:5202$/ { s += $6 } END { print s + 0 }' "$work/probe")
within "UDP flow received" "$udp" $udp_bytes || fail "the UDP flow's bytes"
grep -q "^flow tcp4 $address_a:5201 $address_b:" "$work/probe" || fail "the TCP flow's addresses"
grep -qx "log 1 $address_b" "$work/probe" || fail "no remote-desktop request from B"
grep -qx "log 2 $address_b" "$work/probe" || fail "no file-sharing request from B"
grep -q "^log .* $address_a\$" "$work/probe" && fail "A's own address was logged"
echo "the traffic records, the flows and the two requests are there"

# A name for B from the test's own DNS server at the program's fixed server address, in B; a decoy
# answer with another ID comes first.
"$computers" exec "$b" ip addr add 8.8.8.8/32 dev eth0 || fail "B cannot take the DNS server's address"
on ip route add 8.8.8.8/32 via "$address_b" || fail "no route to the DNS server"
"$computers" exec "$b" python3 "$(dirname "$0")/ptr_server.py" 8.8.8.8 "2.$net.168.192.in-addr.arpa" ws-b.trial.lan 20 \
  >>"$log" 2>&1 &
sleep 1
win 'C:\traffic_probe.exe' lookup "$address_b" >"$work/lookup" 2>&1
cat "$work/lookup" >>"$log"
grep -qx "name ws-b.trial.lan" "$work/lookup" || fail "the reverse look-up did not give B's name"
win 'C:\traffic_probe.exe' lookup 192.168.$net.77 >"$work/lookup2" 2>&1
grep -qx "no name" "$work/lookup2" || fail "an address the server does not know has a name: $(cat "$work/lookup2")"
echo "the reverse look-up names B and passes over the decoy"

win sc.exe stop lanvex >>"$log" 2>&1 || fail "sc stop lanvex"
for _ in $(seq 20); do flow_helper_in_a || break; sleep 0.25; done
flow_helper_in_a && fail "the flow helper outlived the driver"
echo "stopping the driver stopped its helper"
echo "PASS"

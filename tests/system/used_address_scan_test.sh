#!/usr/bin/env bash
# The used-address scan over a real link: computer A holds .1 and the scan's own .250, computer B
# holds .2 and the planned host 192.168.N.H. A's scan sends real ARP requests (SendARP is not
# supported under Wine: the kernel's requests and neighbour table stand in) and finds exactly B's
# two hosts, with B's MAC; a stale neighbour of a host that is not there is flushed first, so it
# does not count as used; a single probe of a free host answers "not found".
# Usage: used_address_scan_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT
set -u
. "$(dirname "$0")/computers_test_lib.sh"
a=dp-$tree-sa b=dp-$tree-sb
net=71 planned=89
win() { "$computers" wine "$a" "$root" "$@"; }
cleanup() { remove_computers "$a" "$b"; }
"$computers" down "$a" "$b" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" --net $net >/dev/null || fail "cannot make the computers"
"$computers" exec "$a" ip addr add 192.168.$net.250/24 dev eth0 || fail "the scan address on A"
"$computers" exec "$b" ip addr add 192.168.$net.$planned/24 dev eth0 || fail "the planned host on B"
mac_b=$("$computers" exec "$b" cat /sys/class/net/eth0/address)

# One probe each way.
win "$probe" arp 192.168.$net.250 192.168.$net.2 >"$work/arp-used" 2>&1
grep -qx "mac $mac_b" "$work/arp-used" || { cat "$work/arp-used" >>"$log"; fail "a probe of B's host does not give B's MAC"; }
win "$probe" arp 192.168.$net.250 192.168.$net.77 >"$work/arp-free" 2>&1
grep -qx "error 67" "$work/arp-free" || { cat "$work/arp-free" >>"$log"; fail "a probe of a free host does not say ERROR_BAD_NET_NAME"; }

# A neighbour left from before, of a host that is gone: the flush must take it away.
"$computers" exec "$a" ip neigh replace 192.168.$net.66 lladdr 02:00:00:00:00:66 dev eth0 nud stale ||
  fail "cannot plant a stale neighbour"
win "$probe" scan eth0 $net >"$work/scan" 2>&1
cat "$work/scan" >>"$log"
grep -qx "flushed 1" "$work/scan" || fail "the adapter's neighbours were not flushed"
grep -qx "probes 249" "$work/scan" || fail "not every host was probed"
used=$(sed -n 's/^used \([0-9]*\) .*/\1/p' "$work/scan" | tr '\n' ' ')
[ "$used" = "2 $planned " ] || fail "used hosts '$used', expected B's '2 $planned '"
grep -qx "used $planned $mac_b" "$work/scan" || fail "the planned host's MAC is not B's"
echo "scan: $(grep -E '^(peak|ms) ' "$work/scan" | tr '\n' ' ')"
echo "PASS"

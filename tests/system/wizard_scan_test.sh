#!/usr/bin/env bash
# The installation wizard in computer A, driven through its real windows, with the used-address
# scan over the real link: computer B holds 192.168.S.H, the address A's MAC plans; the scan finds
# it used and the wizard moves H to a free host; the installation's steps are recorded (the real
# devices are the virtual-adapter tests' business) and end in success.
# Usage: wizard_scan_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT
set -u
. "$(dirname "$0")/computers_test_lib.sh"
a=dp-$tree-wa b=dp-$tree-wb
net=73
cleanup() { remove_computers "$a" "$b"; }
"$computers" down "$a" "$b" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" --net $net >/dev/null || fail "cannot make the computers"
planned=$(wizard_host_of "$a") || fail "cannot give A's eth0 another MAC"
# The scan's own address: the recorded steps do not set it.
"$computers" exec "$a" ip addr add 192.168.$net.250/24 dev eth0 || fail "the scan address on A"
if [ "$planned" != 2 ]; then
  "$computers" exec "$b" ip addr add 192.168.$net.$planned/24 dev eth0 || fail "the planned host on B"
fi
"$computers" wine "$a" "$root" "$probe" eth0 "[$net]" >"$log" 2>&1
grep -q "^planned $planned address 192.168.$net.$planned" "$log" || fail "the wizard did not plan 192.168.$net.$planned"
grep -qx "success 1" "$log" || fail "the installation did not succeed"
host=$(sed -n 's/^host //p' "$log")
[ -n "$host" ] && [ "$host" != "$planned" ] && [ "$host" != 2 ] && [ "$host" -ge 1 ] && [ "$host" -le 248 ] ||
  fail "host $host: not moved off the used $planned to a free one"
grep -q "^step static .* 192.168.$net.250 255.255.255.0" "$log" || fail "the scan's temporary address was not set"
grep -q "^step dhcp" "$log" || fail "the adapter was not returned to DHCP after the scan"
echo "planned $planned, moved to $host"
echo "PASS"

#!/usr/bin/env bash
# The stand-in driver pair in a computer of its own: lanvex.sys loads with its control devices; a
# device made with hardware id QVXMINIP through SetupAPI gets its GUID and becomes a macvlan on eth0
# with the MAC of its "NetworkAddress", listed by GetAdaptersInfo under its GUID with the device's
# description; netsh sets addresses, states and firewall rules on them; DIF_REMOVE deletes the
# interface; pnputil adds and deletes driver packages.
# Usage: driver_pair_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER INSTALL-SCRIPT
set -u
. "$(dirname "$0")/computers_test_lib.sh"
a=dq-$tree-drv b=dq-$tree-peer
net=236
. "$(dirname "$0")/driver_pair_lib.sh"
# Adapters that are not the physical one: only the protocol's binding list says which is.
on ip link add dm0 type veth peer name dm1 && on ip link set dm0 up || fail "cannot add dm0"
eth0=$(printf '{%08X-0000-0000-0000-4E6574446576}' "$(on cat /sys/class/net/eth0/ifindex)")
bind_to_eth0() {
  local list="" guid
  for guid in "$@"; do list+="${list:+\\0}\\Device\\$guid"; done
  win reg add "HKLM\\SYSTEM\\CurrentControlSet\\Services\\QVXPROTO\\Parameters\\Adapters\\$eth0" \
    /v UpperBindings /t REG_MULTI_SZ /d "$list" /f >>"$log" 2>&1
}

# A device through SetupAPI: the driver names it at once.
win "$probe_exe" create "$mp_inf" >"$work/create1" 2>&1 || { cat "$work/create1" >>"$log"; fail "create the first device"; }
guid1=$(sed -n 's/^guid //p' "$work/create1")
index1=$((16#$(echo "$guid1" | cut -c2-9)))
[[ $guid1 =~ ^\{[0-9A-F]{8}-0000-0000-0000-4E6574446576\}$ ]] || fail "the first device's GUID '$guid1'"
win sc.exe query lanvex | grep -q RUNNING || fail "lanvex.sys is not running"
win "$probe_exe" control | tee -a "$log" | grep -c 'ioctl 0 error 1' | grep -qx 2 ||
  fail "the control devices do not answer an unknown code with ERROR_INVALID_FUNCTION"
echo "device 1 is $guid1 (interface index $index1)"

# Its interface comes with its MAC, on the adapter its binding list names.
bind_to_eth0 "$guid1" || fail "write the binding list"
win "$probe_exe" address "$guid1" 021A2B3C0501 >>"$log" || fail "write NetworkAddress"
wait_interface "qvx$index1" || fail "no interface qvx$index1"
on ip -o -d link show "qvx$index1" | tee -a "$log" | grep -q 'link/ether 02:1a:2b:3c:05:01' || fail "the MAC of qvx$index1"
on ip -o -d link show "qvx$index1" | grep -q 'macvlan mode bridge' || fail "qvx$index1 is no macvlan"
on ip -o link show "qvx$index1" | grep -q '@eth0' || fail "qvx$index1 is not on eth0"
[ "$(on cat "/sys/class/net/qvx$index1/ifindex")" = "$index1" ] || fail "qvx$index1 has another index"

# A second device is numbered as Windows numbers them.
win "$probe_exe" create "$mp_inf" >"$work/create2" 2>&1 || fail "create the second device"
guid2=$(sed -n 's/^guid //p' "$work/create2")
index2=$((16#$(echo "$guid2" | cut -c2-9)))
[ "$index2" -gt "$index1" ] || fail "the second device's index $index2 does not follow $index1"
bind_to_eth0 "$guid1" "$guid2" || fail "write the binding list of two"
win "$probe_exe" address "$guid2" 021A2B3C0502 >>"$log" || fail "write the second NetworkAddress"
wait_interface "qvx$index2" || fail "no interface qvx$index2"

adapters_have() {
  local deadline=$(( $(date +%s) + 30 ))
  until win "$probe_exe" adapters >"$work/adapters" 2>&1 && grep -qxF "$1" "$work/adapters"; do
    [ "$(date +%s)" -lt "$deadline" ] || { cat "$work/adapters" >>"$log"; return 1; }
    sleep 0.5
  done
}
adapters_have "$guid1|Moravix Virtual Miniport Driver|02-1A-2B-3C-05-01|0.0.0.0" ||
  fail "GetAdaptersInfo does not list device 1 with its description and MAC"
adapters_have "$guid2|Moravix Virtual Miniport Driver #2|02-1A-2B-3C-05-02|0.0.0.0" ||
  fail "GetAdaptersInfo does not list device 2 as #2"
grep -q "^$eth0|eth0|" "$work/adapters" || fail "eth0 is not left as Wine names it"
echo "GetAdaptersInfo lists both devices"

# Every adapter has its connection name.
for pair in "$guid1 qvx$index1" "$guid2 qvx$index2" "$eth0 eth0"; do
  set -- $pair
  win reg query "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\$1\\Connection" /v Name |
    grep -q "REG_SZ *$2\$" || fail "no connection name $2 for $1"
done

# A virtual adapter's address is reached from another computer over eth0, under its own MAC.
win netsh interface ip set address "name=qvx$index1" source=static addr=192.168.$net.50 mask=255.255.255.0 >>"$log" ||
  fail "netsh gives qvx$index1 an address of the LAN"
on timeout 30 python3 -c 'import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind((sys.argv[1], 47001))
print("bound", flush=True)
print(s.recvfrom(64)[0].decode().strip())' 192.168.$net.50 >"$work/received" 2>&1 &
receiver=$!
deadline=$(( $(date +%s) + 20 ))
until grep -qx bound "$work/received"; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "the receiver on 192.168.$net.50 did not start: $(cat "$work/received")"
  sleep 0.1
done
"$computers" exec "$b" bash -c "for i in 1 2 3 4 5; do echo from-the-peer >/dev/udp/192.168.$net.50/47001; sleep 0.5; done"
wait $receiver
grep -qx from-the-peer "$work/received" || fail "no datagram from the other computer arrives at 192.168.$net.50: $(cat "$work/received")"
"$computers" exec "$b" ip neigh show 192.168.$net.50 | grep -q 'lladdr 02:1a:2b:3c:05:01' ||
  fail "192.168.$net.50 is not answered under qvx$index1's MAC"
win netsh interface ip set address "name=qvx$index1" dhcp >>"$log" || fail "netsh takes the address back"
echo "the other computer reaches a virtual adapter"

# netsh on the interface behind a connection name, in both syntaxes.
if2=qvx$index2
win netsh interface ip set address "name=$if2" source=static addr=192.168.77.5 mask=255.255.255.0 \
  gateway=192.168.77.1 >>"$log" || fail "netsh set address (later syntax)"
on ip -4 -o addr show dev "$if2" | grep -q 'inet 192.168.77.5/24' || fail "no 192.168.77.5/24 on $if2"
on ip -4 route show default | grep -q "via 192.168.77.1 dev $if2" || fail "no default route via 192.168.77.1"
win netsh interface ip set address "name=$if2" static 192.168.78.6 255.255.255.0 192.168.78.1 none >>"$log" ||
  fail "netsh set address (XP syntax)"
on ip -4 -o addr show dev "$if2" | grep -q 'inet 192.168.78.6/24' || fail "no 192.168.78.6/24 on $if2"
on ip -4 route show default | grep -q "via 192.168.78.1 dev $if2" || fail "no default route via 192.168.78.1"
on ip -4 -o addr show dev "$if2" | grep -q '192.168.77.5' && fail "the earlier static address stayed"
on ip -4 route show default | grep -q 192.168.77.1 && fail "the earlier gateway stayed"
win netsh interface ip set dnsserver "name=$if2" source=static addr=192.0.2.53 primary >>"$log" || fail "netsh set dnsserver"
win reg query "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\$guid2" /v NameServer |
  grep -q '192.0.2.53' || fail "the DNS server is not recorded"
# Its route gone with a link that went down, dhcp still takes back the rest.
on ip route del default via 192.168.78.1 || fail "cannot take the route away"
win netsh interface ip set address "name=$if2" dhcp >>"$log" || fail "netsh set address dhcp"
on ip -4 -o addr show dev "$if2" | grep -q 'inet ' && fail "the static address outlives dhcp"
win reg query "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\$guid2" /v IPAddress \
  >/dev/null 2>&1 && fail "dhcp leaves the static address recorded"
# The computer's own address (its "DHCP lease") stays through dhcp.
win netsh interface ip set address name=eth0 dhcp >>"$log" || fail "netsh set address eth0 dhcp"
on ip -4 -o addr show dev eth0 | grep -q "192.168.$net.1/24" || fail "eth0 lost the computer's own address"
# Disabled and enabled again, the adapter takes the MAC its "NetworkAddress" now holds.
win "$probe_exe" address "$guid2" 021A2B3C0702 >>"$log" || fail "write another NetworkAddress"
win netsh interface set interface "$if2" DISABLED >>"$log" || fail "netsh set interface DISABLED"
on ip -o link show "$if2" | grep -q '[<,]UP[,>]' && fail "$if2 is still up"
on cat "/sys/class/net/$if2/address" | grep -qx 02:1a:2b:3c:05:02 || fail "$if2 changed its MAC while it ran"
win netsh interface set interface "$if2" ENABLED >>"$log" || fail "netsh set interface ENABLED"
on ip -o link show "$if2" | grep -q '[<,]UP[,>]' || fail "$if2 is not up again"
on cat "/sys/class/net/$if2/address" | grep -qx 02:1a:2b:3c:07:02 || fail "$if2 did not take its new MAC when enabled"
out=$(win netsh interface ip set address name=nothing-here dhcp) && fail "netsh accepts an unknown connection"
echo "$out" | grep -q 'The filename, directory name, or volume label syntax is incorrect.' || fail "netsh's text for an unknown connection: $out"
echo "netsh sets addresses and states"

# A device that is never given a NetworkAddress (the installation's first one) gets its interface
# when netsh first switches it.
win "$probe_exe" create "$mp_inf" >"$work/create3" 2>&1 || fail "create the third device"
guid3=$(sed -n 's/^guid //p' "$work/create3")
index3=$((16#$(echo "$guid3" | cut -c2-9)))
bind_to_eth0 "$guid1" "$guid2" "$guid3" || fail "write the binding list of three"
sleep 1
on ip link show "qvx$index3" >/dev/null 2>&1 && fail "qvx$index3 made before its MAC is settled"
win netsh interface set interface "qvx$index3" ENABLED >>"$log" || fail "netsh enables the third device"
mac_of_index() { printf '02:4e:%02x:%02x:%02x:%02x' $(($1 >> 24 & 255)) $(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255)); }
on ip -o link show "qvx$index3" | grep -q "link/ether $(mac_of_index "$index3")" || fail "qvx$index3 without its default MAC"
adapters_have "$guid3|Moravix Virtual Miniport Driver #3|$(on cat /sys/class/net/qvx$index3/address | tr a-f A-F | tr : -)|0.0.0.0" ||
  fail "GetAdaptersInfo does not list device 3 as #3"

# The computer starts again (its wine server and services) on Linux interfaces that did not keep
# up: every device has its interface again, with the MAC its driver key holds now.
win "$probe_exe" address "$guid2" 021A2B3C0902 >>"$log" || fail "write a NetworkAddress for the restart"
"$computers" stop "$a" "$root"
on ip link delete "qvx$index3" || fail "cannot delete qvx$index3"
win wineboot >>"$log" 2>&1 || fail "wineboot"
win sc.exe query LanvexLink | grep -q RUNNING || fail "the link service does not run after the restart"
wait_interface "qvx$index3" || fail "qvx$index3 is not made again at the start"
adapters_have "$guid2|Moravix Virtual Miniport Driver #2|02-1A-2B-3C-09-02|0.0.0.0" ||
  fail "GetAdaptersInfo does not list device 2 with the MAC written before the restart"
on cat "/sys/class/net/qvx$index3/address" | grep -qx "$(mac_of_index "$index3")" || fail "qvx$index3's MAC after the restart"
echo "restart"

# Firewall rules are recorded, and a delete takes them back.
rules='HKLM\SYSTEM\CurrentControlSet\Services\SharedAccess\Parameters\FirewallPolicy\FirewallRules'
prog='C:\Program Files\Corvane\Corvane.exe'
win netsh advfirewall firewall add rule name=Corvane action=allow dir=in "program=$prog" | grep -qx 'Ok.' ||
  fail "netsh advfirewall add rule"
win netsh advfirewall firewall add rule "name=Corvane Service" action=allow dir=in "program=$prog" >/dev/null ||
  fail "netsh advfirewall add the service's rule"
win reg query "$rules" | grep -F "|Name=Corvane|" | grep -qF "|App=$prog|" || fail "the program rule is not recorded"
win netsh advfirewall firewall delete rule name=Corvane | grep -qx 'Deleted 1 rule(s).' || fail "netsh advfirewall delete rule"
win reg query "$rules" | grep -qF '|Name=Corvane|' && fail "the deleted rule is still recorded"
win reg query "$rules" | grep -qF '|Name=Corvane Service|' || fail "the other rule went too"
out=$(win netsh advfirewall firewall delete rule name=Corvane) && fail "a second delete succeeds"
echo "$out" | grep -qx 'No rules match the specified criteria.' || fail "the text of a delete that finds nothing: $out"
programs='HKLM\SYSTEM\CurrentControlSet\Services\SharedAccess\Parameters\FirewallPolicy\StandardProfile\AuthorizedApplications\List'
win netsh firewall add allowedprogram "$prog" Corvane ENABLE | grep -qx 'Ok.' || fail "netsh firewall add allowedprogram"
win reg query "$programs" | grep -qF "$prog:*:Enabled:Corvane" || fail "the allowed program is not recorded"
win netsh firewall delete allowedprogram "$prog" | grep -qx 'Ok.' || fail "netsh firewall delete allowedprogram"
win reg query "$programs" | grep -qF "$prog" && fail "the allowed program is still recorded"
echo "firewall rules round trip"

# Removal takes the interface with the device.
win "$probe_exe" remove "$guid1" >>"$log" || fail "DIF_REMOVE"
deadline=$(( $(date +%s) + 30 ))
while on ip link show "qvx$index1" >/dev/null 2>&1; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "qvx$index1 outlives its device"
  sleep 0.2
done
on ip link show "qvx$index2" >/dev/null 2>&1 || fail "the other device's interface went too"
echo "removed"

# Driver packages: added into the INF folder (under the name SetupCopyOEMInf gives: Wine keeps the
# file's own), listed, deleted; one in use only with -f.
inf_dir="$prefix/drive_c/windows/inf"
win pnputil -a 'C:\Program Files\Corvane\drv\64\qvx_pt.inf' >"$work/pnp-add" || { cat "$work/pnp-add" >>"$log"; fail "pnputil -a"; }
published=$(sed -n 's/^Published name : *//p' "$work/pnp-add")
[[ $published =~ ^[A-Za-z0-9_]+\.inf$ ]] && [ -f "$inf_dir/$published" ] || fail "pnputil -a published '$published'"
grep -qx 'Driver package added successfully.' "$work/pnp-add" || fail "pnputil -a's text"
win pnputil -e >"$work/pnp-list"
grep -A1 "^Published name : *$published\$" "$work/pnp-list" | grep -q 'provider : *Moravix' || fail "pnputil -e does not list $published"
grep -q '^Published name : *qvx_mp.inf$' "$work/pnp-list" || fail "pnputil -e does not list the miniport's package"
out=$(win pnputil -d qvx_mp.inf) && fail "pnputil -d deletes a package that a device uses"
echo "$out" | grep -q 'One or more devices are presently installed' || fail "pnputil -d's text for a package in use: $out"
win pnputil -f -d qvx_mp.inf | grep -qx 'Driver package deleted successfully.' || fail "pnputil -f -d qvx_mp.inf"
[ -e "$inf_dir/qvx_mp.inf" ] || [ -e "$inf_dir/qvx_mp.pnf" ] && fail "qvx_mp.inf or its .pnf is still there"
win pnputil -f -d "$published" >>"$log" || fail "pnputil -f -d $published"
[ -e "$inf_dir/$published" ] && fail "$published is still there"
win pnputil -f -d "$published" >/dev/null && fail "pnputil deletes a package twice"
echo "driver packages"
echo "PASS"

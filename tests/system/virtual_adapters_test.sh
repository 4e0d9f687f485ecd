#!/usr/bin/env bash
# The installation and removal sequences for real, in a computer of its own with the driver pair
# and the stand-in tools, one group of network environments per run:
#   dhcp            DHCP with two virtual adapters: two macvlans on eth0 with the planned MACs, the
#                   private address on NIC 1, the adapter table with the files' GUIDs, the settings
#                   files, Echoward RUNNING with auto start, a datagram from a second computer; a
#                   second installation makes no adapter; removal; removal with the write lock held
#                   by another client stops after the driver packages
#   pppoe-static    PPPOE with three, STATIC_DHCP_SHARED and STATIC_ONLY with four adapters
#   without-driver  DIRECT_CONN_IP_2, ROUTER_DHCP and a wireless adapter
# Removal after each leaves nothing but "PortNumDef.txt".
# Usage: virtual_adapters_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER INSTALL-SCRIPT GROUP
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/virtual_adapters_lib.sh"
group=$7
case $group in
  dhcp) net=238 ;;
  pppoe-static) net=239 ;;
  without-driver) net=240 ;;
  *) fail "unknown group '$group'" ;;
esac
a=va-$tree-$group-a b=va-$tree-$group-b
cleanup() { remove_computers "$a" "$b"; }
trap cleanup EXIT
make_computers $net

link_dhcp=0 link_pppoe=1 link_static_shared=2 link_static_only=3 link_direct_2=6 link_router_dhcp=7
mac_of_nic() { printf '02:1a:2b:3c:05:%02x' "$1"; }
miniports() { on ip -o -d link show type macvlan 2>/dev/null | grep -c 'macvlan mode'; }
setting() { tr -d '\r' <"$folder/$1" | sed -n "${2:-2}p"; }
interface_of() { echo "qvx$((16#$(echo "$1" | cut -c2-9)))"; }

# expect_file NAME LINE...: "QVX_VER=1" and these lines, each ended by CR LF, nothing else.
expect_file() {
  local name=$1; shift
  local expected actual
  expected=$(printf 'QVX_VER=1\r\n'; for line in "$@"; do printf '%s\r\n' "$line"; done; printf x)
  actual=$(cat "$folder/$name" 2>/dev/null; printf x)
  [ "$expected" = "$actual" ] || fail "$name holds $(od -c "$folder/$name" 2>&1 | head -5)"
}

# wait_address INTERFACE ADDRESS/24: the stand-in netsh gives it within a few seconds.
wait_address() {
  local deadline=$(( $(date +%s) + 15 ))
  until on ip -o -4 addr show dev "$1" | grep -q "inet $2 "; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "$1 does not hold $2: $(on ip -o -4 addr show dev "$1")"
    sleep 0.5
  done
}

firewall_rules() { win reg query "HKLM\\$firewall_key" /s 2>/dev/null | tr -d '\r'; }
firewall_key='SYSTEM\CurrentControlSet\Services\SharedAccess\Parameters\FirewallPolicy\FirewallRules'

# The service, the firewall rules and the version value of every installation.
check_service_and_rules() {
  win sc.exe query Corvane | grep -q RUNNING || fail "Echoward is not RUNNING"
  win sc.exe qc Corvane | grep -q 'AUTO_START' || fail "Echoward does not start automatically"
  local rules
  rules=$(firewall_rules)
  grep -q 'Corvane Service' <<<"$rules" || fail "no firewall rule for the service: $rules"
  grep -q 'install_probe.exe' <<<"$rules" || fail "no firewall rule for the program: $rules"
  win reg query 'HKLM\Software\Corvane' /v QvxVer | grep -q 'REG_SZ *1.0' || fail "no QvxVer"
}

# check_virtual_install LINK-TYPE N: the adapters, their values, addresses, files and registry.
check_virtual_install() {
  local link=$1 count=$2 nic
  [ "$(miniports)" = "$count" ] || fail "$(miniports) macvlans after the installation, not $count"
  nics=("$(setting CloneAdaptGuidName.txt)" "$(setting PrivateAdaptGuidName.txt)")
  for ((nic = 2; nic < count; nic++)); do nics+=("$(setting OtherAdaptGuidName.txt $nic)"); done
  win "$probe_exe" devices 2>&1 | tr -d '\r' >"$work/devices"
  win "$probe_exe" adapters 2>&1 | tr -d '\r' >"$work/adapters"
  local upper=""
  for ((nic = 0; nic < count; nic++)); do
    local guid=${nics[$nic]}
    [[ $guid =~ ^\{[0-9A-F]{8}-0000-0000-0000-4E6574446576\}$ ]] || fail "NIC $nic's GUID '$guid'"
    local interface address="" pppoe=""
    interface=$(interface_of "$guid")
    on ip -o link show "$interface" | grep -q '@eth0' || fail "NIC $nic ($interface) is not on eth0"
    if [ $nic -ge 1 ]; then
      on ip -o link show "$interface" | grep -q "link/ether $(mac_of_nic $nic)" ||
        fail "NIC $nic ($interface) lacks the MAC $(mac_of_nic $nic)"
      address=${virtual_mac:0:10}$(printf '%02X' $nic)
    fi
    [ $nic = 2 ] && [ "$link" = $link_pppoe ] && pppoe=1
    grep -q "^$guid|$address|$pppoe|0x81\$" "$work/devices" ||
      fail "NIC $nic's driver key: $(grep "^$guid" "$work/devices")"
    grep -q "^$guid|Moravix Virtual Miniport Driver" "$work/adapters" || fail "the adapter table lacks NIC $nic $guid"
    upper+="\\Device\\$guid\\0"
  done
  wait_address "$(interface_of "${nics[1]}")" "$private/24"
  grep -q "^${nics[1]}|Moravix Virtual Miniport Driver.*|$private\$" "$work/adapters" ||
    fail "the adapter table lacks NIC 1 ${nics[1]} with $private"

  expect_file PrivateIp.txt "$private"
  expect_file PhysicalMacAddr.txt "$eth0_mac"
  expect_file VirtualMacAddr.txt 1A-2B-3C-05
  expect_file CloneAdaptGuidName.txt "${nics[0]}"
  expect_file PrivateAdaptGuidName.txt "${nics[1]}"
  expect_file OtherAdaptGuidName.txt "${nics[@]:2}"
  expect_file DrvInstPhyNic.txt "$eth0_guid" eth0
  if [ "$link" = $link_pppoe ]; then
    expect_file PppoeAdaptGuidName.txt "${nics[2]}"
    expect_file PppoeAdaptMacAddr.txt 02-1A-2B-3C-05-02
  else
    [ ! -e "$folder/PppoeAdaptGuidName.txt" ] && [ ! -e "$folder/PppoeAdaptMacAddr.txt" ] ||
      fail "PPPoE files without PPPOE"
  fi
  win reg query "$hklm\\Services\\QVXPROTO\\Parameters\\Adapters\\$eth0_guid" /v UpperBindings 2>&1 |
    tr -d '\r' >"$work/upper"
  grep -qF "REG_MULTI_SZ    ${upper%\\0}" "$work/upper" || fail "UpperBindings: $(cat "$work/upper")"
  check_service_and_rules
}

# check_without_driver ADDRESS: no adapter, header-only files, the address on eth0 or nothing.
check_without_driver() {
  [ "$(miniports)" = 0 ] || fail "$(miniports) macvlans without virtual adapters"
  expect_file PrivateIp.txt "$1"
  expect_file PhysicalMacAddr.txt "$eth0_mac"
  local name
  for name in VirtualMacAddr.txt CloneAdaptGuidName.txt PrivateAdaptGuidName.txt OtherAdaptGuidName.txt; do
    expect_file $name
  done
  expect_file DrvInstPhyNic.txt "$eth0_guid" eth0
  check_service_and_rules
}

# A datagram from B reaches the address ($1) through a socket bound to it.
check_datagram() {
  on python3 -c '
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind((sys.argv[1], 47001)); s.settimeout(10)
data, peer = s.recvfrom(100)
print(data.decode(), peer[0])' "$1" >"$work/received" 2>&1 &
  local listener=$!
  sleep 1
  "$computers" exec "$b" python3 -c '
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
for _ in range(5):
    s.sendto(b"hello", (sys.argv[1], 47001)); time.sleep(0.3)' "$1"
  wait $listener
  grep -q "^hello 192.168.$net.2" "$work/received" || fail "no datagram from B reached $1: $(cat "$work/received")"
}

tcpip() { win reg query "$hklm\\Services\\Tcpip\\Parameters\\Interfaces\\$1" /v "$2" 2>&1 | tr -d '\r'; }
packages() { win pnputil.exe -e 2>/dev/null | tr -d '\r' | grep -i -c 'Moravix'; }

# After a removal: nothing of the installation is left but "PortNumDef.txt".
check_removed() {
  # The link service takes a removed device's macvlan away after the device has gone: on a loaded
  # machine that can take a few seconds.
  for _ in $(seq 30); do [ "$(miniports)" = 0 ] && break; sleep 0.5; done
  [ "$(miniports)" = 0 ] || fail "$(miniports) macvlans left 15 s after the removal"
  local name
  for name in DrvInstPhyNic.txt DrvInstWanType.txt PhysicalMacAddr.txt PrivateIp.txt VirtualMacAddr.txt \
              PrivateAdaptGuidName.txt CloneAdaptGuidName.txt OtherAdaptGuidName.txt PppoeAdaptMacAddr.txt \
              PppoeAdaptGuidName.txt savebindprot.txt savebindrestore.txt; do
    [ ! -e "$folder/$name" ] || fail "$name is left"
  done
  [ "$(cat "$folder/PortNumDef.txt")" = $'33333,33334\r' ] || fail "PortNumDef.txt was not kept"
  win reg query "$hklm\\Services\\QVXPROTO\\Parameters\\Adapters" >/dev/null 2>&1 && fail "the binding lists are left"
  win reg query 'HKLM\Software\Corvane' >/dev/null 2>&1 && fail "Software\\Corvane is left"
  win sc.exe query Corvane 2>&1 | grep -q 'STATE' && fail "the service is left"
  local rules
  rules=$(firewall_rules)
  grep -q 'Corvane' <<<"$rules" && fail "firewall rules are left: $rules"
  [ "$(packages)" = 0 ] || fail "driver packages are left: $(win pnputil.exe -e 2>&1)"
  win reg query "$hklm\\Control\\Network\\{4D36E975-E325-11CE-BFC1-08002BE10318}" /s 2>/dev/null | grep -qi QVXPROTO &&
    fail "the protocol component is left"
  win reg query "$hklm\\Services\\QVXPROTO" >/dev/null 2>&1 && fail "the protocol's service is left"
  tcpip "$eth0_guid" EnableDHCP | grep -q 'REG_DWORD *0x1' || fail "eth0 is not back on DHCP: $(tcpip "$eth0_guid" EnableDHCP)"
  grep -q '^progress [0-9]* Remove protocol successfully$' "$work/remove.$runs" || fail "the protocol was not removed"
  grep -q '^progress [0-9]* Removed virtual adapter successfully$' "$work/remove.$runs" ||
    fail "the miniports were not removed"
}

case $group in
dhcp)
  # The wizard's physical adapters: eth0 alone, also once the miniports exist.
  win "$probe_exe" physical 2>&1 | tr -d '\r' >"$work/physical"
  [ "$(cat "$work/physical")" = "$eth0_guid|eth0|LINUX\NET\eth0" ] || fail "physical adapters: $(cat "$work/physical")"
  [ -z "$(win "$probe_exe" physical wireless 2>&1)" ] || fail "a wireless adapter is offered"
  run_install $link_dhcp 2 || fail "the DHCP installation did not end done"
  check_virtual_install $link_dhcp 2
  win "$probe_exe" physical 2>&1 | tr -d '\r' | cmp -s - "$work/physical" || fail "the miniports are offered as physical"
  [ "$(packages)" -ge 2 ] || fail "the installation recorded no driver packages: $(win pnputil.exe -e 2>&1)"
  echo "DHCP: two adapters, NIC 1 holds $private, files, registry, service and rules"
  check_datagram "$private"
  echo "a datagram from B arrived"

  run_install $link_dhcp 2 || fail "the second installation did not end done"
  grep -q 'Add virtual adapter [0-9]$' "$work/install.$runs" && fail "the second installation created an adapter"
  check_virtual_install $link_dhcp 2
  echo "a second installation makes no adapter"

  run_remove || fail "the removal did not end done"
  check_removed
  echo "removed"

  # Another client holds the write lock: the removal ends after the driver packages.
  run_install $link_dhcp 2 || fail "the installation before the locked removal did not end done"
  lock_stop="$prefix/drive_c/lock.stop"
  win "$probe_exe" hold-lock 120 "Lock holder" 'C:\lock.stop' >"$work/lock" 2>&1 &
  holder=$!
  deadline=$(( $(date +%s) + 30 ))
  until grep -q '^locked' "$work/lock"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "the lock holder did not take the lock: $(cat "$work/lock")"
    sleep 0.2
  done
  run_remove && fail "the removal with the lock held ended done"
  tail -2 "$work/remove.$runs" | tr -d '\r' | head -1 |
    grep -q '^progress [0-9]* Another app is setting the network (Lock holder)$' ||
    fail "the locked removal did not end with the holder's text"
  win sc.exe query Corvane 2>&1 | grep -q 'STATE' && fail "the service outlived the locked removal"
  grep -q 'Corvane' <<<"$(firewall_rules)" && fail "the firewall rules outlived the locked removal"
  [ "$(packages)" = 0 ] || fail "driver packages outlived the locked removal"
  [ "$(miniports)" = 2 ] || fail "the locked removal touched the adapters"
  [ -e "$folder/PrivateIp.txt" ] || fail "the locked removal deleted the settings files"
  touch "$lock_stop"
  wait $holder
  echo "the removal with the lock held stops after the driver packages, done false"
  run_remove || fail "the removal after the lock was released did not end done"
  check_removed
  echo "removed once the lock is free"
  ;;
pppoe-static)
  run_install $link_pppoe 3 || fail "the PPPOE installation did not end done"
  check_virtual_install $link_pppoe 3
  check_datagram "$private"
  echo "PPPOE: three adapters, NIC 2 the PPPoE adapter"
  run_remove || fail "the removal after PPPOE did not end done"
  check_removed
  echo "PPPOE removed"

  run_install $link_static_shared 4 || fail "the STATIC_DHCP_SHARED installation did not end done"
  check_virtual_install $link_static_shared 4
  wait_address "$(interface_of "${nics[2]}")" 192.168.11.100/24
  wait_address "$(interface_of "${nics[3]}")" 192.168.12.100/24
  on ip -o -4 addr show dev "$(interface_of "${nics[0]}")" | grep -q inet && fail "NIC 0 got an address"
  for nic in 2 3; do
    tcpip "${nics[$nic]}" NameServer | grep -q 'REG_SZ *8.8.8.8' || fail "NIC $nic has not the public DNS server"
  done
  echo "STATIC_DHCP_SHARED: NIC 2 and 3 hold 192.168.11.100 and 192.168.12.100"
  run_remove || fail "the removal after STATIC_DHCP_SHARED did not end done"
  check_removed
  echo "STATIC_DHCP_SHARED removed"

  run_install $link_static_only 4 || fail "the STATIC_ONLY installation did not end done"
  check_virtual_install $link_static_only 4
  wait_address "$(interface_of "${nics[0]}")" 192.168.11.100/24
  wait_address "$(interface_of "${nics[2]}")" 192.168.12.100/24
  wait_address "$(interface_of "${nics[3]}")" 192.168.13.100/24
  echo "STATIC_ONLY: NIC 0, 2 and 3 hold 192.168.11.100, .12.100 and .13.100"
  run_remove || fail "the removal after STATIC_ONLY did not end done"
  check_removed
  echo "STATIC_ONLY removed"
  ;;
without-driver)
  before=$(on ip -o -4 addr show dev eth0 | awk '{print $4}')
  run_install $link_direct_2 2 || fail "the DIRECT_CONN_IP_2 installation did not end done"
  check_without_driver 192.168.$net.252
  wait_address eth0 192.168.$net.252/24
  check_datagram 192.168.$net.252
  echo "DIRECT_CONN_IP_2: eth0 holds 192.168.$net.252"
  run_remove || fail "the removal after DIRECT_CONN_IP_2 did not end done"
  check_removed
  on ip -o -4 addr show dev eth0 | grep -q "inet 192.168.$net.252/" && fail "eth0 keeps 192.168.$net.252"
  [ "$(on ip -o -4 addr show dev eth0 | awk '{print $4}')" = "$before" ] || fail "eth0 lost its own address"
  echo "DIRECT_CONN_IP_2 removed"

  for plan in "$link_router_dhcp 2 ROUTER_DHCP" "$link_dhcp 2 wireless"; do
    set -- $plan
    run_install "$1" "$2" "$([ "$3" = wireless ] && echo wireless)" || fail "the $3 installation did not end done"
    check_without_driver 0.0.0.0
    [ "$(on ip -o -4 addr show dev eth0 | awk '{print $4}')" = "$before" ] || fail "$3 changed eth0's address"
    echo "$3: 0.0.0.0, nothing changed, the service installed"
    run_remove || fail "the removal after $3 did not end done"
    check_removed
    echo "$3 removed"
  done
  ;;
esac
echo "PASS"

#!/usr/bin/env bash
# The stand-in driver pair in a computer of its own: lanvex.sys loads with its control devices; a
# device made with hardware id QVXMINIP through SetupAPI gets its GUID and becomes a macvlan on eth0
# with the MAC of its "NetworkAddress", listed by GetAdaptersInfo under its GUID with the device's
# description; DIF_REMOVE deletes the interface.
# Usage: driver_pair_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER INSTALL-SCRIPT
set -u
. "$(dirname "$0")/computers_test_lib.sh"
program=$4 tools=$5 install=$6
a=cvc-$tree-drv
net=236
win() { "$computers" wine "$a" "$root" "$@"; }
on() { "$computers" exec "$a" "$@"; }
probe_exe='C:\miniport_probe.exe'
mp_inf='C:\Program Files\Corvane\drv\64\qvx_mp.inf'

cleanup() { remove_computers "$a"; }
"$computers" down "$a" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" --net $net >/dev/null || fail "cannot make the computer"
prefix="$root/prefix-$a"
"$computers" stop "$a" "$root"
rm -rf "$prefix"
win cmd /c exit >/dev/null 2>&1 || fail "no prefix"
mkdir -p "$prefix/drive_c/Program Files/Corvane"
cp -a "$program/drv" "$prefix/drive_c/Program Files/Corvane/" || fail "no driver packages in $program"
cp "$probe" "$prefix/drive_c/miniport_probe.exe"
# shellcheck disable=SC2016
DISPLAY= on bash -c '. "$1/wine-env"; wine_env_setup "$2" "$3" && "$4" "$5"' x \
  "$(dirname "$computers")" "$root" "$prefix" "$install" "$tools" >>"$log" 2>&1 || fail "install-into-prefix"
win sc.exe query LanvexLink | grep -q RUNNING || fail "the link service does not run"

# A device through SetupAPI: the driver names it at once.
win "$probe_exe" create "$mp_inf" >"$work/create1" 2>&1 || { cat "$work/create1" >>"$log"; fail "create the first device"; }
guid1=$(sed -n 's/^guid //p' "$work/create1")
index1=$((16#$(echo "$guid1" | cut -c2-9)))
[[ $guid1 =~ ^\{[0-9A-F]{8}-0000-0000-0000-4E6574446576\}$ ]] || fail "the first device's GUID '$guid1'"
win sc.exe query lanvex | grep -q RUNNING || fail "lanvex.sys is not running"
win "$probe_exe" control | tee -a "$log" | grep -c 'ioctl 0 error 1' | grep -qx 2 ||
  fail "the control devices do not answer an unknown code with ERROR_INVALID_FUNCTION"
echo "device 1 is $guid1 (interface index $index1)"

# Its interface comes with its MAC.
win "$probe_exe" address "$guid1" 021A2B3C0501 >>"$log" || fail "write NetworkAddress"
wait_interface() {
  local deadline=$(( $(date +%s) + 10 ))
  until on ip -o link show "$1" >/dev/null 2>&1; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
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
win "$probe_exe" address "$guid2" 021A2B3C0502 >>"$log" || fail "write the second NetworkAddress"
wait_interface "qvx$index2" || fail "no interface qvx$index2"

adapters_have() {
  local deadline=$(( $(date +%s) + 10 ))
  until win "$probe_exe" adapters >"$work/adapters" 2>&1 && grep -qxF "$1" "$work/adapters"; do
    [ "$(date +%s)" -lt "$deadline" ] || { cat "$work/adapters" >>"$log"; return 1; }
    sleep 0.5
  done
}
adapters_have "$guid1|Moravix Virtual Miniport Driver|02-1A-2B-3C-05-01|0.0.0.0" ||
  fail "GetAdaptersInfo does not list device 1 with its description and MAC"
adapters_have "$guid2|Moravix Virtual Miniport Driver #2|02-1A-2B-3C-05-02|0.0.0.0" ||
  fail "GetAdaptersInfo does not list device 2 as #2"
eth0=$(printf '{%08X-0000-0000-0000-4E6574446576}' "$(on cat /sys/class/net/eth0/ifindex)")
grep -q "^$eth0|eth0|" "$work/adapters" || fail "eth0 is not left as Wine names it"
echo "GetAdaptersInfo lists both devices"

# Every adapter has its connection name.
for pair in "$guid1 qvx$index1" "$guid2 qvx$index2" "$eth0 eth0"; do
  set -- $pair
  win reg query "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\$1\\Connection" /v Name |
    grep -q "REG_SZ *$2\$" || fail "no connection name $2 for $1"
done

# Removal takes the interface with the device.
win "$probe_exe" remove "$guid1" >>"$log" || fail "DIF_REMOVE"
deadline=$(( $(date +%s) + 10 ))
while on ip link show "qvx$index1" >/dev/null 2>&1; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "qvx$index1 outlives its device"
  sleep 0.2
done
on ip link show "qvx$index2" >/dev/null 2>&1 || fail "the other device's interface went too"
echo "removed"
echo "PASS"

#!/usr/bin/env bash
# Benchmark (not a test) of the stand-in driver pair in a computer of its own: wall times of a
# device's creation through SetupAPI, of its interface's arrival after "NetworkAddress" is written,
# and of the stand-in netsh and pnputil forms, each beside the start of a bare Wine program.
# Usage: driver_pair_benchmark.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER INSTALL-SCRIPT [ROUNDS]
set -u
. "$(dirname "$0")/computers_test_lib.sh"
rounds=${7:-5}
a=dq-$tree-bench b=dq-$tree-bpeer
net=239
. "$(dirname "$0")/driver_pair_lib.sh"

now() { echo $(( $(date +%s%N) / 1000000 )); }
# timed LABEL COMMAND...: runs it, appends its milliseconds to the label's list.
declare -A times
timed() {
  local label=$1 start; shift
  start=$(now)
  "$@" >>"$log" 2>&1 || fail "$label failed"
  times[$label]+="$(( $(now) - start )) "
}
median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for ((round = 1; round <= rounds; round++)); do
  timed "Wine program start (cmd /c exit)" win cmd /c exit
  start=$(now)
  win "$probe_exe" create "$mp_inf" >"$work/create" 2>&1 || fail "create a device"
  times["device creation (SetupAPI, driver load, GUID)"]+="$(( $(now) - start )) "
  guid=$(sed -n 's/^guid //p' "$work/create")
  index=$((16#$(echo "$guid" | cut -c2-9)))
  start=$(now)
  win "$probe_exe" address "$guid" "$(printf '021A2B3C%02X%02X' "$round" "$round")" >>"$log" || fail "write NetworkAddress"
  wait_interface "qvx$index" || fail "no interface qvx$index"
  times["NetworkAddress written to interface made"]+="$(( $(now) - start )) "
  timed "netsh set address static" win netsh interface ip set address "name=qvx$index" source=static \
    addr=192.168.$net.$((100 + round)) mask=255.255.255.0
  timed "netsh set address dhcp" win netsh interface ip set address "name=qvx$index" dhcp
  timed "netsh set interface DISABLED" win netsh interface set interface "qvx$index" DISABLED
  timed "netsh set interface ENABLED" win netsh interface set interface "qvx$index" ENABLED
  timed "netsh advfirewall add rule" win netsh advfirewall firewall add rule name=Bench action=allow dir=in
  timed "netsh advfirewall delete rule" win netsh advfirewall firewall delete rule name=Bench
  timed "pnputil -e" win pnputil -e
  start=$(now)
  win "$probe_exe" remove "$guid" >>"$log" || fail "DIF_REMOVE"
  while on ip link show "qvx$index" >/dev/null 2>&1; do sleep 0.05; done
  times["DIF_REMOVE to interface gone"]+="$(( $(now) - start )) "
done
echo "median of $rounds rounds, milliseconds (each Wine program's own start included):"
for label in "${!times[@]}"; do printf '%8d  %s\n' "$(median "${times[$label]}")" "$label"; done | sort -k2

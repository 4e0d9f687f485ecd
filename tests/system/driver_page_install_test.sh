#!/usr/bin/env bash
# Corvane.exe in computer A with the driver pair and the stand-in tools, computer B beside it
# holding 192.168.S.H, the address A's MAC plans. Through the program's real windows, as a user
# would: the Driver tab's Install, the adapter double-clicked, the network name typed, Next, Next,
# the environment DHCP with one extra adapter, Install; the network cable is out, so the cable
# check asks, the cable goes in and Continue is pressed; the used-address scan finds B's address
# and moves H to a free host; the installation runs behind the progress dialog, whose status line
# shows the installer's texts. After the program's restart the Driver page shows the installation
# (adapter, rows, buttons); Remove through the removal dialog, and after the next restart the page
# shows nothing installed.
# Usage: driver_page_install_test.sh CORVANE-PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER INSTALL-SCRIPT
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/virtual_adapters_lib.sh"
a=wz-$tree-a b=wz-$tree-b
net=74
bg_pids=()
cleanup() {
  local pid
  for pid in "${bg_pids[@]}"; do kill "$pid" 2>/dev/null; done
  remove_computers "$a" "$b"
}
trap cleanup EXIT
make_computers $net
corvane_exe="$folder_win\\Corvane.exe"
p() { win "$probe_exe" "$@" 2>>"$log"; }
page=page:1026
miniports() { on ip -o -d link show type macvlan 2>/dev/null | grep -c 'macvlan mode'; }
setting() { tr -d '\r' <"$folder/$1" | sed -n "${2:-2}p"; }

# main_pid: the pid the running main window belongs to (empty when there is none).
main_pid() { p wait-main 2 | sed -n 's/^main .* pid //p'; }
# wait_restart OLD-PID: a main window of another process within 120 seconds.
wait_restart() {
  local deadline=$(( $(date +%s) + 120 )) pid
  while :; do
    pid=$(main_pid)
    [ -n "$pid" ] && [ "$pid" != "$1" ] && { echo "$pid"; return 0; }
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 1
  done
}
# expect CONTROLS-FILE PATTERN WHAT: a line of the controls listing matches.
expect() { grep -qE "$2" "$1" || fail "$3: $(cat "$1")"; }

planned=$(wizard_host_of "$a") || fail "cannot give A's eth0 another MAC"
if [ "$planned" != 2 ]; then
  "$computers" exec "$b" ip addr add 192.168.$net.$planned/24 dev eth0 || fail "the planned host on B"
fi

win "$corvane_exe" >"$work/corvane.1" 2>&1 &
bg_pids+=($!)
first=$(wait_restart none) || fail "Corvane.exe shows no main window"
p select-tab 0 || fail "no Driver tab"
p controls $page >"$work/page.0"
expect "$work/page.0" '^child 1022 Edit shown .* Driver is not installed\.$' "the page before the installation"
expect "$work/page.0" '^child 1027 Edit shown .* Please click button to install driver first\.$' "the page's status"
expect "$work/page.0" '^child 1026 Button shown enabled ' "Install before the installation"
echo "the Driver page shows nothing installed"

# The cable out: the wizard's progress step asks for it before it scans.
"$computers" link "$a" down || fail "cannot take A's link down"
sleep 3
p click $page 1026 || fail "Install on the Driver page"
p controls dialog:1096 30 >"$work/wizard.0" || fail "the wizard did not open"
expect "$work/wizard.0" '^row 1005 0 eth0$' "the wizard's adapter list"
p activate-row dialog:1096 1005 0 || fail "the adapter row"
p type dialog:1096 1014 "[$net]" || fail "the network name"
sleep 1
p controls dialog:1096 >"$work/wizard.1"
expect "$work/wizard.1" '^child 1031 Edit shown .* eth0$' "the chosen adapter"
expect "$work/wizard.1" "^child 1017 Edit shown .* 192\\.168\\.$net\\.$planned\$" "the planned address"
p click dialog:1096 1029 || fail "Next on the wizard"
p click dialog:1109 1029 20 || fail "Next on the link mode step"
p controls dialog:1030 20 >/dev/null || fail "the progress step did not open"
p pick dialog:1030 1022 0 || fail "the environment DHCP"
p pick dialog:1030 1020 1 || fail "one extra adapter"
p controls dialog:1030 >"$work/progress.0"
expect "$work/progress.0" '^child 1022 ComboBox shown enabled DHCP$' "the environment"
p watch-text dialog:1030 1030 600 >"$work/status" &
bg_pids+=($!)
watcher=$!
wait_for_line "$work/status" '^text' 60 || fail "the progress step's watcher did not start"
p click dialog:1030 1029 || fail "Install on the progress step"
p controls dialog:1043 30 >"$work/cable" || fail "no cable check with the cable out"
"$computers" link "$a" up || fail "cannot bring A's link up"
sleep 4
p click dialog:1043 1043 || fail "Continue in the cable check"
echo "the cable check asked, the cable went in, Continue"
wait $watcher
grep -qx 'text Installing\.\.\.' "$work/status" || fail "no installing text: $(cat "$work/status")"
grep -qx 'text Install Corvane protocol' "$work/status" || fail "the protocol's line did not show: $(cat "$work/status")"
grep -qx 'text Add virtual adapter 3' "$work/status" || fail "the third adapter's line did not show: $(cat "$work/status")"
p wait-gone dialog:1096 30 || fail "the wizard stayed open after the installation"

second=$(wait_restart "$first") || fail "no restart after the installation"
host=$(setting PrivateIp.txt | sed -n "s/^192\\.168\\.$net\\.//p")
[ -n "$host" ] && [ "$host" != "$planned" ] && [ "$host" != 2 ] && [ "$host" -ge 1 ] && [ "$host" -le 248 ] ||
  fail "the private address $(setting PrivateIp.txt): not moved off B's $planned to a free host"
[ "$(setting DrvInstWanType.txt 2)/$(setting DrvInstWanType.txt 3)" = DHCP/3 ] || fail "DrvInstWanType.txt: $(cat "$folder/DrvInstWanType.txt")"
[ "$(miniports)" = 3 ] || fail "$(miniports) virtual adapters, not 3"
echo "installed: planned $planned (B's), moved to $host; three adapters; status lines: $(grep -c '^text ' "$work/status")"

# With an installation, My Network, Swivo, Status and Routing come before the Driver tab.
p select-tab 4 || fail "no Driver tab after the restart"
p controls $page >"$work/page.1"
expect "$work/page.1" '^child 1022 Edit shown .* eth0$' "the physical adapter after the installation"
expect "$work/page.1" '^child 1027 Edit shown .* Driver is installed\.$' "the status after the installation"
expect "$work/page.1" '^child 1026 Button shown disabled ' "Install after the installation"
expect "$work/page.1" '^child 1007 Button shown enabled ' "Remove after the installation"
expect "$work/page.1" '^child 1000 Button shown enabled ' "Advanced Config after the installation"
for row in 0 1 2; do
  expect "$work/page.1" "^row 1016 $row $((row + 1))\\|Moravix Virtual Miniport Driver" "virtual adapter row $row"
done
echo "the Driver page after the restart: eth0, installed, three rows"

# A MAC conflict resolved through Advanced Config: the private adapter and the other one get the
# new address in their driver keys (the clone has none).
net_class='HKLM\SYSTEM\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}'
network_addresses() { win reg query "$net_class" /s /v NetworkAddress 2>/dev/null | tr -d '\r' | awk '/NetworkAddress/ {print $3}' | sort; }
network_addresses >"$work/addresses.0"
[ "$(wc -l <"$work/addresses.0")" = 2 ] || fail "not two NetworkAddress values after the installation: $(cat "$work/addresses.0")"
p click $page 1000 || fail "Advanced Config on the Driver page"
p click dialog:1035 1035 20 || fail "the MAC conflict button"
p controls dialog:1057 20 >"$work/chgmac" || fail "the MAC dialog did not open"
for octet in 1014:AA 1015:BB 1016:CC 1017:DD; do p type dialog:1057 "${octet%:*}" "${octet#*:}"; done
p click dialog:1057 1 || fail "OK in the MAC dialog"
p wait-gone dialog:1057 20 || fail "the MAC dialog stayed open"
sleep 4
[ "$(setting VirtualMacAddr.txt)" = AA-BB-CC-DD ] || fail "VirtualMacAddr.txt: $(cat "$folder/VirtualMacAddr.txt")"
network_addresses >"$work/addresses"
grep -qx 02AABBCCDD01 "$work/addresses" && grep -qx 02AABBCCDD02 "$work/addresses" ||
  fail "the driver keys after the MAC change: $(cat "$work/addresses")"
[ "$(wc -l <"$work/addresses")" = 2 ] || fail "other driver keys changed: $(cat "$work/addresses")"
p close dialog:1035 || fail "closing Advanced Config"
p wait-gone dialog:1035 20 || fail "Advanced Config stayed open"
echo "the MAC conflict: VirtualMacAddr.txt AA-BB-CC-DD, NetworkAddress 02AABBCCDD01 and 02 on the private and other adapter"

p click $page 1007 || fail "Remove on the Driver page"
p controls dialog:1007 30 >/dev/null || fail "the removal dialog did not open"
p watch-text dialog:1007 1022 600 >"$work/removal" &
bg_pids+=($!)
watcher=$!
wait_for_line "$work/removal" '^text' 60 || fail "the removal dialog's watcher did not start"
p click dialog:1007 1007 || fail "Remove in the removal dialog"
wait $watcher
# "Removing" stands only until the first step's line, often too briefly for a look from another
# process; the window tests hold it. Here the sequence's own lines show.
grep -qx 'text Remove Corvane protocol' "$work/removal" || fail "the protocol's removal did not show: $(cat "$work/removal")"
grep -qx 'text Remove virtual adapter' "$work/removal" || fail "the adapters' removal did not show: $(cat "$work/removal")"
third=$(wait_restart "$second") || fail "no restart after the removal"
[ "$(miniports)" = 0 ] || fail "$(miniports) virtual adapters left after the removal"
p select-tab 0 || fail "no Driver tab after the removal"
p controls $page >"$work/page.2"
expect "$work/page.2" '^child 1022 Edit shown .* Driver is not installed\.$' "the page after the removal"
expect "$work/page.2" '^child 1026 Button shown enabled ' "Install after the removal"
grep -q '^row 1016 ' "$work/page.2" && fail "rows left after the removal: $(cat "$work/page.2")"
echo "removed: the Driver page shows nothing installed (pids $first, $second, $third)"
p quit
echo "PASS"

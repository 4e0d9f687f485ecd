#!/usr/bin/env bash
# The static-address dialog over real static miniports: Corvane.exe in computer A after a real
# STATIC_ONLY installation with four virtual adapters (192.168.11.100, .12.100 and .13.100 on NIC 0,
# 2 and 3). The Routing page's "Edit static IP" opens the dialog; it offers the three adapters that
# are not the private one, each with its address; the entry of NIC 3 is picked, its host typed as
# 150 and OK pressed: NIC 3's interface then holds 192.168.13.150 and NIC 0 and 2 keep theirs. A
# second opening with a host that is no octet ("1;2") changes nothing and says why.
# Usage: static_address_test.sh INSTALL-PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER
#        INSTALL-SCRIPT CORVANE-PROBE.exe
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/virtual_adapters_lib.sh"
corvane_probe=$7
a=sa-$tree-a b=sa-$tree-b
private_net=79
bg_pids=()
cleanup() {
  local pid
  for pid in "${bg_pids[@]}"; do kill "$pid" 2>/dev/null; done
  remove_computers "$a" "$b"
}
trap cleanup EXIT
make_computers 75
cp "$corvane_probe" "$folder/"
p() { win "$folder_win\\$(basename "$corvane_probe")" "$@" 2>>"$log"; }
expect() { grep -qE "$2" "$1" || fail "$3: $(cat "$1")"; }
interface_of_nic() {  # the Linux interface of NIC 0, 2 or 3, from the installation's GUID files
  local guid
  case $1 in
    0) guid=$(tr -d '\r' <"$folder/CloneAdaptGuidName.txt" | sed -n 2p) ;;
    *) guid=$(tr -d '\r' <"$folder/OtherAdaptGuidName.txt" | sed -n "$1p") ;;
  esac
  echo "qvx$((16#$(echo "$guid" | cut -c2-9)))"
}
addresses_of() { on ip -o -4 addr show dev "$1" | awk '{print $4}' | tr '\n' ' '; }
wait_address() {  # wait_address INTERFACE ADDRESS/24
  local deadline=$(( $(date +%s) + 20 ))
  until on ip -o -4 addr show dev "$1" | grep -q "inet $2 "; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "$1 does not hold $2: $(addresses_of "$1")"
    sleep 0.5
  done
}

run_install 3 4 || fail "the STATIC_ONLY installation did not end done: $(tail -5 "$work/install.$runs")"
finish_as_wizard STATIC_ONLY 4
nic0=$(interface_of_nic 0) nic2=$(interface_of_nic 2) nic3=$(interface_of_nic 3)
wait_address "$nic0" 192.168.11.100/24
wait_address "$nic2" 192.168.12.100/24
wait_address "$nic3" 192.168.13.100/24
start_corvane_in_a
echo "STATIC_ONLY installed ($nic0, $nic2, $nic3 hold .11.100, .12.100, .13.100); Corvane.exe runs"

routing=page:1016
p select-tab 3 || fail "no Routing tab"
p controls $routing 20 >"$work/routing" || fail "no Routing page"
expect "$work/routing" '^child 1005 Button shown enabled ' "Edit static IP on the Routing page"
p click $routing 1005 || fail "Edit static IP"
dialog=dialog:1073  # the mask field: 1059 is also the message dialog's text
p controls $dialog 20 >"$work/dialog.0" || fail "the static-address dialog did not open"
[ "$(grep -c '^item 1020 ' "$work/dialog.0")" = 3 ] || fail "not the three adapters besides the private one"
for host in 11 12 13; do
  expect "$work/dialog.0" "^item 1020 [0-9] [0-9]+ - 192\\.168\\.$host\\.100\$" "the adapter holding 192.168.$host.100"
done
entry=$(sed -n 's/^item 1020 \([0-9]\) [0-9]* - 192\.168\.13\.100$/\1/p' "$work/dialog.0")
p pick $dialog 1020 "$entry" || fail "picking NIC 3's entry"
sleep 1
p controls $dialog >"$work/dialog.1"
expect "$work/dialog.1" '^child 1059 Edit shown enabled 13$' "the picked adapter's third octet"
expect "$work/dialog.1" '^child 1058 Edit shown enabled 100$' "the picked adapter's host"
p type $dialog 1058 150 || fail "typing the host"
p click $dialog 1 || fail "OK in the static-address dialog"
p wait-gone $dialog 30 || fail "the static-address dialog stayed open"
wait_address "$nic3" 192.168.13.150/24
on ip -o -4 addr show dev "$nic3" | grep -q "inet 192.168.13.100/" && fail "$nic3 kept its old address: $(addresses_of "$nic3")"
[ "$(addresses_of "$nic0")" = "192.168.11.100/24 " ] || fail "NIC 0 changed: $(addresses_of "$nic0")"
[ "$(addresses_of "$nic2")" = "192.168.12.100/24 " ] || fail "NIC 2 changed: $(addresses_of "$nic2")"
echo "NIC 3 ($nic3) now holds 192.168.13.150; NIC 0 and 2 kept theirs"

# A host that is no octet goes into no command line.
p click $routing 1005 || fail "Edit static IP again"
p controls $dialog 20 >/dev/null || fail "the static-address dialog did not open again"
entry=$(p controls $dialog | tr -d '\r' | sed -n 's/^item 1020 \([0-9]\) [0-9]* - 192\.168\.12\.100$/\1/p')
p pick $dialog 1020 "$entry" || fail "picking NIC 2's entry"
p type $dialog 1058 '1;2' || fail "typing a bad host"
p click $dialog 1 || fail "OK with a bad host"
sleep 1
# The message box lies above the dialog that opened it, so it is the first window with a 1059.
p controls dialog:1059 10 >"$work/refusal" || fail "no message for the bad host"
expect "$work/refusal" '^child 1059 Static shown enabled .+' "the message for the bad host"
message=$(sed -n 's/^child 1059 Static shown enabled //p' "$work/refusal")
p click dialog:1059 1 || fail "OK in the message"
sleep 2
p controls $dialog >/dev/null || fail "the dialog closed after a bad host"
p click $dialog 1008 || fail "Cancel in the static-address dialog"
p wait-gone $dialog 10 || fail "the static-address dialog stayed open after Cancel"
[ "$(addresses_of "$nic2")" = "192.168.12.100/24 " ] || fail "NIC 2 changed after a bad host: $(addresses_of "$nic2")"
echo "a bad host was refused with the message \"$message\" and changed nothing"
p quit
echo "PASS"

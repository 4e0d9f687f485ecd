#!/usr/bin/env bash
# The My Network page between three computers on one link: A (192.168.N.1) runs Corvane, B (.2)
# and C (.3) run Echoward. A real click on A's scan button lists B and C; C's link going down turns
# its Link cell to "No"; the computer list dialog saves "WolCompList.txt", which A shows again after
# a restart (in Chinese); Wake-on-LAN from the remote-computer dialog reaches C as the magic packet
# of C's MAC; remote desktop, file sharing and the file-copy program start with their command lines
# (recording programs stand in for the first two); pairing from the Swivo dialogs with Corvane on B ends
# with one key on both sides; without a private address the ARP sweep finds B and C too.
# Screenshots go to build/screenshots/.
# Usage: my_network_test.sh ECHOWARD.exe COMPUTERS-SCRIPT WINE-ROOT SC.exe SIGNAL.exe CHECK.py
#                           PROBE.exe PROGRAM-DIR RECORDER.exe CATCHER.py   (needs root)
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/service_test_lib.sh"
corvane_probe=$7 program_dir=$8 recorder=$9 catcher=${10}
a=mn-$tree-a b=mn-$tree-b c=mn-$tree-c
net=236 scan_port=33333
ip_a=192.168.$net.1 ip_b=192.168.$net.2 ip_c=192.168.$net.3
. "$(dirname "$0")/my_network_lib.sh"

cleanup() { remove_computers "$a" "$b" "$c"; }
start_echoward() {  # start_echoward NAME
  win "$1" sc.exe start Corvane >>"$log" || fail "sc start in $1"
  wait_state "$1" RUNNING 20 || fail "the service does not run in $1"
}

"$computers" down "$a" "$b" "$c" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" "$c" --net $net >/dev/null || fail "cannot make the computers"
mac_b=$(prepare_computer "$b" "$ip_b" | tail -n1)
mac_c=$(prepare_computer "$c" "$ip_c" | tail -n1)
for n in "$b" "$c"; do
  [ "$(echoward_rc "$n" /install)" = 0 ] || fail "/install in $n"
  start_echoward "$n"
done
name=$(computer_name) cpu=$(cpu_name "$b")
fresh_prefix "$a"
install_corvane "$a" "$ip_a" ENG

echo "--- a real click on Scan lists B and C"
start_corvane "$a"
scan_with_a_real_click
rows=$(until_rows 30 "|$ip_b|" "|$ip_c|") || fail "the scan did not list B and C: $rows"
echo "$rows"
echo "$rows" | grep -q "^$name|$ip_b|.*|$cpu|" || fail "B's row lacks its name or CPU"
[ "$(echo "$rows" | cut -d'|' -f2 | tr '\n' ' ')" = "$ip_b $ip_c " ] || fail "the rows are not sorted by host"
[ -n "$(echo "$rows" | head -n1 | cut -d'|' -f5)" ] || fail "no OS name"
until_rows 10 "|$ip_b|Yes|" "|$ip_c|Yes|" >/dev/null || fail "B and C do not show as linked"
aprobe screenshot my_network_eng || fail "no screenshot"

echo "--- C's link down"
"$computers" link "$c" down || fail "cannot take C's link down"
start=$(date +%s%3N)
until_rows 10 "|$ip_c|No|" >/dev/null || fail "C still shows linked 10 s after its link went down"
echo "C shows No after $(( $(date +%s%3N) - start )) ms"
until_rows 2 "|$ip_b|Yes|" >/dev/null || fail "B lost its link with C's"
"$computers" link "$c" up || fail "cannot bring C's link up"
until_rows 15 "|$ip_c|Yes|" >/dev/null || fail "C does not come back"

echo "--- the computer list dialog saves WolCompList.txt"
aprobe press $my_net 1000
aprobe dialog "Manage remote computer list" 10 >/dev/null || fail "no computer list dialog"
aprobe dialog-shot "Manage remote computer list" computer_list_eng
aprobe dialog-press "Manage remote computer list" 1037
aprobe answer-yes 10 >/dev/null || fail "no save question"
# The saved list closes the dialog; A's list takes clicks again only after that.
for _ in $(seq 40); do aprobe dialog "Manage remote computer list" 0.2 >/dev/null || break; sleep 0.5; done
aprobe dialog "Manage remote computer list" 0.2 >/dev/null && fail "the computer list dialog stayed open after the save"
list_file="$(folder_of "$a")/WolCompList.txt"
tr -d '\r' <"$list_file" >"$work/list.txt" || fail "no WolCompList.txt"
cat "$work/list.txt"
grep -qx "2,$name,$cpu,[0-9]*,$mac_b" "$work/list.txt" || fail "WolCompList.txt lacks B"
grep -qx "3,$name,$cpu,[0-9]*,$mac_c" "$work/list.txt" || fail "WolCompList.txt lacks C"
[ "$(sed -n 2p "$work/list.txt")" = "$net" ] || fail "WolCompList.txt's subnet"

echo "--- remote desktop, file sharing and the file-copy program"
prefix_a="$root/prefix-$a/drive_c"
cp "$recorder" "$prefix_a/windows/system32/mstsc.exe"
mkdir -p "$(folder_of "$a")/Tbn/64" && cp "$recorder" "$(folder_of "$a")/Tbn/64/Tobrin64.exe"
open_b
[ "$(aprobe dialog-visible "My Network Service" 1043)" = 1 ] || fail "a linked computer has no Swivo button"
aprobe dialog-shot "My Network Service" remote_collapsed_eng
collapsed=$(aprobe dialog "My Network Service" 1 | cut -d' ' -f3)
aprobe dialog-press "My Network Service" 1044
aprobe dialog-press "My Network Service" 1000
sleep 0.5
expanded=$(aprobe dialog "My Network Service" 1 | cut -d' ' -f3)
[ $((expanded - collapsed)) = 90 ] || fail "More made the dialog $collapsed -> $expanded high"
aprobe dialog-shot "My Network Service" remote_expanded_eng
aprobe dialog-press "My Network Service" 1038
sleep 4
open_b
aprobe dialog-press "My Network Service" 1000
# Wine runs a share path that does not exist as a program of its own and finds none, so no
# program can stand in for the file explorer: the dialog must still end after its notice.
aprobe dialog-press "My Network Service" 1037
sleep 4
aprobe dialog "My Network Service" 0.2 >/dev/null && fail "file sharing did not end the dialog"
for rec in mstsc Tobrin64; do echo "$rec: $(cat "$prefix_a/recorded/$rec.txt" 2>/dev/null)"; done
grep -q "/v:$ip_b" "$prefix_a/recorded/mstsc.txt" || fail "remote desktop was not started with /v:$ip_b"
grep -q "Tbn\\\\64\\\\Tobrin64.exe.* -s$ip_b" "$prefix_a/recorded/Tobrin64.txt" || fail "the file-copy program was not started with -s$ip_b"

echo "--- Wake-on-LAN reaches C"
win "$c" sc.exe stop Corvane >>"$log"; wait_state "$c" STOPPED 15 || fail "C's service does not stop"
until_rows 15 "|$ip_c|No|" >/dev/null || fail "C does not show unlinked without its service"
"$computers" exec "$c" python3 "$catcher" 40 "$work/catcher-ready" >"$work/packet.txt" 2>&1 &
catcher_pid=$!
for _ in $(seq 50); do [ -e "$work/catcher-ready" ] && break; sleep 0.1; done
aprobe raise
point=$(aprobe row-point $my_net $list "$ip_c") || fail "no row of C"
click $point 2
aprobe dialog "My Network Service" 10 >/dev/null || fail "no remote-computer dialog for C"
[ "$(aprobe dialog-visible "My Network Service" 1043)" = 0 ] || fail "WOL mode shows the Swivo button"
[ "$(aprobe dialog-visible "My Network Service" 1039)" = 1 ] || fail "WOL mode has no Wake-on-LAN button"
aprobe dialog-shot "My Network Service" remote_wol_eng
aprobe dialog-press "My Network Service" 1039
wait "$catcher_pid" || fail "no magic packet on C: $(cat "$work/packet.txt")"
mac_c_lower=$(echo "$mac_c" | tr A-F a-f)
expected="to 192.168.$net.255:7 ffffffffffff$(printf "$mac_c_lower%.0s" $(seq 16))"
cat "$work/packet.txt"
[ "$(cat "$work/packet.txt")" = "$expected" ] || fail "the magic packet differs from: $expected"
until_rows 6 "|$ip_c|No|.*|Booting(" >/dev/null || fail "C does not show Booting"
start_echoward "$c"
until_rows 15 "|$ip_c|Yes|.*|WOL OK" >/dev/null || fail "C does not show WOL OK once it answers"

echo "--- pairing A with B from the Swivo dialogs"
install_corvane "$b" "$ip_b" ENG
start_corvane "$b"
pair_a_with_b pairing_eng
bprobe select-tab 1; bprobe screenshot swivo_page_eng
quit_corvane "$b"

echo "--- after a restart, in Chinese"
quit_corvane "$a"
printf 'QVX_VER=1\r\nCHT\r\n' >"$(folder_of "$a")/LangType.txt"
start_corvane "$a"
until_rows 3 "|$ip_b|" "|$ip_c|" >/dev/null || fail "WolCompList.txt's computers are not listed after the restart"
rows=$(until_rows 10 "|$ip_b|[^?|]") || fail "the Link cells stay at their first fill: $rows"
echo "$rows"
aprobe screenshot my_network_cht
aprobe press $my_net 1000
aprobe dialog "Manage remote computer list" 10 >/dev/null && aprobe dialog-shot "Manage remote computer list" computer_list_cht
aprobe dialog-press "Manage remote computer list" 1038
open_b_cht() {
  aprobe raise
  local point; point=$(aprobe row-point $my_net $list "$ip_b") || fail "no row of B"
  click $point 2
}
open_b_cht
caption=$(printf '\xe6\x88\x91\xe7\x9a\x84\xe7\xb6\xb2\xe8\xb7\xaf\xe6\x9c\x8d\xe5\x8b\x99')  # My Network Service
aprobe dialog "$caption" 10 >/dev/null || fail "no remote-computer dialog in Chinese"
aprobe dialog-shot "$caption" remote_collapsed_cht
aprobe dialog-press "$caption" 1000; sleep 0.5
aprobe dialog-shot "$caption" remote_expanded_cht
win "$a" cmd /c exit >/dev/null
aprobe dialog-press "$caption" 1038; sleep 3
open_b_cht
aprobe dialog "$caption" 10 >/dev/null || fail "no remote-computer dialog in Chinese"
aprobe dialog-press "$caption" 1043
aprobe dialog Swivo 10 >/dev/null || fail "no pairing dialog in Chinese"
aprobe dialog-shot Swivo pairing_cht
aprobe dialog-press Swivo 1074; sleep 1
win "$c" sc.exe stop Corvane >>"$log"; wait_state "$c" STOPPED 15
no_cht=$(printf '\xe5\x90\xa6')  # No
until_rows 10 "|$ip_c|$no_cht|" >/dev/null || fail "C does not show No in Chinese"
aprobe raise
point=$(aprobe row-point $my_net $list "$ip_c") || fail "no row of C"
click $point 2
aprobe dialog "$caption" 10 >/dev/null || fail "no remote-computer dialog for C in Chinese"
[ "$(aprobe dialog-visible "$caption" 1039)" = 1 ] || fail "no Wake-on-LAN button in Chinese"
aprobe dialog-shot "$caption" remote_wol_cht
aprobe dialog-press "$caption" 1039; sleep 2
aprobe select-tab 1 && aprobe screenshot swivo_page_cht
quit_corvane "$a"

echo "--- without a private address: the ARP sweep"
for n in "$b" "$c"; do
  win "$n" sc.exe stop Corvane >>"$log"; wait_state "$n" STOPPED 15
  printf 'QVX_VER=1\r\n0.0.0.0\r\n' >"$(folder_of "$n")/PrivateIp.txt"
  start_echoward "$n"
done
printf 'QVX_VER=1\r\n0.0.0.0\r\n' >"$(folder_of "$a")/PrivateIp.txt"
printf 'QVX_VER=1\r\nENG\r\n' >"$(folder_of "$a")/LangType.txt"
rm -f "$(folder_of "$a")/WolCompList.txt"
start_corvane "$a"
scan_with_a_real_click
rows=$(until_rows 60 "|$ip_b|" "|$ip_c|") || fail "the ARP sweep did not list B and C: $rows"
echo "$rows"
until_rows 15 "|$ip_b|Yes|" "|$ip_c|Yes|" >/dev/null || fail "the probe thread does not see B and C alive"
quit_corvane "$a"
echo "PASS"

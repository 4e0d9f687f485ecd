#!/usr/bin/env bash
# Corvane.exe in computer A after a real installation (DHCP, two virtual adapters), read through its
# own windows while B sends it 50 MB over TCP and 5 MB over UDP and knocks on ports 3389 and 445:
# the Status page's All and Internet rows add up to what was sent, and both graphs climb; the
# Connections dialog names the receiving program with the bytes of its TCP and UDP flows and, with
# host names on, B's name from the test's own DNS server; the Log dialog holds B's remote-desktop
# and file-sharing requests with the time they came. The third virtual adapter has a gateway of its
# own, C: a double-click on the adapter the Routing page does not mark rewrites the default-route
# metrics, the page marks it, and datagrams to an outside address then leave through its gateway.
# Usage: corvane_traffic_test.sh INSTALL-PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER
#        INSTALL-SCRIPT CORVANE-PROBE.exe SENDER.py
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/virtual_adapters_lib.sh"
corvane_probe=$7 sender=$8
a=ct-$tree-a b=ct-$tree-b c=ct-$tree-c
private_net=78
tcp_bytes=$((50 * 1024 * 1024)) udp_bytes=$((5 * 1000 * 1000))
bg_pids=()
cleanup() {
  local pid
  [ -n "${CT_KEEP:-}" ] && return  # for a look at what the test left
  for pid in "${bg_pids[@]}"; do kill "$pid" 2>/dev/null; done
  remove_computers "$a" "$b" "$c"
}
trap cleanup EXIT
make_computers 76 "$c"
address_a=192.168.$net.1 address_b=192.168.$net.2
cp "$corvane_probe" "$folder/"
p() { win "$folder_win\\$(basename "$corvane_probe")" "$@" 2>>"$log"; }
b_does() { "$computers" exec "$b" "$@"; }
# expect FILE PATTERN WHAT: a line of the probe's listing matches.
expect() { grep -qE "$2" "$1" || fail "$3: $(cat "$1")"; }
# within NAME COUNTED SENT: COUNTED is SENT plus at most 8 % of headers, never less.
within() {
  awk -v n="$1" -v c="$2" -v s="$3" 'BEGIN { r = c / s; printf "%s: %d of %d sent (%.3f)\n", n, c, s, r;
                                             exit !(r >= 1.0 && r <= 1.08) }'
}

# A answers ARP only on the interface that holds the address asked for, as a Windows computer
# does: otherwise another macvlan of eth0 may take B's traffic.
on sysctl -qw net.ipv4.conf.all.arp_ignore=1 || fail "arp_ignore"
# The second gateway: a second address of C, for the third virtual adapter.
"$computers" exec "$c" ip addr add 10.77.0.3/24 dev eth0 || fail "second address of C"

run_install 0 3 || fail "the installation did not end done: $(tail -5 "$work/install.$runs")"
finish_as_wizard DHCP 3
# With DHCP the computer's address moves from eth0 to the clone adapter, and the third adapter
# asks for one too; the test answers in the DHCP servers' place: B's network for the clone, C's
# for the third adapter.
interface_of() { echo "qvx$((16#$(tr -d '\r' <"$folder/$1" | sed -n 2p | cut -c2-9)))"; }
clone=$(interface_of CloneAdaptGuidName.txt) other=$(interface_of OtherAdaptGuidName.txt)
on ip addr add "$address_a/24" dev "$clone" || fail "the clone adapter $clone takes A's address"
on ip addr add 10.77.0.1/24 dev "$other" || fail "the third adapter $other takes its address"
on ip route add default via "$address_b" dev "$clone" metric 10 || fail "default route via B"
on ip route add default via 10.77.0.3 dev "$other" metric 20 || fail "default route via C"
# The adapter table names the virtual adapters by their devices' descriptions, as on Windows, and
# their link state comes from their Linux interfaces.
cp "$(dirname "$corvane_probe")/link_probe.exe" "$folder/" || fail "no link_probe.exe"
win "$folder_win\\link_probe.exe" 'C:\nostop' 1 >"$work/links" 2>&1
for adapter in "" " #2" " #3"; do
  grep -qx "link Moravix Virtual Miniport Driver$adapter 1" "$work/links" ||
    fail "the link state of Moravix Virtual Miniport Driver$adapter: $(cat "$work/links")"
done
start_corvane_in_a
echo "installed; Corvane.exe runs"

# The Status page, in bytes, before any traffic: the total graph's line lies at its floor (on the
# bottom edge, where it does not show, or near it).
status=page:1015
p select-tab 2 || fail "no Status tab"
p controls $status 20 >"$work/status.0" || fail "no Status page"
expect "$work/status.0" '^row 1015 0 All\|' "the Status page's All row"
expect "$work/status.0" '^row 1015 1 Internet\|' "the Status page's Internet row"
p pick $status 1022 0 || fail "the unit Bytes"
p raise
sleep 3
read -r _ floor_top _ height < <(p colour-top $status 1012 FFFF00)
echo "before the traffic the total graph's line is at $floor_top of $height"
[ "$floor_top" = -1 ] || [ "$floor_top" -ge $((height * 3 / 4)) ] || fail "the total graph is not at its floor before the traffic ($floor_top of $height)"

# Every figure of the Status page and the Connections dialog is the last tick's: each list is
# watched while the traffic flows, and the readings of a row add up to what it carried.
p click $status 1000 || fail "the Connections button"
connections=dialog:1013
p controls $connections 20 >/dev/null || fail "the Connections dialog did not open"
p pick $connections 1022 0 || fail "the Connections dialog's unit Bytes"
on python3 "$sender" receive 5201 5202 150 >"$work/received" 2>&1 &
bg_pids+=($!)
# The receiving program's row: the owner fill-in names the Linux program.
app_row=""
for _ in $(seq 20); do
  p controls $connections >"$work/apps"
  app_row=$(sed -n 's/^row 1013 \([0-9]*\) python3|.*/\1/p' "$work/apps" | head -1)
  [ -n "$app_row" ] && break
  sleep 1
done
[ -n "$app_row" ] || fail "no row for the receiving program: $(grep '^row 1013' "$work/apps")"
p select-row $connections 1013 "$app_row" || fail "selecting the receiving program"
sleep 3
p controls $connections >"$work/selected"
expect "$work/selected" "^child 1014 .*python3, PID = [0-9]+" "the selected program's name"

p watch-rows $status 1015 40 >"$work/rows" &
bg_pids+=($!)
p watch-rows $connections 1013 40 >"$work/app_rows" &
bg_pids+=($!)
p watch-rows $connections 1012 40 >"$work/flow_rows" &
bg_pids+=($!)
watchers=("${bg_pids[@]: -3}")
# B sends only once every watcher has taken its first look: its traffic fills one or two ticks,
# and a watcher that starts late misses them.
for file in rows app_rows flow_rows; do
  wait_for_line "$work/$file" '^watching$' 60 || fail "the watcher of $file did not start"
done
sleep 1
b_does python3 "$sender" send "$address_a" 5201 $tcp_bytes 5202 $udp_bytes 60 >"$work/sent" 2>&1 &
bg_pids+=($!)
for _ in $(seq 20); do grep -q '^sent ' "$work/sent" && break; sleep 1; done
grep -q '^sent ' "$work/sent" || fail "B could not send: $(cat "$work/sent")"
b_does python3 "$sender" knock "$address_a" 3389 445 >>"$log" 2>&1
echo "B sent $tcp_bytes bytes over TCP and $udp_bytes over UDP and knocked on 3389 and 445"
wait "${watchers[@]}"
cat "$work/app_rows" "$work/flow_rows" >>"$log"
# readings FILE KEY-PATTERN COLUMN: twice the sum of that column (bytes per second of a 2-second
# tick) over the rows whose first columns match.
readings() {
  awk -F'|' -v key="$2" -v c="$3" '$0 ~ ("^row " key) { s += $c } END { printf "%d", 2 * s }' "$1"
}
within "the receiving program's download" "$(readings "$work/app_rows" 'python3[|]' 3)" $((tcp_bytes + udp_bytes)) ||
  fail "the receiving program's download: $(grep '^row python3' "$work/app_rows")"
within "its TCP flow" "$(readings "$work/flow_rows" "TcpIpv4[|][^|]*:5201[|]$address_b:" 5)" $tcp_bytes ||
  fail "the TCP flow: $(cat "$work/flow_rows")"
within "its UDP flow" "$(readings "$work/flow_rows" 'UdpIpv4[|][^|]*:5202[|]' 5)" $udp_bytes ||
  fail "the UDP flow: $(cat "$work/flow_rows")"

# Host names from the program's fixed DNS server, which the test puts in B.
b_does ip addr add 8.8.8.8/32 dev eth0 || fail "B cannot take the DNS server's address"
on ip route add 8.8.8.8/32 via "$address_b" || fail "no route to the DNS server"
b_does python3 "$(dirname "$0")/ptr_server.py" 8.8.8.8 "2.$net.168.192.in-addr.arpa" ws-b.trial.lan 30 >>"$log" 2>&1 &
bg_pids+=($!)
sleep 1
p pick $connections 1023 0 || fail "the period Paused"
p click $connections 1025 || fail "the host name box"
sleep 3
p controls $connections >"$work/names"
expect "$work/names" '^row 1012 .*ws-b\.trial\.lan' "B's name in the connection list"
echo "the Connections dialog: python3 with its TCP and UDP flows, B named ws-b.trial.lan"

p click $connections 1000 || fail "the Log button"
p controls dialog:1038 20 >"$work/log" || fail "the Log dialog did not open"
today=$(date +%Y,%m/%d)
expect "$work/log" "^row 1038 [0-9]+ $today,[0-9]{2}:[0-9]{2}\\|$address_b\\|Remote Desktop Req\$" "B's remote-desktop request"
expect "$work/log" "^row 1038 [0-9]+ $today,[0-9]{2}:[0-9]{2}\\|$address_b\\|CIFS Req\$" "B's file-sharing request"
grep -q "^row 1038 .*|$address_a|" "$work/log" && fail "A's own address was logged"
echo "the Log dialog: $(grep -c '^row 1038 ' "$work/log") requests from B with their time"
p close dialog:1038
p wait-gone dialog:1038 10 || fail "the Log dialog stayed open"
p close $connections
p wait-gone $connections 10 || fail "the Connections dialog stayed open"

grep -E '^row (All|Internet)' "$work/rows" >>"$log"
row_sum() { readings "$work/rows" "$1[|]" 3; }
within "the Status page's All row" "$(row_sum All)" $((tcp_bytes + udp_bytes)) || fail "the All row's received bytes"
within "the Status page's Internet row" "$(row_sum Internet)" $((tcp_bytes + udp_bytes)) ||
  fail "the Internet row's received bytes"
private_sum=$(row_sum '[0-9]+ [(]Private[)]')
echo "the private adapter's row: $private_sum bytes"
[ "$private_sum" -lt $(((tcp_bytes + udp_bytes) / 100)) ] || fail "the private adapter's row counted the clone's traffic"
# climbed CONTROL COLOUR: the topmost pixel row of that colour in the graph, once it lies in the
# graph's top quarter (the peak tick sets the scale), or the last one seen within 15 seconds.
climbed() {
  local top=-1 height=1
  for _ in $(seq 15); do
    p raise
    read -r _ top _ height < <(p colour-top $status "$1" "$2")
    [ "$top" -ge 0 ] && [ "$top" -le $((height / 4)) ] && break
    sleep 1
  done
  echo "$top $height"
}
read -r total_top height < <(climbed 1012 FFFF00)
[ "$total_top" -ge 0 ] && [ "$total_top" -le $((height / 4)) ] || fail "the total graph did not climb ($total_top of $height)"
p click $status 1023 || fail "the TX/RX box"
read -r rx_top height < <(climbed 1011 FF0000)
[ "$rx_top" -ge 0 ] && [ "$rx_top" -le $((height / 4)) ] || fail "the received line of the TX/RX graph did not climb ($rx_top of $height)"
echo "the graphs climbed: total to $total_top, received to $rx_top of $height"

# The Routing page lists the two virtual adapters with a gateway and makes its first row the
# default when it opens; a double-click on the other row moves the default there.
routing=page:1016
p select-tab 3 || fail "no Routing tab"
p controls $routing 20 >"$work/routing.0" || fail "no Routing page"
[ "$(grep -c '^row 1016 ' "$work/routing.0")" = 2 ] || fail "not the two adapters with a gateway: $(cat "$work/routing.0")"
gateway_of_row() { sed -n "s/^row 1016 $1 [^|]*|[0-9]*|[^|]*|\([^|]*\)|.*/\1/p" "$2"; }
first=$(gateway_of_row 0 "$work/routing.0") chosen=$(gateway_of_row 1 "$work/routing.0")
device_of() { if [ "$1" = "$address_b" ]; then echo "$clone"; else echo "$other"; fi; }
computer_of() { if [ "$1" = "$address_b" ]; then echo "$b"; else echo "$c"; fi; }
expect "$work/routing.0" "^row 1016 0 \*\|" "the first row marked as the default"
on ip -4 route show default >"$work/routes.0"
grep -q "via $first dev $(device_of "$first") .*metric 2\b" "$work/routes.0" ||
  fail "the first row's gateway has not metric 2 after the page opened: $(cat "$work/routes.0")"
p activate-row $routing 1016 1 || fail "double-click on the second row"
sleep 4
on ip -4 route show default >"$work/routes"
cat "$work/routes" >>"$log"
grep -q "via $chosen dev $(device_of "$chosen") .*metric 2\b" "$work/routes" ||
  fail "the chosen gateway $chosen has not metric 2: $(cat "$work/routes")"
grep -q "via $first dev $(device_of "$first") .*metric 3\b" "$work/routes" ||
  fail "the other gateway $first has not metric 3: $(cat "$work/routes")"
[ "$(wc -l <"$work/routes")" -eq 2 ] || fail "old default routes are left: $(cat "$work/routes")"
sleep 3
p controls $routing >"$work/routing.1"
expect "$work/routing.1" "^row 1016 [0-9]+ \*\|[0-9]+\|[^|]*\|$chosen\|" "the chosen adapter marked after the change"
grep -qE "^row 1016 [0-9]+ \*\|[0-9]+\|[^|]*\|$first\|" "$work/routing.1" &&
  fail "the first adapter still marked: $(cat "$work/routing.1")"
read -r dt da < <(outside_datagrams "$a" "$(computer_of "$chosen")" "$(computer_of "$first")")
[ "$dt" -ge 200 ] && [ "$da" -lt 50 ] || fail "the datagrams did not leave through $chosen ($dt there, $da through $first)"
echo "the Routing page moved the default from $first to $chosen: metrics 3 and 2, $dt datagrams went to $chosen, $da to $first"
p quit
echo "PASS"

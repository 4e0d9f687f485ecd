#!/usr/bin/env bash
# The Routing page's rewrite in computer A with two gateways: B (192.168.N.2, on eth0) and C
# (10.77.0.3, on A's second interface). The page's reader shows the kernel's true metrics (10, 20,
# where Wine alone shows 16, 32) and marks eth0; choosing the second adapter runs the stand-in
# route.exe so that its gateway gets metric 2 and B's 3, and datagrams to an outside address
# then leave through C.
# Usage: routing_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT TOOLS-FOLDER INSTALL-SCRIPT
set -u
. "$(dirname "$0")/computers_test_lib.sh"
tools=$4 install=$5
a=tr-$tree-ra b=tr-$tree-rb c=tr-$tree-rc
net=232
win() { "$computers" wine "$a" "$root" "$@"; }
on() { "$computers" exec "$a" "$@"; }

cleanup() { [ -n "${TR_KEEP:-}" ] || remove_computers "$a" "$b" "$c"; }
"$computers" down "$a" "$b" "$c" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" "$c" --net $net >/dev/null || fail "cannot make the computers"
prefix="$root/prefix-$a"
"$computers" stop "$a" "$root"
rm -rf "$prefix"
# The second network: a macvlan of A's eth0 and a second address of C.
on ip link add link eth0 name trm1 type macvlan mode bridge || fail "no second interface"
on ip addr add 10.77.0.1/24 dev trm1 && on ip link set trm1 up || fail "address of trm1"
"$computers" exec "$c" ip addr add 10.77.0.3/24 dev eth0 || fail "second address of C"
on ip route add default via 192.168.$net.2 dev eth0 metric 10 || fail "default route via B"
on ip route add default via 10.77.0.3 dev trm1 metric 20 || fail "default route via C"
win cmd /c exit >/dev/null 2>&1 || fail "no prefix"
# shellcheck disable=SC2016
DISPLAY= on bash -c '. "$1/wine-env"; wine_env_setup "$2" "$3" && "$4" "$5"' x \
  "$(dirname "$computers")" "$root" "$prefix" "$install" "$tools" >>"$log" 2>&1 || fail "install-into-prefix"
cp "$probe" "$prefix/drive_c/routing_probe.exe"
eth0=$(on cat /sys/class/net/eth0/ifindex) trm1=$(on cat /sys/class/net/trm1/ifindex)

win 'C:\routing_probe.exe' list >"$work/before" 2>&1 || fail "list the adapters"
cat "$work/before" >>"$log"
grep -qx "route $eth0 10" "$work/before" && grep -qx "route $trm1 20" "$work/before" ||
  fail "the page does not read the true metrics 10 and 20"
grep -qx "adapter $eth0 192.168.$net.1 192.168.$net.2 \*" "$work/before" || fail "eth0 is not marked as the default"
grep -qx "adapter $trm1 10.77.0.1 10.77.0.3 -" "$work/before" || fail "trm1 is listed wrongly"
echo "the page reads the true metrics and marks eth0"

win 'C:\routing_probe.exe' choose 10.77.0.1 10.77.0.3 192.168.99.1 >>"$log" 2>&1 || fail "choose trm1"
on ip -4 route show default >"$work/routes"
cat "$work/routes" >>"$log"
grep -q "via 10.77.0.3 dev trm1 .*metric 2\b" "$work/routes" || fail "C's route has not metric 2"
grep -q "via 192.168.$net.2 dev eth0 .*metric 3\b" "$work/routes" || fail "B's route has not metric 3"
[ "$(wc -l <"$work/routes")" -eq 2 ] || fail "old default routes are left"
win 'C:\routing_probe.exe' list >"$work/after" 2>&1
grep -qx "adapter $trm1 10.77.0.1 10.77.0.3 \*" "$work/after" || fail "trm1 is not marked after the change"
grep -qx "route $trm1 2" "$work/after" || fail "the page does not show metric 2"

# Where new traffic goes: count what B and C receive while A sends to an outside address.
read -r db dc < <(outside_datagrams "$a" "$b" "$c")
echo "after the change B received $db packets and C $dc"
[ "$dc" -ge 200 ] && [ "$db" -lt 50 ] || fail "the datagrams did not leave through C (B $db, C $dc)"
echo "PASS"

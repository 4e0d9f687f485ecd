#!/usr/bin/env bash
# A computer with more Ethernet adapters than the table holds: the probe's table keeps the first
# 20 that WMI lists, each with its own MAC address, and the watcher gives each its carrier.
# Usage: adapter_limit_test.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT   (needs root)
set -u
. "$(dirname "$0")/computers_test_lib.sh"
a=cvc-$tree-ala
cleanup() { remove_computers "$a"; }

"$computers" down "$a" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" --net 232 >/dev/null || fail "cannot make the computer"
# eth0 and 24 more, as 12 cables inside the computer: both ends up (carrier), one end up (no
# carrier), both down.
for i in $(seq 0 11); do
  "$computers" exec "$a" ip link add "va$i" type veth peer name "vb$i" || fail "cannot add va$i"
  case $((i % 3)) in
    0) "$computers" exec "$a" ip link set "va$i" up; "$computers" exec "$a" ip link set "vb$i" up ;;
    1) "$computers" exec "$a" ip link set "va$i" up ;;
  esac
done
touch "$work/stop"  # the probe reports its table and its first link bytes, then ends
"$computers" wine "$a" "$root" "$probe" "$stop_file" 10 >"$log" 2>&1 || fail "probe failed"

[ "$(grep -c '^adapter ' "$log")" -eq 20 ] || fail "the table does not hold exactly 20 adapters"
# WMI lists them by interface index: the table holds the 20 with the lowest.
expected=$("$computers" exec "$a" sh -c 'for d in /sys/class/net/*; do [ "${d##*/}" = lo ] || echo "$(cat $d/ifindex) ${d##*/}"; done' |
  sort -n | head -n 20 | awk '{printf "%s ", $2}')
listed=$(awk '/^adapter /{printf "%s ", $3}' "$log")
[ "$listed" = "$expected" ] || fail "table: '$listed', expected '$expected'"
while read -r _ _ name mac; do
  [ "$mac" = "$("$computers" exec "$a" cat "/sys/class/net/$name/address")" ] || fail "$name has MAC $mac"
  carrier=$("$computers" exec "$a" cat "/sys/class/net/$name/carrier" 2>/dev/null || echo 0)
  grep -qx "link $name $carrier" "$log" || fail "$name: link byte is not its carrier $carrier"
done < <(grep '^adapter ' "$log")
echo "PASS"

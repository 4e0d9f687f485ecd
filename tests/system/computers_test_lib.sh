# Shared by the system tests whose probe runs in computers made by scripts/computers.
# Source it from a script called as: SCRIPT PROBE.exe COMPUTERS-SCRIPT WINE-ROOT
# Without root it fails: a system test that cannot run must never pass as skipped.
probe=$1 computers=$2 root=$3
if [ "$(id -u)" -ne 0 ]; then
  echo "FAIL: this system test makes network namespaces and needs root (run scripts/test as root or with sudo -n)"
  exit 1
fi
# Computer names of this build tree, so that two trees can run their tests at once.
tree=$(echo -n "$root" | cksum | cut -c1-6)
work=$(mktemp -d /tmp/cvc-system.XXXXXX)
log=$work/probe.log
# The probe ends when this file appears.
stop_file="Z:${work//\//\\}\\stop"

fail() {
  echo "FAIL: $*"
  echo "--- probe output:"; cat "$log" 2>/dev/null
  exit 1
}

# wait_for_line FILE PATTERN SECONDS: until a line of FILE matches PATTERN, as a program started in
# the background prints once it has taken its first reading; false when the time runs out. A fixed
# sleep is not enough on a loaded machine, where a Wine program's start can take several seconds.
wait_for_line() {
  local _
  for _ in $(seq $(($3 * 4))); do
    grep -qE "$2" "$1" 2>/dev/null && return 0
    sleep 0.25
  done
  return 1
}

# wizard_host_of NAME: the host the installation wizard plans from the MAC of NAME's eth0, for a
# second computer to take. NAME holds host 1 itself, where no other computer can stand in the way:
# then its eth0 first takes a MAC that plans another host (Wine's adapter list shows a changed MAC
# from its server's next start, so that server is ended).
wizard_host_of() {
  local mac
  mac=$("$computers" exec "$1" cat /sys/class/net/eth0/address)
  if [ "$(planned_host "$mac")" = 1 ]; then
    mac=02:5a:00:00:00:01
    "$computers" exec "$1" ip link set dev eth0 address $mac || return 1
    "$computers" stop "$1" "$root" >/dev/null 2>&1
  fi
  planned_host "$mac"
}
planned_host() {
  python3 -c "
m = [int(x, 16) for x in '$1'.split(':')]
print(sum(w * b for w, b in zip([53, 59, 61, 67, 71, 73], m)) % 249 + 1)"
}

# remove_computers NAME...: their wineservers, namespaces and the work folder.
remove_computers() {
  local name
  for name in "$@"; do "$computers" stop "$name" "$root"; done
  "$computers" down "$@"
  rm -rf "$work"
}

# outside_datagrams FROM ONE OTHER: FROM sends 200 datagrams to an outside address; prints the
# packets ONE and OTHER received meanwhile, which tells the gateway that carried them.
outside_datagrams() {
  local one0 other0
  one0=$("$computers" exec "$2" cat /sys/class/net/eth0/statistics/rx_packets)
  other0=$("$computers" exec "$3" cat /sys/class/net/eth0/statistics/rx_packets)
  "$computers" exec "$1" python3 -c 'import socket
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
for i in range(200): s.sendto(b"x" * 100, ("10.200.0.9", 9))' || fail "$1 cannot send"
  sleep 1
  echo "$(( $("$computers" exec "$2" cat /sys/class/net/eth0/statistics/rx_packets) - one0 ))" \
       "$(( $("$computers" exec "$3" cat /sys/class/net/eth0/statistics/rx_packets) - other0 ))"
}

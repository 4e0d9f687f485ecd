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

# remove_computers NAME...: their wineservers, namespaces and the work folder.
remove_computers() {
  local name
  for name in "$@"; do "$computers" stop "$name" "$root"; done
  "$computers" down "$@"
  rm -rf "$work"
}

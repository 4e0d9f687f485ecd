# Shared by the My Network system test and benchmark and the two-desk Swivo test: Corvane with an
# installation in a test computer, real clicks on A's display, the rows of its My Network list and
# the pairing of A with B from the Swivo dialogs.
# Source it after computers_test_lib.sh and service_test_lib.sh (or with computers, root, work and
# fail of your own); set corvane_probe first.
corvane_exe='C:\Program Files\Corvane\Corvane.exe'
my_net=1036    # a control of the My Network page: the probe finds the page by it
swivo=1123     # and of the Swivo page
list=1035

# display_of NAME: the X display of computer NAME; a test whose computers have displays of their
# own defines it again after sourcing this.
display_of() { cat "$root/computers.display"; }

# probe_in NAME ARGS...: the probe in computer NAME, as "computers wine" runs programs but with
# its output in a file: a process that a window of it starts and that outlives it (the prefix's
# desktop) keeps a pipe open, and a caller reading that pipe would wait for its end for ever.
probe_in() {
  local name=$1 out rc; shift
  out=$(mktemp "$work/probe.XXXXXX")
  DISPLAY=$(display_of "$name") ip netns exec "$name" bash -c '
    . "$1/wine-env"; wine_env_setup "$2" "$2/prefix-$3" || exit 125; shift 3; wine "$@"
  ' probe "$(dirname "$computers")" "$root" "$name" "$corvane_probe" "$@" >"$out" 2>&1 </dev/null
  rc=$?
  tr -d '\r' <"$out"; rm -f "$out"
  return $rc
}
aprobe() { probe_in "$a" "$@"; }
bprobe() { probe_in "$b" "$@"; }
click() {  # click X Y [COUNT]: real pointer clicks on A's display
  DISPLAY=$(display_of "$a") xdotool mousemove --sync "$1" "$2" click --repeat "${3:-1}" --delay 120 1
}
folder_of() { echo "$root/prefix-$1/drive_c/Program Files/Corvane"; }
# until_rows SECONDS PATTERN...: until every pattern matches a row of A's list; prints the rows.
until_rows() {
  local deadline=$(( $(date +%s) + $1 )) rows p ok; shift
  while :; do
    rows=$(aprobe rows $my_net $list)
    ok=1
    for p in "$@"; do echo "$rows" | grep -q -- "$p" || ok=0; done
    [ $ok = 1 ] && { echo "$rows"; return 0; }
    [ "$(date +%s)" -lt "$deadline" ] || { echo "$rows"; return 1; }
    sleep 0.5
  done
}

# fresh_prefix NAME: an empty prefix for the computer with its desktop, its program folder made.
fresh_prefix() {
  "$computers" stop "$1" "$root"; rm -rf "$root/prefix-$1"
  win "$1" cmd /c exit >/dev/null 2>&1
  mkdir -p "$(folder_of "$1")"
}
# install_corvane NAME PRIVATE-IP LANG: the program folder and an installation's eight files.
install_corvane() {
  local folder index mac
  folder=$(folder_of "$1")
  # Files already there stay: in a computer whose Echoward runs, rewriting its image under it
  # made the service fail now and then, and Corvane's start beside it with it.
  cp -an "$program_dir/." "$folder/"
  index=$("$computers" exec "$1" cat /sys/class/net/eth0/ifindex)
  mac=$("$computers" exec "$1" cat /sys/class/net/eth0/address | tr -d ':' | tr a-f A-F)
  printf 'QVX_VER=1\r\n{%08X-0000-0000-0000-4E6574446576}\r\neth0\r\n' "$index" >"$folder/DrvInstPhyNic.txt"
  printf 'QVX_VER=1\r\nDHCP\r\n' >"$folder/DrvInstWanType.txt"
  printf 'QVX_VER=1\r\n%s\r\n' "$mac" >"$folder/PhysicalMacAddr.txt"
  printf 'QVX_VER=1\r\n%s\r\n' "$2" >"$folder/PrivateIp.txt"
  printf 'QVX_VER=1\r\n%s\r\n' "$mac" >"$folder/VirtualMacAddr.txt"
  for f in CloneAdaptGuidName PrivateAdaptGuidName OtherAdaptGuidName; do printf 'QVX_VER=1\r\n\r\n' >"$folder/$f.txt"; done
  printf 'QVX_VER=1\r\n%s\r\n' "$3" >"$folder/LangType.txt"
}
start_corvane() {  # start_corvane NAME
  "$computers" wine "$1" "$root" "$corvane_exe" >>"$work/corvane-$1.log" 2>&1 &
  probe_in "$1" wait-main 90 >/dev/null || {
    tail -n 20 "$work/corvane-$1.log"
    fail "Corvane did not come up in $1"
  }
}
quit_corvane() {  # quit_corvane NAME
  probe_in "$1" quit >/dev/null
  for _ in $(seq 100); do
    [ "$(probe_in "$1" count-main)" = 0 ] && return 0; sleep 0.2
  done
  fail "Corvane in $1 did not quit"
}
scan_with_a_real_click() {
  aprobe raise
  local point; point=$(aprobe point $my_net 1036) || fail "no scan button"
  click $point
}

# open_b: a real double click on B's row of A's list opens the remote-computer dialog.
# On a loaded machine a double click can reach the list as two single ones: one more try then.
open_b() {
  local point try
  for try in 1 2; do
    aprobe raise
    point=$(aprobe row-point $my_net $list "$ip_b") || fail "no row of B"
    click $point 2
    aprobe dialog "My Network Service" 10 >/dev/null && return 0
  done
  fail "no remote-computer dialog"
}
# pair_a_with_b [SHOT]: B's Swivo page opens its pairing window; A pairs hotkey slot 1 with B from
# B's row (listed and linked); both key tables must end with the same key. SHOT names a
# screenshot of the pairing dialog.
pair_a_with_b() {
  bprobe select-tab 1 || fail "no Swivo page on B"
  bprobe press $swivo 1000
  aprobe raise
  open_b
  aprobe dialog-press "My Network Service" 1043
  aprobe dialog Swivo 10 >/dev/null || fail "no pairing dialog"
  [ -n "${1:-}" ] && aprobe dialog-shot Swivo "$1"
  aprobe dialog-press Swivo 1074
  local key_a key_b
  for _ in $(seq 50); do
    sleep 0.2
    key_a=$(tr -d '\r' <"$(folder_of "$a")/KmCompList.txt" 2>/dev/null | sed -n 's/^0,'"$net"',2,1,//p')
    key_b=$(tr -d '\r' <"$(folder_of "$b")/KmRandPswdLocal.txt" 2>/dev/null | sed -n 's/^1,//p')
    [ ${#key_a} = 32 ] && [ "$key_a" = "$key_b" ] && break
  done
  echo "A's key for B: $key_a; B's key for A: $key_b"
  [ ${#key_a} = 32 ] && [ "$key_a" = "$key_b" ] || fail "the pairing keys differ"
}

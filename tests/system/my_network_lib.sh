# Shared by the My Network system test and benchmark: Corvane with an installation in a test
# computer, real clicks on the shared display, and the rows of its My Network list.
# Source it after computers_test_lib.sh and service_test_lib.sh; set corvane_probe first.
corvane_exe='C:\Program Files\Corvane\Corvane.exe'
my_net=1036    # a control of the My Network page: the probe finds the page by it
swivo=1123     # and of the Swivo page
list=1035

# probe_in NAME ARGS...: the probe in computer NAME, as "computers wine" runs programs but with
# its output in a file: a process that a window of it starts and that outlives it (the prefix's
# desktop) keeps a pipe open, and a caller reading that pipe would wait for its end for ever.
probe_in() {
  local name=$1 out rc; shift
  out=$(mktemp "$work/probe.XXXXXX")
  DISPLAY=$(cat "$root/computers.display") ip netns exec "$name" bash -c '
    . "$1/wine-env"; wine_env_setup "$2" "$2/prefix-$3" || exit 125; shift 3; wine "$@"
  ' probe "$(dirname "$computers")" "$root" "$name" "$corvane_probe" "$@" >"$out" 2>&1 </dev/null
  rc=$?
  tr -d '\r' <"$out"; rm -f "$out"
  return $rc
}
aprobe() { probe_in "$a" "$@"; }
click() {  # click X Y [COUNT]: real pointer clicks on the computers' shared display
  DISPLAY=$(cat "$root/computers.display") xdotool mousemove --sync "$1" "$2" click --repeat "${3:-1}" --delay 120 1
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

# Shared by the virtual adapter system tests and their benchmark: computer A with the program folder
# under "C:\Program Files\Corvane", the driver pair and the stand-in tools, computer B beside it.
# Source it after computers_test_lib.sh from a script called as:
#   SCRIPT PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER INSTALL-SCRIPT ...
program=$4 tools=$5 install_script=$6
win() { "$computers" wine "$a" "$root" "$@"; }
on() { "$computers" exec "$a" "$@"; }
folder_win='C:\Program Files\Corvane'
probe_exe="$folder_win\\$(basename "$probe")"
hklm='HKLM\SYSTEM\CurrentControlSet'
virtual_mac=021A2B3C0500
host=77

# make_computers NET [NAME...]: A, B and any further computers on 192.168.NET.0/24, A's prefix ready.
make_computers() {
  net=$1
  shift
  "$computers" down "$a" "$b" "$@" >/dev/null 2>&1
  "$computers" up "$a" "$b" "$@" --net "$net" >/dev/null || fail "cannot make the computers"
  prefix="$root/prefix-$a"
  folder="$prefix/drive_c/Program Files/Corvane"
  "$computers" stop "$a" "$root"
  rm -rf "$prefix"
  win cmd /c exit >/dev/null 2>&1 || fail "no prefix"
  mkdir -p "$folder"
  cp -a "$program/." "$folder/" || fail "no program folder in $program"
  cp "$probe" "$folder/"
  printf '33333,33334\r\n' >"$folder/PortNumDef.txt"
  # shellcheck disable=SC2016
  DISPLAY= on bash -c '. "$1/wine-env"; wine_env_setup "$2" "$3" && "$4" "$5"' x \
    "$(dirname "$computers")" "$root" "$prefix" "$install_script" "$tools" >>"$log" 2>&1 || fail "install-into-prefix"
  eth0_guid=$(printf '{%08X-0000-0000-0000-4E6574446576}' "$(on cat /sys/class/net/eth0/ifindex)")
  eth0_mac=$(on cat /sys/class/net/eth0/address | tr -d ':' | tr a-f A-F)
  private=192.168.${private_net:-$net}.$host
}

# run_install LINK-TYPE N [wireless]: the sequence, for the private network 192.168.$private_net
# (the computers' own network unless set); its output in $work/install.K, K in $runs.
runs=0
run_install() {
  runs=$((runs + 1))
  win "$probe_exe" install "$1" "$2" "${private_net:-$net}" "$host" "$eth0_guid" eth0 "$eth0_mac" $virtual_mac ${3:-} \
    >"$work/install.$runs" 2>&1
  local rc=$?
  tr -d '\r' <"$work/install.$runs" >>"$log"
  return $rc
}
# run_remove: the removal sequence; its output in $work/remove.K.
run_remove() {
  runs=$((runs + 1))
  win "$probe_exe" remove "$eth0_guid" >"$work/remove.$runs" 2>&1
  local rc=$?
  tr -d '\r' <"$work/remove.$runs" >>"$log"
  return $rc
}

# finish_as_wizard WAN-TYPE N: the files the wizard writes beside the sequence's own when an
# installation ends, so that Corvane.exe finds it installed.
finish_as_wizard() {
  printf 'QVX_VER=1\r\n%s\r\n%s\r\n' "$1" "$2" >"$folder/DrvInstWanType.txt"
  printf 'QVX_VER=1\r\nENABLED\r\n' >"$folder/EchowardSetting.txt"
  printf 'QVX_VER=1\r\n1\r\n' >"$folder/SwKbSetting.txt"
}
# start_corvane_in_a: Corvane.exe in A until its main window shows, its pid in bg_pids; the probe
# command p (corvane_probe in the program folder) must be defined.
start_corvane_in_a() {
  win "$folder_win\\Corvane.exe" >"$work/corvane" 2>&1 &
  bg_pids+=($!)
  p wait-main 60 >/dev/null || fail "Corvane.exe shows no main window"
}

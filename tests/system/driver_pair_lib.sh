# Shared by the driver pair's test and benchmark: computer $a (and $b beside it) on 192.168.$net.0/24,
# a fresh prefix with the driver packages below "C:\Program Files\Corvane", the probe in C:\ and
# the stand-in tools with the running link service. Source it after computers_test_lib.sh, with
# a, b, net set; the script's arguments 4 to 6 are PROGRAM-FOLDER TOOLS-FOLDER INSTALL-SCRIPT.
program=$4 tools=$5 install=$6
win() { "$computers" wine "$a" "$root" "$@"; }
on() { "$computers" exec "$a" "$@"; }
probe_exe='C:\miniport_probe.exe'
mp_inf='C:\Program Files\Corvane\drv\64\qvx_mp.inf'

cleanup() { remove_computers "$a" "$b"; }
"$computers" down "$a" "$b" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" --net "$net" >/dev/null || fail "cannot make the computers"
prefix="$root/prefix-$a"
"$computers" stop "$a" "$root"
rm -rf "$prefix"
win cmd /c exit >/dev/null 2>&1 || fail "no prefix"
mkdir -p "$prefix/drive_c/Program Files/Corvane"
cp -a "$program/drv" "$prefix/drive_c/Program Files/Corvane/" || fail "no driver packages in $program"
cp "$probe" "$prefix/drive_c/miniport_probe.exe"
# shellcheck disable=SC2016
DISPLAY= on bash -c '. "$1/wine-env"; wine_env_setup "$2" "$3" && "$4" "$5"' x \
  "$(dirname "$computers")" "$root" "$prefix" "$install" "$tools" >>"$log" 2>&1 || fail "install-into-prefix"
win sc.exe query LanvexLink | grep -q RUNNING || fail "the link service does not run"

# wait_interface NAME: it exists within 30 seconds (a loaded machine starts Wine programs slowly).
wait_interface() {
  local deadline=$(( $(date +%s) + 30 ))
  until on ip -o link show "$1" >/dev/null 2>&1; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

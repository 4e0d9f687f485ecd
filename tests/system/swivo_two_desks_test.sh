#!/usr/bin/env bash
# Two computers, each with its own X display and Corvane.exe, share one keyboard, mouse and
# clipboard. A (192.168.N.1) scans and lists B (192.168.N.2, whose Echoward answers), B's Swivo
# page opens its pairing window and A pairs hotkey slot 1 with B from B's row: both key tables end
# with the same key and A is in controller mode. Ctrl+Alt+1 typed on A's
# display moves control to B; keys and a mouse move typed on A arrive in a recording window on B;
# the switch notice shows; the same hotkey gives control back with no key left pressed. Clipboard
# text goes A -> B when control starts and B -> A when it changes on B. The KmKey datagrams of the
# session, sent again from A and from a third computer C, are not replayed.
# Usage: swivo_two_desks_test.sh DESK.exe SCRIPTS-DIR WINE-ROOT PROGRAM-DIR CAPTURE.py PROBE.exe
set -u
desk=$1 scripts=$2 root=$3 program_dir=$4 capture=$5 corvane_probe=$6
computers=$scripts/computers
[ "$(id -u)" -eq 0 ] || { echo "FAIL: namespaces, displays and packet capture need root"; exit 1; }
for tool in xdotool xclip Xvfb; do
  command -v $tool >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps)"; exit 1; }
done
mkdir -p "$root" && root=$(cd "$root" && pwd)
tree=$(echo -n "$root" | cksum | cut -c1-6)
a=sf-$tree-a b=sf-$tree-b c=sf-$tree-c
net=236 km_port=33334
ip_a=192.168.$net.1 ip_b=192.168.$net.2
work=$(mktemp -d /tmp/sf-desks.XXXXXX)
xvfb_pids=() bg_pids=()

cleanup() {
  local pid
  for pid in "${bg_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for name in "$a" "$b" "$c"; do "$computers" stop "$name" "$root"; done
  "$computers" down "$a" "$b" "$c"
  for pid in "${xvfb_pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
fail() {
  echo "FAIL: $*"
  for f in "$work"/*.log; do echo "--- $(basename "$f"):"; tail -n 40 "$f"; done
  # SWIVO_KEEP=SECONDS keeps the computers for a look before they go.
  [ -n "${SWIVO_KEEP:-}" ] && { echo "kept: $work"; sleep "$SWIVO_KEEP"; }
  exit 1
}
# start_display NAME: an Xvfb of the computer's own; its DISPLAY in $display.
start_display() {
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$work/$1.display" >"$work/xvfb-$1.txt" 2>&1 </dev/null &
  xvfb_pids+=($!)
  for _ in $(seq 100); do [ -s "$work/$1.display" ] && break; sleep 0.1; done
  [ -s "$work/$1.display" ] || fail "no Xvfb for $1"
  display=":$(head -n1 "$work/$1.display")"
}
# on NAME DISPLAY PROG ARGS...: a Windows program in computer NAME on that display.
on() {
  local name=$1 display=$2; shift 2
  # shellcheck disable=SC2016
  DISPLAY=$display ip netns exec "$name" bash -c '
    . "$1/wine-env"
    wine_env_setup "$2" "$2/prefix-$3" || exit 125
    shift 3
    set -o pipefail
    wine "$@" 2>&1 | stdbuf -oL tr -d "\r"
  ' on "$scripts" "$root" "$name" "$@"
}
# install NAME ADDRESS: the program folder in NAME's prefix with the files of an installation.
install() {
  local folder="$root/prefix-$1/drive_c/Program Files/Corvane"
  # The prefixes outlive a run: keys and lists of an earlier one would open the pairing dialog
  # already paired.
  rm -rf "$folder"
  mkdir -p "$folder" && cp -a "$program_dir/." "$folder/" || fail "cannot install into $1"
  printf 'QVX_VER=1\r\n{00000002-0000-0000-0000-4E6574446576}\r\neth0\r\n' >"$folder/DrvInstPhyNic.txt"
  printf 'QVX_VER=1\r\nPHYSICAL\r\n' >"$folder/DrvInstWanType.txt"
  printf 'QVX_VER=1\r\n021122334455\r\n' >"$folder/PhysicalMacAddr.txt"
  printf 'QVX_VER=1\r\n%s\r\n' "$2" >"$folder/PrivateIp.txt"
  printf 'QVX_VER=1\r\n021122334466\r\n' >"$folder/VirtualMacAddr.txt"
  for f in CloneAdaptGuidName PrivateAdaptGuidName OtherAdaptGuidName; do printf 'QVX_VER=1\r\n\r\n' >"$folder/$f.txt"; done
  echo "$folder"
}
wait_line() {  # wait_line FILE PATTERN SECONDS
  local tries=$(( $3 * 10 ))
  until grep -qE "$2" "$1" 2>/dev/null; do
    tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1; sleep 0.1
  done
}
clip_wait() {  # clip_wait DISPLAY TEXT SECONDS: the display's clipboard holds TEXT
  local tries=$(( $3 * 5 ))
  until [ "$(DISPLAY=$1 timeout 2 xclip -o -selection clipboard 2>/dev/null)" = "$2" ]; do
    tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1; sleep 0.2
  done
}
# hotkey DIGIT: Ctrl+Alt+DIGIT on A's display, the digit released while the modifiers are held.
hotkey() {
  DISPLAY=$da xdotool windowfocus --sync "$main_a" keydown ctrl keydown alt keydown "$1" sleep 0.1 keyup "$1" \
    sleep 0.1 keyup alt keyup ctrl
}
# watch_notice NAME DISPLAY TEXT LOG: looks for a notice from now on, in the background.
watch_notice() {
  on "$1" "$2" "$desk" notice "$3" 20 >"$4" 2>&1 &
  bg_pids+=($!)
  watch_pid=$!
}
# wait_main DISPLAY: until the main dialog shows and stays (the start-up's loading box, also named
# Corvane, comes and goes before it).
wait_main() {
  local w
  for _ in $(seq 300); do
    w=$(main_window "$1")
    if [ -n "$w" ]; then
      sleep 1
      [ "$(main_window "$1")" = "$w" ] && return 0
    fi
    sleep 0.3
  done
  return 1
}
. "$(dirname "$0")/my_network_lib.sh"
display_of() { if [ "$1" = "$a" ]; then echo "$da"; else echo "$db"; fi; }
# service_is STATE: B's Echoward is in that state of sc query.
service_is() { on "$b" "$db" sc query Corvane | grep -q "STATE.*$1"; }

main_window() {  # main_window DISPLAY: the X window of Corvane's main dialog (the widest so named)
  local w width
  for w in $(DISPLAY=$1 xdotool search --onlyvisible --name '^Corvane' 2>/dev/null); do
    width=$(DISPLAY=$1 xdotool getwindowgeometry --shell "$w" 2>/dev/null | sed -n 's/^WIDTH=//p')
    [ "${width:-0}" -ge 400 ] && { echo "$w"; return; }
  done
}

"$computers" down "$a" "$b" "$c" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" "$b" "$c" --net $net >/dev/null || fail "cannot make the computers"
start_display a; da=$display
start_display b; db=$display
( . "$scripts/wine-env"; export WINEDEBUG=-all WINEARCH=win64 DISPLAY=$da
  wine_prefix_setup "$root" "$root/prefix-$a" && wine_prefix_setup "$root" "$root/prefix-$b" ) || fail "no prefixes"
fa=$(install "$a" $ip_a) && fb=$(install "$b" $ip_b) || exit 1
printf 'QVX_VER=1\r\nENABLED\r\n' >"$fb/EchowardSetting.txt"

on "$a" "$da" 'C:\Program Files\Corvane\Corvane.exe' >"$work/corvane-a.log" 2>&1 &
bg_pids+=($!)
on "$b" "$db" 'C:\Program Files\Corvane\Corvane.exe' >"$work/corvane-b.log" 2>&1 &
bg_pids+=($!)
for side in a b; do
  d=$da; [ $side = b ] && d=$db
  wait_main "$d" || fail "Corvane's main window did not show on $side"
done
# Both engines listen on their private address.
for name in "$a" "$b"; do
  for _ in $(seq 100); do ip netns exec "$name" ss -uln | grep -q ":$km_port" && break; sleep 0.2; done
  ip netns exec "$name" ss -uln | grep -q ":$km_port" || fail "no UDP service on $name"
done

# A scan lists B through its Echoward; the pairing needs B linked. The service stops after it, so
# that only Corvane.exe on B takes part in what follows. (An earlier run's prefix has it
# installed already: what counts is that it runs.)
on "$b" "$db" 'C:\Program Files\Corvane\Service\64\Echoward.exe' /install >"$work/echoward.log" 2>&1
on "$b" "$db" sc start Corvane >>"$work/echoward.log" 2>&1
for _ in $(seq 60); do service_is RUNNING && break; sleep 0.3; done
service_is RUNNING || fail "B's Echoward does not run"
scan_with_a_real_click
until_rows 30 "|$ip_b|Yes|" >/dev/null || fail "the scan did not list B as linked"
pair_a_with_b
on "$b" "$db" sc stop Corvane >>"$work/echoward.log" 2>&1
for _ in $(seq 60); do service_is STOPPED && break; sleep 0.3; done
service_is STOPPED || fail "B's Echoward does not stop"

# B: the recording window in front, the pointer over it, and the capture of what arrives.
on "$b" "$db" "$desk" record 120 >"$work/recorder-b.log" 2>&1 &
bg_pids+=($!)
wait_line "$work/recorder-b.log" '^ready' 60 || fail "the recorder did not start"
rec=$(DISPLAY=$db xdotool search --name 'Swivo recorder' | head -n1)
[ -n "$rec" ] && DISPLAY=$db xdotool windowfocus --sync "$rec" mousemove --window "$rec" 300 200 \
  || fail "cannot focus the recorder"

# A's clipboard before control starts travels to B when B connects.
echo -n "from A $$" | DISPLAY=$da xclip -selection clipboard -i
main_a=$(main_window "$da")
DISPLAY=$da xdotool windowfocus --sync "$main_a" mousemove --window "$main_a" 150 150 || fail "cannot focus A"
# The notices show for a second or two: their watchers start first.
watch_notice "$a" "$da" 'Switch Swivo' "$work/notice-a.log"; watch_a=$watch_pid
watch_notice "$b" "$db" 'Connected' "$work/notice-b.log"; watch_b=$watch_pid
wait_line "$work/notice-a.log" 'watching' 60 && wait_line "$work/notice-b.log" 'watching' 60 || fail "no notice watchers"
hotkey 1
wait "$watch_a" || fail "no switch notice on A"
wait "$watch_b" || fail "no connection notice on B"
clip_wait "$db" "from A $$" 10 || fail "A's clipboard did not arrive on B"

ip netns exec "$b" python3 "$capture" capture eth0 $km_port 300 "$work/captured.txt" >"$work/capture.log" 2>&1 &
bg_pids+=($!)
capture_pid=$!
wait_line "$work/capture.log" '^capturing' 60 || fail "the capture on B did not start"
DISPLAY=$da xdotool windowfocus --sync "$main_a" type --delay 80 'swivo'
for scan in 0x1f 0x11 0x17 0x2f 0x18; do
  wait_line "$work/recorder-b.log" "^down $scan\$" 10 || fail "key $scan typed on A did not arrive on B"
done
moves_before=$(grep -c '^move' "$work/recorder-b.log")
DISPLAY=$da xdotool mousemove --window "$main_a" 200 190 mousemove --window "$main_a" 260 230
for _ in $(seq 50); do [ "$(grep -c '^move' "$work/recorder-b.log")" -gt "$moves_before" ] && break; sleep 0.1; done
[ "$(grep -c '^move' "$work/recorder-b.log")" -gt "$moves_before" ] || fail "the mouse move on A did not move B's pointer"

# B's clipboard changes travel to A.
echo -n "from B $$" | DISPLAY=$db xclip -selection clipboard -i
clip_wait "$da" "from B $$" 10 || fail "B's clipboard did not arrive on A"

# The session's KmKey datagrams again, from A's address and from C's: nothing more is typed.
sleep 1
# The capture ends first, or it would take in what is played again.
kill "$capture_pid"; wait "$capture_pid" 2>/dev/null
[ -s "$work/captured.txt" ] || fail "no KmKey was captured on B"
lines_before=$(grep -cE '^(down|up) ' "$work/recorder-b.log")
ip netns exec "$a" python3 "$capture" send 192.168.$net.2 $km_port "$work/captured.txt"
ip netns exec "$c" python3 "$capture" send 192.168.$net.2 $km_port "$work/captured.txt"
sleep 2
[ "$(grep -cE '^(down|up) ' "$work/recorder-b.log")" -eq "$lines_before" ] \
  || fail "a KmKey played again was replayed"

# The return: the same hotkey; no key stays pressed on either side.
watch_notice "$a" "$da" 'Return' "$work/return-a.log"; watch_a=$watch_pid
wait_line "$work/return-a.log" 'watching' 60 || fail "no notice watcher"
hotkey 1
wait "$watch_a" || fail "no return notice on A"
sleep 1
on "$b" "$db" "$desk" pressed >"$work/pressed-b.log"
on "$a" "$da" "$desk" pressed >"$work/pressed-a.log"
grep -qx none "$work/pressed-b.log" || fail "keys left pressed on B: $(tr '\n' ' ' <"$work/pressed-b.log")"
grep -qx none "$work/pressed-a.log" || fail "keys left pressed on A: $(tr '\n' ' ' <"$work/pressed-a.log")"
DISPLAY=$da xdotool windowfocus --sync "$main_a" type 'x'
sleep 1
! grep -qx 'down 0x2d' "$work/recorder-b.log" || fail "a key typed on A after the return still reached B"
echo "captured $(wc -l <"$work/captured.txt") KmKey datagrams; recorder lines: $(wc -l <"$work/recorder-b.log")"
echo "PASS"

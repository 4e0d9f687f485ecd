# Shared by the system tests of Corvane.exe: a prefix of the test's own (own wineserver) with the
# program folder installed under "C:\Program Files\Corvane", and helpers to run Corvane and the probe.
# Source it from a script called as: SCRIPT PROBE.exe SCRIPTS-DIR WINE-ROOT PROGRAM-DIR
probe_exe=$1 scripts=$2 root=$3 program_dir=$4
test_name=$(basename "$0" _test.sh)
work=$(mktemp -d /tmp/cvc-corvane.XXXXXX)
log=$work/test.log
background_pids=()
corvane_exe='C:\Program Files\Corvane\Corvane.exe'

fail() {
  echo "FAIL: $*"
  echo "--- log:"; cat "$log" 2>/dev/null
  exit 1
}

cleanup_corvane_test() {
  local pid
  for pid in "${background_pids[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  rm -rf "$work"
}

# prepare_prefix: a fresh prefix for this test, the program folder in it.
prepare_prefix() {
  export WINEPREFIX_OVERRIDE="$root/prefix-$test_name"
  [ -d "$WINEPREFIX_OVERRIDE" ] && WINEPREFIX="$WINEPREFIX_OVERRIDE" wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX_OVERRIDE"
  # shellcheck source=../../scripts/wine-env
  . "$scripts/wine-env"
  wine_env_setup "$root" "$WINEPREFIX_OVERRIDE" || fail "no Wine prefix"
  folder="$WINEPREFIX/drive_c/Program Files/Corvane"
  mkdir -p "$folder"
  cp -a "$program_dir/." "$folder/"
  [ -f "$folder/Corvane.exe" ] || fail "the program folder has no Corvane.exe"
}

# corvane ARGS...: Corvane.exe in the prefix, its output to the log; the exit code is Corvane's.
corvane() { wine "$corvane_exe" "$@" >>"$log" 2>&1; }
# corvane_bg ARGS...: the same in the background; its pid in $!.
corvane_bg() {
  wine "$corvane_exe" "$@" >>"$log" 2>&1 &
  background_pids+=($!)
}
# probe ARGS...: the probe's output (LF line ends).
probe() { wine "$probe_exe" "$@" 2>>"$log" | tr -d '\r'; }
# probe_bg ARGS... >FILE: the probe in the background, unbuffered (CR LF line ends); its pid in $!.
probe_bg() {
  wine "$probe_exe" "$@" 2>>"$log" &
  background_pids+=($!)
}

now_ms() { date +%s%3N; }
# wait_pid PID SECONDS: until the process ends; its exit code in $waited_rc. False on time-out.
wait_pid() {
  local deadline=$(( $(now_ms) + $2 * 1000 ))
  while kill -0 "$1" 2>/dev/null; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
  wait "$1"; waited_rc=$?
  return 0
}

# Shared by the service's system tests: a computer with Echoward's program folder in its prefix.
# Source it after computers_test_lib.sh from a script called as
#   SCRIPT ECHOWARD.exe COMPUTERS-SCRIPT WINE-ROOT SC.exe SIGNAL.exe CHECK.py
echoward=$probe sc_tool=$4 signal_tool=$5 check=$6
program_folder='C:\Program Files\Corvane'
service_exe="$program_folder\\Service\\64\\Echoward.exe"

# win NAME PROGRAM ARGS...: a Windows program in computer NAME.
win() { local name=$1; shift; "$computers" wine "$name" "$root" "$@"; }

# echoward_rc NAME ARGS...: Echoward's Win32 exit code, through a batch file (Linux exit codes
# keep only the low 8 bits); its output goes to the log.
echoward_rc() {
  local name=$1; shift
  win "$name" cmd /c 'C:\echoward-rc.bat' "$@" | tee -a "$log" | sed -n 's/^rc=//p' | tail -n1
}

# prepare_computer NAME PRIVATE-IP: a fresh prefix with the program folder, the settings files of
# an installation that gives eth0 the private address, and the stand-in sc.exe.
prepare_computer() {
  local name=$1 ip=$2 prefix="$root/prefix-$1"
  "$computers" stop "$name" "$root"
  rm -rf "$prefix"
  win "$name" cmd /c exit >/dev/null 2>&1
  local folder="$prefix/drive_c/Program Files/Corvane"
  mkdir -p "$folder/Service/64"
  cp "$echoward" "$folder/Service/64/Echoward.exe"
  local index mac
  index=$("$computers" exec "$name" cat /sys/class/net/eth0/ifindex)
  mac=$("$computers" exec "$name" cat /sys/class/net/eth0/address | tr -d ':' | tr a-f A-F)
  printf 'QVX_VER=1\r\n%s\r\n' "$ip" >"$folder/PrivateIp.txt"
  printf 'QVX_VER=1\r\n{%08X-0000-0000-0000-4E6574446576}\r\neth0\r\n' "$index" >"$folder/DrvInstPhyNic.txt"
  printf 'QVX_VER=1\r\n%s\r\n' "$mac" >"$folder/PhysicalMacAddr.txt"
  printf 'QVX_VER=1\r\nENABLED\r\n' >"$folder/EchowardSetting.txt"
  printf '@"%s" %%*\r\n@echo rc=%%ERRORLEVEL%%\r\n' "$service_exe" >"$prefix/drive_c/echoward-rc.bat"
  cp "$sc_tool" "$prefix/drive_c/windows/system32/sc.exe"
  cp "$signal_tool" "$prefix/drive_c/windows/system32/signal_event.exe"
  # Wine prefers its builtin sc.exe, which lacks config, pause and continue.
  win "$name" reg add 'HKCU\Software\Wine\DllOverrides' /v sc.exe /d native /f >/dev/null
  echo "$mac"
}

# What the service sends about its computer: the name Wine gives it and the registry's CPU name.
computer_name() { hostname | cut -d. -f1 | tr a-z A-Z | cut -c1-15; }
cpu_name() {
  win "$1" reg query 'HKLM\HARDWARE\DESCRIPTION\System\CentralProcessor\0' /v ProcessorNameString |
    sed -n 's/^ *ProcessorNameString *REG_SZ *//p' | sed 's/^ *//; s/ *$//' | head -n1
}

# service_state NAME: the state word sc query prints.
service_state() { win "$1" sc.exe query Corvane | awk '/STATE/ {print $4}'; }
# wait_state NAME STATE SECONDS
wait_state() {
  local deadline=$(( $(date +%s) + $3 ))
  while [ "$(service_state "$1")" != "$2" ]; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.3
  done
}
# check NAME ARGS...: the scan check run in computer NAME.
check() { local name=$1; shift; "$computers" exec "$name" python3 "$check" "$@" | tee -a "$log"; return "${PIPESTATUS[0]}"; }
# retry_check NAME SECONDS ARGS...: until the check passes.
retry_check() {
  local name=$1 deadline=$(( $(date +%s) + $2 )); shift 2
  until check "$name" "$@" >/dev/null; do
    [ "$(date +%s)" -lt "$deadline" ] || { check "$name" "$@"; return 1; }
    sleep 0.3
  done
}
# sc_rc NAME ARGS...: the stand-in sc.exe's Win32 exit code, through cmd (its output goes to the log).
sc_rc() {
  local name=$1; shift
  win "$name" cmd /c "sc.exe $* & echo rc=%ERRORLEVEL%" | tee -a "$log" | sed -n 's/^rc=//p' | tail -n1
}

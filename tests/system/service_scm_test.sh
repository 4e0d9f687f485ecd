#!/usr/bin/env bash
# Echoward under Wine's service control manager in a computer of its own: installed with its own
# "/install", configured, started, paused, continued and stopped through sc.exe, answering scan
# and alive requests from another process, switched off and on by its named events, removed again.
# Usage: service_scm_test.sh ECHOWARD.exe COMPUTERS-SCRIPT WINE-ROOT SC.exe SIGNAL.exe CHECK.py
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/service_test_lib.sh"
a=cvc-$tree-sva
net=232
ip=192.168.$net.1 peer=192.168.$net.50

cleanup() { remove_computers "$a"; }
"$computers" down "$a" >/dev/null 2>&1
trap cleanup EXIT
"$computers" up "$a" --net $net >/dev/null || fail "cannot make the computer"
# The requests come from a second address of the same computer: the service ignores scans from its own.
"$computers" exec "$a" ip addr add $peer/24 dev eth0 || fail "cannot add the requester's address"
mac=$(prepare_computer "$a" "$ip" | tail -n1)
name=$(computer_name) cpu=$(cpu_name "$a")
echo "computer $name, CPU '$cpu', MAC $mac"

rc=$(echoward_rc "$a" /install)
[ "$rc" = 0 ] || fail "/install exit code $rc"
win "$a" reg query 'HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application' /v Sources | tee -a "$log" |
  grep -q 'Corvane Scan Response Service' || fail "the event source is not in the Application log's Sources"
win "$a" reg query 'HKLM\SYSTEM\CurrentControlSet\Services\Corvane' /v Description | grep -q 'Corvane Scan Response Service' ||
  fail "no description"

rc=$(echoward_rc "$a" /install)
[ "$rc" = 1073 ] || fail "a second /install exit code $rc, not 1073"
grep -q '^CNTService::Install, Failed call to CreateService, Error:1073, ' "$log" || fail "the second /install's text"

# sc.exe as the real one speaks: the start types as qc names them, delayed automatic start kept.
start_type() { win "$a" sc.exe qc Corvane | tee -a "$log" | sed -n 's/^ *START_TYPE *: //p'; }
for start in "demand:3   DEMAND_START" "delayed-auto:2   AUTO_START  (DELAYED)" "disabled:4   DISABLED" \
             "auto:2   AUTO_START"; do
  win "$a" sc.exe config Corvane start= "${start%%:*}" | tee -a "$log" | grep -q SUCCESS ||
    fail "sc config start= ${start%%:*}"
  [ "$(start_type)" = "${start#*:}" ] || fail "after start= ${start%%:*} qc says '$(start_type)', not '${start#*:}'"
done
rc=$(sc_rc "$a" config Corvane)
[ "$rc" = 1639 ] || fail "sc config without options exit code $rc, not 1639"
grep -q '^USAGE:' "$log" || fail "sc config without options prints no usage"
rc=$(sc_rc "$a" qc CorvaneNoSuchService)
[ "$rc" = 1060 ] || fail "sc qc of an unknown service exit code $rc, not 1060"
rc=$(sc_rc "$a" frobnicate Corvane)
[ "$rc" = 1639 ] || fail "sc with an unknown command exit code $rc, not 1639"
# Dependencies one a line; a display name outside Latin-1 comes through a pipe whole.
win "$a" sc.exe create CorvaneDeps binPath= 'C:\windows\system32\cmd.exe' depend= RpcSs/Eventlog \
  DisplayName= "Corvane Ω Deps" >>"$log" || fail "sc create with dependencies"
qc=$(win "$a" sc.exe qc CorvaneDeps)
echo "$qc" >>"$log"
echo "$qc" | grep -q '^        DEPENDENCIES       : RpcSs$' || fail "the first dependency's line"
echo "$qc" | grep -q '^                           : Eventlog$' || fail "the second dependency's line"
echo "$qc" | LC_ALL=C grep -qa '^        DISPLAY_NAME       : Corvane [^?] Deps$' ||
  fail "the display name outside Latin-1 did not come through whole"
win "$a" sc.exe delete CorvaneDeps >>"$log" || fail "sc delete"

win "$a" sc.exe start Corvane | tee "$work/start.out" >>"$log" || fail "sc start"
grep -q '^        PID                : [1-9]' "$work/start.out" || fail "sc start prints no PID"
grep -q '^        FLAGS              :' "$work/start.out" || fail "sc start prints no FLAGS"
wait_state "$a" RUNNING 20 || fail "the service does not run"
echo "RUNNING"
win "$a" sc.exe queryex Corvane | tee "$work/queryex.out" >>"$log"
pid=$(sed -n 's/^        PID                : //p' "$work/queryex.out")
[ "$pid" = "$(sed -n 's/^        PID                : //p' "$work/start.out")" ] || fail "queryex's PID is not start's"
grep -q '^        FLAGS              :' "$work/queryex.out" || fail "sc queryex prints no FLAGS"
win "$a" sc.exe query | grep -A1 '^SERVICE_NAME: Corvane$' | grep -q '^DISPLAY_NAME: Corvane Scan Response Service$' ||
  fail "sc query without a name does not list the running service"
retry_check "$a" 20 $peer $ip 33333 33334 scan "$name" "$cpu" "$mac" 5 || fail "no scan reply"
check "$a" $peer $ip 33333 33334 alive || fail "no alive reply"

win "$a" signal_event.exe 'Global\Lanvex_1cda839b' || fail "cannot signal the off event"
sleep 0.5
check "$a" $peer $ip 33333 33334 silent || fail "replies after the off event"
win "$a" signal_event.exe 'Global\Lanvex_1cda839a' || fail "cannot signal the on event"
retry_check "$a" 5 $peer $ip 33333 33334 alive || fail "no reply after the on event"

win "$a" sc.exe pause Corvane >>"$log" || fail "sc pause"
wait_state "$a" PAUSED 5 || fail "the service does not pause"
check "$a" $peer $ip 33333 33334 alive || fail "a paused service still answers"
win "$a" sc.exe continue Corvane >>"$log" || fail "sc continue"
wait_state "$a" RUNNING 5 || fail "the service does not continue"
win "$a" sc.exe interrogate Corvane | grep -q RUNNING || fail "sc interrogate"
echo "paused and continued"

win "$a" sc.exe stop Corvane >>"$log" || fail "sc stop"
wait_state "$a" STOPPED 15 || fail "the service does not stop"
echo "STOPPED"
win "$a" sc.exe query | grep -q '^SERVICE_NAME: Corvane$' && fail "sc query lists a stopped service among the active"
win "$a" sc.exe query state= all | grep -q '^SERVICE_NAME: Corvane$' || fail "sc query state= all does not list it"
check "$a" $peer $ip 33333 33334 silent || fail "replies after the stop"

# The command line's own control requests, with their exit codes. A pause is reported by the run
# loop within a second, so a time-out of 0, which queries once, gives up with the pause's text.
rc=$(echoward_rc "$a" -start)
[ "$rc" = 0 ] || fail "-start exit code $rc"
rc=$(echoward_rc "$a" -pause /T:0)
[ "$rc" = 1460 ] || fail "-pause /T:0 exit code $rc, not 1460"
grep -q '^Failed to pause the service, Error:1460, ' "$log" || fail "the failure text of -pause /T:0"
wait_state "$a" PAUSED 5 || fail "the service does not pause after -pause /T:0"
rc=$(echoward_rc "$a" -continue)
[ "$rc" = 0 ] || fail "-continue exit code $rc"
# A stop is reported within a second too: with a time-out of 0 it fails, and "-silent" keeps its
# text from being printed.
out=$(win "$a" cmd /c 'C:\echoward-rc.bat' -stop -silent /T:0)
echo "$out" >>"$log"
[ "$out" = "rc=1460" ] || fail "-stop -silent /T:0 gave: $out"
wait_state "$a" STOPPED 15 || fail "the service does not stop after -stop -silent /T:0"

rc=$(echoward_rc "$a" /uninstall)
[ "$rc" = 0 ] || fail "/uninstall exit code $rc"
win "$a" sc.exe query Corvane >/dev/null && fail "the service is still there"
win "$a" reg query 'HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application' /v Sources | grep -q 'Corvane' &&
  fail "the Sources list still names the service"
rc=$(echoward_rc "$a" /uninstall)
[ "$rc" = 1060 ] || fail "/uninstall of a removed service exit code $rc, not 1060"

# Without a switch, from a console, the program is no service: 1063 and not a word.
out=$(win "$a" cmd /c 'C:\echoward-rc.bat')
[ "$out" = "rc=1063" ] || fail "a run without a switch gave: $out"

# Installed under another name, the service finds that name again from its command line.
rc=$(echoward_rc "$a" /install "/SN:CorvaneOther")
[ "$rc" = 0 ] || fail "/install /SN: exit code $rc"
win "$a" sc.exe qc CorvaneOther | tee -a "$log" | grep -q 'BINARY_PATH_NAME *: .*Echoward.exe" "/SN:CorvaneOther"$' ||
  fail "the installed command line does not end with the quoted name switch"
win "$a" sc.exe qc CorvaneOther | grep -q 'START_TYPE *: 3' || fail "without /auto the start is not on demand"
rc=$(echoward_rc "$a" /uninstall "/SN:CorvaneOther")
[ "$rc" = 0 ] || fail "/uninstall /SN: exit code $rc"

# The console mode: the same work until Ctrl-C, which ends it with exit code 0.
( win "$a" "$service_exe" -debug >"$work/debug.log" 2>&1; echo "exit $?" >>"$work/debug.log" ) &
retry_check "$a" 20 $peer $ip 33333 33334 alive || fail "no reply in console mode"
pid=
for p in $(ip netns pids "$a"); do
  tr '\0' '\n' <"/proc/$p/cmdline" 2>/dev/null | head -n1 | grep -q 'Echoward.exe$' && pid=$p
done
[ -n "$pid" ] || fail "cannot find the console run's process"
kill -INT "$pid"
for _ in $(seq 100); do grep -q '^exit' "$work/debug.log" && break; sleep 0.1; done
grep -qx 'exit 0' "$work/debug.log" || fail "Ctrl-C did not end the console run with 0: $(cat "$work/debug.log")"
check "$a" $peer $ip 33333 33334 silent || fail "replies after Ctrl-C"
echo "PASS"

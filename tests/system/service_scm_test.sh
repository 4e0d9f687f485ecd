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

win "$a" sc.exe config Corvane start= auto | tee -a "$log" | grep -q SUCCESS || fail "sc config"
win "$a" sc.exe qc Corvane | grep -q 'START_TYPE *: 2' || fail "the start type is not automatic"

win "$a" sc.exe start Corvane >>"$log" || fail "sc start"
wait_state "$a" RUNNING 20 || fail "the service does not run"
echo "RUNNING"
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
out=$(win "$a" cmd /c 'C:\echoward-rc.bat' -stop -silent /T:0 | tr -d '\r')
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

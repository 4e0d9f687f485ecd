#!/usr/bin/env bash
# Echoward's responder and a plain one, served by responder_benchmark.exe under Wine and measured
# from outside Wine by responder_benchmark_client.py, on loopback, in one run.
# Usage: tests/service/responder_benchmark.sh [BUILD] [FLOOD-SECONDS] [SAMPLES]
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build} seconds=${2:-3} samples=${3:-2000}
port=$((37000 + $$ % 500 * 4))
log=$(mktemp)
"$top/scripts/wine-run" --root "$build/wine" "$build/tests/service/responder_benchmark.exe" --serve \
  $((seconds * 2 + 60)) $port </dev/null >"$log" 2>&1 &
server=$!
# The client waits until both answer.
python3 "$top/tests/service/responder_benchmark_client.py" 127.0.0.1 $port "$seconds" "$samples"
rc=$?
[ $rc = 0 ] || cat "$log"
kill $server 2>/dev/null
wait $server 2>/dev/null
rm -f "$log"
exit $rc

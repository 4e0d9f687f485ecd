#!/usr/bin/env bash
# Benchmark (not a test): wall time of a DHCP installation with two virtual adapters and of its
# removal in a computer of its own, step by step from the progress texts (each step lasts from its
# text to the next one; a step's time holds the work that follows its text), ROUNDS times.
# Usage: virtual_adapters_benchmark.sh PROBE.exe COMPUTERS-SCRIPT WINE-ROOT PROGRAM-FOLDER TOOLS-FOLDER INSTALL-SCRIPT [ROUNDS]
set -u
. "$(dirname "$0")/computers_test_lib.sh"
. "$(dirname "$0")/virtual_adapters_lib.sh"
rounds=${7:-1}
a=va-$tree-bench-a b=va-$tree-bench-b
cleanup() { remove_computers "$a" "$b"; }
trap cleanup EXIT
make_computers 241

# steps FILE: "milliseconds  text" per step, then the total of the sequence.
steps() {
  tr -d '\r' <"$1" | awk '
    /^progress / { t = $2; $1 = ""; $2 = ""; sub(/^  /, ""); if (n) printf "%8d ms  %s\n", t - last, text; else printf "%8d ms  (before the first text)\n", t; last = t; text = $0; n++ }
    /^done / { if (n) printf "%8d ms  %s\n", $3 - last, text; printf "%8d ms  total (done %s)\n", $3, $2 }'
}

for ((round = 1; round <= rounds; round++)); do
  start=$(date +%s%N)
  run_install 0 2 || fail "the installation did not end done"
  install_wall=$(( ($(date +%s%N) - start) / 1000000 ))
  start=$(date +%s%N)
  run_remove || fail "the removal did not end done"
  remove_wall=$(( ($(date +%s%N) - start) / 1000000 ))
  echo "== round $round: DHCP installation with N = 2 (${install_wall} ms with Wine's start and exit)"
  steps "$work/install.$((runs - 1))"
  echo "== round $round: removal (${remove_wall} ms with Wine's start and exit)"
  steps "$work/remove.$runs"
done

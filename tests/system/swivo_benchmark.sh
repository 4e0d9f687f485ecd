#!/usr/bin/env bash
# Swivo between two namespace computers, measured (a benchmark, not a test): the latency from a
# KmKey sent on A to the key arriving in the window in front on B (median and 99th percentile),
# the input messages per second B's UDP service replays, and the clipboard transfer rate.
# Usage: swivo_benchmark.sh BENCHMARK.exe SCRIPTS-DIR WINE-ROOT [KEYS] [BURST]   (needs root)
set -u
bench=$1 scripts=$2 root=$3 keys=${4:-1000} burst=${5:-20000}
computers=$scripts/computers
[ "$(id -u)" -eq 0 ] || { echo "needs root (network namespaces)"; exit 1; }
tree=$(echo -n "$root" | cksum | cut -c1-6)
a=sw-$tree-ba b=sw-$tree-bb net=237
work=$(mktemp -d /tmp/sw-bench.XXXXXX)
cleanup() {
  for name in "$a" "$b"; do "$computers" stop "$name" "$root"; done
  "$computers" down "$a" "$b"
  rm -rf "$work"
}
trap cleanup EXIT
"$computers" up "$a" "$b" --net $net >/dev/null || { echo "cannot make the computers"; exit 1; }
"$computers" wine "$b" "$root" "$bench" receiver 192.168.$net.2 33334 33335 >"$work/receiver.txt" 2>&1 &
receiver=$!
for _ in $(seq 600); do grep -q '^ready' "$work/receiver.txt" && break; sleep 0.2; done
grep -q '^ready' "$work/receiver.txt" || { echo "the receiver did not start"; cat "$work/receiver.txt"; exit 1; }
"$computers" wine "$a" "$root" "$bench" sender 192.168.$net.2 33334 33335 "$keys" "$burst" >"$work/sender.txt" 2>&1
wait "$receiver"
python3 - "$work/sender.txt" "$work/receiver.txt" <<'PY'
import statistics, sys
sent = {}; got = {}; clip_start = []; clip_end = []; replay = None; burst = None
for line in open(sys.argv[1]):
    f = line.split()
    if f[:1] == ["sent"]: sent[int(f[1])] = int(f[2])
    if f[:1] == ["clipboard-start"]: clip_start.append((int(f[1]), int(f[2]), f[4] + ", " + f[3] + " bytes out"))
    if f[:1] == ["burst"]: burst = (int(f[1]), int(f[4]))
for line in open(sys.argv[2]):
    f = line.split()
    if f[:1] == ["key"]: got[int(f[1])] = int(f[2])
    if f[:1] == ["replayed"]: replay = (int(f[1]), int(f[3]))
    if f[:1] == ["clipboard"]: clip_end.append((int(f[1]), int(f[2]), f[3]))
lat = sorted(got[i] - sent[i] for i in got if i in sent)
if lat:
    p99 = lat[min(len(lat) - 1, int(len(lat) * 0.99))]
    print(f"key latency over {len(lat)} of {len(sent)} keys: median {statistics.median(lat)/1000:.2f} ms, p99 {p99/1000:.2f} ms")
if burst: print(f"burst of {burst[0]} mouse words sent in {burst[1]/1000:.1f} ms")
if replay and replay[1] > 0: print(f"replayed {replay[0]} input messages in {replay[1]/1000:.1f} ms: {replay[0]*1e6/replay[1]:.0f} per second")
for (size, start, state), (got_size, end, how) in zip(clip_start, clip_end):
    secs = (end - start) / 1e6
    print(f"clipboard {size/1048576:.1f} MiB ({state}, {how}, {got_size} bytes on B): {secs*1000:.0f} ms, {size/1048576/secs:.1f} MiB/s")
PY

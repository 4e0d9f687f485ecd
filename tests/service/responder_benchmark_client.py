#!/usr/bin/env python3
"""The client side of responder_benchmark --serve, outside Wine: for each responder the latency of
one scan request at a time (median, 99th percentile) and the replies per second under a flood
from a process of its own.

usage: responder_benchmark_client.py HOST PORT FLOOD-SECONDS SAMPLES
  Echoward on PORT (replies to PORT+1), the plain responder on PORT+2 (replies to PORT+3).
"""
import os
import select
import socket
import sys
import time

REQUEST = bytes([0, 2, 0, 0])


def measure(host, scan_port, km_port, flood_seconds, samples):
    listener = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 1 << 22)
    # The server takes one reply itself on Echoward's KmPort before it serves.
    deadline = time.time() + 60
    while True:
        try:
            listener.bind((host, km_port))
            break
        except OSError:
            if time.time() > deadline:
                raise
            time.sleep(0.2)
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sender.bind((host, 0))

    def drain(wait):
        while select.select([listener], [], [], wait)[0]:
            listener.recv(512)

    # Until it answers (Wine starts, the responder binds).
    deadline = time.time() + 60
    while time.time() < deadline:
        sender.sendto(REQUEST, (host, scan_port))
        if select.select([listener], [], [], 0.2)[0]:
            break
    else:
        return None
    drain(0.3)

    latencies = []
    for _ in range(samples):
        start = time.perf_counter()
        sender.sendto(REQUEST, (host, scan_port))
        if select.select([listener], [], [], 1.0)[0]:
            listener.recv(512)
            latencies.append((time.perf_counter() - start) * 1e6)
    drain(0.3)
    latencies.sort()

    flooder = os.fork()
    if flooder == 0:
        end = time.time() + flood_seconds
        sent = 0
        while time.time() < end:
            for _ in range(200):
                try:
                    sender.sendto(REQUEST, (host, scan_port))
                    sent += 1
                except OSError:
                    pass
        os._exit(min(255, sent // 1000000))
    replies = 0
    listener.settimeout(0.1)
    start = time.time()
    while time.time() - start < flood_seconds:
        try:
            listener.recv(512)
            replies += 1
        except socket.timeout:
            pass
    os.waitpid(flooder, 0)
    seconds = time.time() - start
    drain(0.5)
    listener.close()
    sender.close()
    return (f"latency over {len(latencies)} requests: median {latencies[len(latencies) // 2]:.0f} us, "
            f"99th percentile {latencies[min(len(latencies) - 1, len(latencies) * 99 // 100)]:.0f} us; "
            f"flood: {replies / seconds:.0f} replies/s")


def main():
    host, port, flood_seconds, samples = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4])
    rc = 0
    for name, scan_port in (("Echoward", port), ("plain", port + 2)):
        figures = measure(host, scan_port, scan_port + 1, flood_seconds, samples)
        print(f"{name:9s}{figures or 'does not answer'}", flush=True)
        rc = rc if figures else 1
    return rc


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Floods the service with scan requests, as a hostile or broken host would, and counts the
replies on the KmPort in 100 ms buckets of wall-clock time.

usage: service_flood.py SOURCE TARGET SCANPORT KMPORT SECONDS OUT
  Sends ScanRequests to TARGET:SCANPORT as fast as it can for at most SECONDS, or until the
  file OUT.stop appears, while it receives the replies on SOURCE:KMPORT. OUT gets one line "BUCKET-START-MS COUNT" per bucket that saw replies,
  and a last line "sent N" with the number of requests sent. Exit 0.
"""
import os
import socket
import sys
import time


def main():
    source, target, scan_port, km_port, seconds, out = sys.argv[1:7]
    scan_port, km_port, seconds = int(scan_port), int(km_port), float(seconds)
    listener = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 1 << 22)
    listener.bind((source, km_port))
    listener.settimeout(0.1)
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sender.bind((source, 0))
    deadline = time.time() + seconds
    stop_file = out + ".stop"
    request = bytes([0, 2, 0, 0])
    # The flood from a process of its own, so that the counting here never waits for it.
    sent_read, sent_write = os.pipe()
    flooder = os.fork()
    if flooder == 0:
        os.close(sent_read)
        sent, last_look = 0, 0.0
        while True:
            for _ in range(500):
                try:
                    sender.sendto(request, (target, scan_port))
                    sent += 1
                except OSError:
                    pass
            now = time.time()
            if now - last_look > 0.05:
                last_look = now
                if now >= deadline or os.path.exists(stop_file):
                    break
        os.write(sent_write, str(sent).encode())
        os._exit(0)
    os.close(sent_write)
    buckets = {}

    def count():
        bucket = int(time.time() * 10) * 100
        buckets[bucket] = buckets.get(bucket, 0) + 1

    while os.waitpid(flooder, os.WNOHANG) == (0, 0):
        try:
            listener.recv(512)
            count()
        except socket.timeout:
            pass
    # The replies still on their way.
    while True:
        try:
            listener.recv(512)
            count()
        except socket.timeout:
            break
    sent = int(os.read(sent_read, 64) or b"0")
    with open(out, "w") as file:
        for bucket in sorted(buckets):
            file.write(f"{bucket} {buckets[bucket]}\n")
        file.write(f"sent {sent}\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())

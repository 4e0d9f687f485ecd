#!/usr/bin/env python3
"""Many computers in one: answers the scans of the interactive program for COUNT addresses
(192.168.NET.FIRST on), one socket per address, as the service would, and alive queries too. The
broadcast requests arrive on one socket bound to the broadcast address (Linux gives a socket bound
to a unicast address no broadcasts); each address's own socket sends its reply. Every alive query
that arrives is logged with its time in milliseconds, one line per query.
Usage: scan_responder_crowd.py NET FIRST COUNT SCANPORT KMPORT LOG"""
import select
import socket
import struct
import sys
import time

net, first, count, scan_port, km_port = (int(v) for v in sys.argv[1:6])
log = open(sys.argv[6], "w", buffering=1)


def utf16z(text, units=None):
    data = text.encode("utf-16-le") + b"\0\0"
    return data.ljust(2 * units, b"\0") if units else data


def reply_of(index):
    payload = struct.pack(">HH", 1, 5) + utf16z("HOST%03d" % index) + utf16z("Bench CPU") + \
        utf16z("02000000%04X" % index, 13)
    return struct.pack(">H", len(payload)) + payload


senders = []
for index in range(count):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.bind(("192.168.%d.%d" % (net, first + index), scan_port))
    senders.append(s)
broadcast = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
broadcast.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
broadcast.bind(("192.168.%d.255" % net, scan_port))
replies = [reply_of(first + index) for index in range(count)]
print("listening", flush=True)
while True:
    ready, _, _ = select.select([broadcast] + senders, [], [])
    for s in ready:
        data, (source, _port) = s.recvfrom(512)
        if data == b"\x00\x02\x00\x00":
            targets = range(count) if s is broadcast else [senders.index(s)]
            for index in targets:
                senders[index].sendto(replies[index], (source, km_port))
        elif data == b"\x00\x02\x00\x02":
            if s is broadcast:
                log.write("%d\n" % int(time.time() * 1000))
            for index in (range(count) if s is broadcast else [senders.index(s)]):
                senders[index].sendto(b"\x00\x02\x00\x03", (source, km_port))

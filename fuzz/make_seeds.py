#!/usr/bin/python3
"""Writes the seed corpus of each fuzzer into fuzz/corpus/<target>/: well-formed datagrams of
every message type and a few malformed ones. Run again after a change of the message set."""
import os
import struct

from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes

HERE = os.path.dirname(os.path.abspath(__file__))


def message(kind, payload=b""):
    return struct.pack(">HH", len(payload) + 2, kind) + payload


def utf16z(text):
    return text.encode("utf-16-le") + b"\0\0"


# The fuzzers' receiver holds this session and admits controller 192.168.3.7 with this key.
SESSION_KEY = struct.pack("<QQ", 0x1234567, 0x7654321)
PAIRING_KEY = bytes.fromhex("102132435465768798a9bacbdcedfe0f")


def secure(kind, length, block):
    encrypt = Cipher(algorithms.AES(SESSION_KEY), modes.ECB()).encryptor()
    return bytes([0, length, 0, kind]) + encrypt.update(block) + encrypt.update(PAIRING_KEY)


def offer(mode):
    p1, g1, p2, g2 = 2147483647, 7, 1000000007, 5
    values = (p1, p2, g1, g2, pow(g1, 12345, p1), pow(g2, 999, p2))
    return message(12, struct.pack(">H", mode) + struct.pack("<6Q", *values))


DATAGRAMS = {
    "scan_request": message(0),
    "scan_reply": message(1, struct.pack(">H", 5) + utf16z("ABC") + utf16z("XYZ") + utf16z("00112233AABB")),
    "alive_query": message(2),
    "alive_reply": message(3),
    "km_status": secure(6, 4, struct.pack(">H", 2) + bytes(14)),
    "km_key": secure(7, 8, struct.pack(">HHHH", 1, 0x1D, 1, 500) + bytes(8)),
    "km_mouse": secure(8, 12, struct.pack(">iiHH", -120 & 0xFFFF, -3, 5, 9) + bytes(4)),
    "password_request": message(9),
    "password_delivery": message(10, bytes(range(16))),
    "exchange_start_pairing": message(11, struct.pack(">H", 0)),
    "exchange_start_control": message(11, struct.pack(">H", 1)),
    "exchange_offer_pairing": offer(0),
    "exchange_offer_control": offer(1),
    "exchange_reply": message(13, struct.pack("<2Q", 123456789, 987654)),
    "show_number": message(14, struct.pack(">H", 2)),
    "three_bytes": b"\0\2\0",
    "length_zero": b"\0\0\0\3",
}


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def run_of(*steps):
    """A run for fuzz_km_packet: (control, datagram) pairs."""
    return b"".join(bytes([control | (0x80 if len(d) > 255 else 0), len(d) & 0xFF]) + d for control, d in steps)


for name, datagram in DATAGRAMS.items():
    write("lan_framing", name, datagram)
    write("km_packet", name, run_of((0, datagram)))
write("km_packet", "pairing_run", run_of((1, DATAGRAMS["exchange_start_pairing"]), (1, DATAGRAMS["exchange_reply"]),
                                         (1, DATAGRAMS["password_request"]), (0, DATAGRAMS["password_delivery"])))
write("km_packet", "control_run", run_of((0, DATAGRAMS["exchange_start_control"]), (0, DATAGRAMS["km_status"]),
                                         (0, DATAGRAMS["km_key"]), (2, DATAGRAMS["km_key"]), (0, DATAGRAMS["km_mouse"])))
for selector in (0, 1, 3):
    write("exchange", f"offer_{selector}", bytes([selector]) + DATAGRAMS["exchange_offer_pairing"])
    write("exchange", f"reply_{selector}", bytes([selector]) + DATAGRAMS["exchange_reply"])
write("pairing_delivery", "delivery", DATAGRAMS["password_delivery"])
write("pairing_delivery", "delivery_short", message(10, bytes(4)))


def clipboard_stream(*records):
    """A ClipboardTransfer: begin marker, (format, data) records, end marker."""
    body = b"".join(struct.pack(">II", len(data) + 4, fmt) + data for fmt, data in records)
    return struct.pack(">I", 0xFFFFFFFF) + body + struct.pack(">I", 0xFFFFFFFE)


def in_pieces(capacity, stream, piece):
    """fuzz_clipboard_record input: capacity byte, then (size byte, bytes) pieces."""
    out = bytes([capacity])
    for at in range(0, len(stream), piece):
        chunk = stream[at:at + piece]
        out += bytes([len(chunk)]) + chunk
    return out


write("clipboard_record", "text", in_pieces(60, clipboard_stream((1, b"abc\0"), (13, "abc\0".encode("utf-16-le"))), 5))
write("clipboard_record", "empty", in_pieces(0, clipboard_stream(), 8))
write("clipboard_record", "two_transfers", in_pieces(20, clipboard_stream((16, b"\x09\x04\0\0")) * 2, 3))
write("clipboard_record", "too_long", in_pieces(10, struct.pack(">III", 0xFFFFFFFF, 400, 1) + b"x" * 40, 7))


def utf16_lines(*lines):
    return "\n".join(lines).encode("utf-16-le")


KEY = "00112233445566778899AABBCCDDEEFF"
write("settings_lines", "key_table", utf16_lines("7", "12," + KEY, "200,FF112233445566778899AABBCCDDEE00"))
write("settings_lines", "key_table_damaged", utf16_lines(" 7\r", "", "300," + KEY, "-1," + KEY, "5,0011", "9,a,b"))
write("settings_lines", "comp_list", utf16_lines("1,7,12,0," + KEY, "0,9,300,1," + KEY))
write("settings_lines", "comp_list_damaged",
      utf16_lines("1,7,12,0," + KEY + ",extra", "2,7,13,1," + KEY, "0,3,4", "99999999999,1,2,3," + KEY))

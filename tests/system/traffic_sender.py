#!/usr/bin/python3
"""Traffic of a known size for the traffic system test.
  traffic_sender.py receive TCP-PORT UDP-PORT SECONDS    takes what comes, prints the byte counts
  traffic_sender.py send HOST TCP-PORT TCP-BYTES UDP-PORT UDP-BYTES [HOLD-SECONDS]
                                                         HOLD-SECONDS keeps the TCP connection open
                                                         after the datagrams, so its socket is still listed
  traffic_sender.py knock HOST PORT...                   one connection attempt to each port"""
import select
import socket
import sys
import time


def receive(tcp_port, udp_port, seconds):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("0.0.0.0", tcp_port))
    listener.listen(4)
    udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    udp.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 8 << 20)
    udp.bind(("0.0.0.0", udp_port))
    streams, counts = [], {"tcp": 0, "udp": 0}
    end = time.time() + seconds
    while time.time() < end:
        ready, _, _ = select.select([listener, udp] + streams, [], [], 0.5)
        for s in ready:
            if s is listener:
                streams.append(listener.accept()[0])
            elif s is udp:
                counts["udp"] += len(udp.recv(65536))
            else:
                data = s.recv(1 << 20)
                if not data:
                    streams.remove(s)
                counts["tcp"] += len(data)
    print("received tcp %d udp %d" % (counts["tcp"], counts["udp"]), flush=True)


def send(host, tcp_port, tcp_bytes, udp_port, udp_bytes, hold=0.0):
    stream = socket.create_connection((host, tcp_port))
    block = b"t" * 65536
    left = tcp_bytes
    sent = 0
    while left:
        n = min(left, len(block))
        stream.sendall(block[:n])
        left -= n
        sent += n
        if sent % (1 << 20) == 0:
            time.sleep(0.005)  # at most about 200 MB/s, a link's pace rather than memory's
    udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    datagram = b"u" * 1000
    for i in range(udp_bytes // 1000):
        udp.sendto(datagram, (host, udp_port))
        if i % 100 == 99:
            time.sleep(0.01)  # about 10 MB/s: no datagram lost on the way
    print("sent tcp %d udp %d" % (tcp_bytes, udp_bytes), flush=True)
    time.sleep(hold)
    stream.close()


def knock(host, ports):
    for port in ports:
        s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        s.settimeout(2)
        try:
            s.connect((host, port))
        except OSError:
            pass
        s.close()


if __name__ == "__main__":
    what = sys.argv[1]
    if what == "receive":
        receive(int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4]))
    elif what == "send":
        send(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]), int(sys.argv[6]),
             float(sys.argv[7]) if len(sys.argv) > 7 else 0.0)
    else:
        knock(sys.argv[2], [int(p) for p in sys.argv[3:]])

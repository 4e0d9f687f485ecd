#!/usr/bin/env python3
"""The maker's web host for the page tests: serves ROOT's files and logs every request.

Usage: update_web_server.py ADDRESS PORT ROOT LOG

The request's path is served as it arrives, with "\\" or "/" as separators ("/LatestVer\\x.txt"
is ROOT/LatestVer/x.txt); anything else is 404 with a short body. A file with a "<name>.cut"
beside it is announced 100 bytes longer than it is and the connection is closed after its bytes:
a transfer broken off. LOG gets one line per request: the raw path, then each header as
"Name: value", separated by tabs.
"""
import http.server
import os
import sys


def make_handler(root, log_path):
    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            fields = [self.path] + ["%s: %s" % (k, v) for k, v in self.headers.items()]
            with open(log_path, "a", encoding="utf-8") as log:
                log.write("\t".join(fields) + "\n")
            parts = [p for p in self.path.replace("\\", "/").split("/") if p]
            file_path = os.path.join(root, *parts) if parts and ".." not in parts else ""
            if not file_path or not os.path.isfile(file_path):
                body = b"not found"
                self.send_response(404)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
            with open(file_path, "rb") as f:
                body = f.read()
            cut = os.path.exists(file_path + ".cut")
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body) + (100 if cut else 0)))
            self.end_headers()
            self.wfile.write(body)
            if cut:
                self.wfile.flush()
                self.close_connection = True

        def log_message(self, *args):
            pass

    return Handler


def main():
    address, port, root, log_path = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
    server = http.server.ThreadingHTTPServer((address, port), make_handler(root, log_path))
    print("serving", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

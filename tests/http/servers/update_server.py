#!/usr/bin/env python3
"""Update server for the tests, on 127.0.0.1 only.

Serves, under /update/:
  ?login=NAME             the information file: ROOT/info.bin
  ?login=NAME&file=NAME   a file: ROOT/files/NAME
  proxy_check.txt         ROOT/proxy_check.txt
A behaviour in ROOT/behaviours.json, keyed "info", "file:NAME" or
"path:/PATH", replaces the plain answer:
  {"status": 404, "body": "...", "length": 1000, "close_after": 10,
   "delay": 1.5, "drip": 0.2, "redirect": "/update/?login=x",
   "chunked": true, "echo_headers": true}
"body" is Latin-1 text (one character per byte). Every request line is
appended to ROOT/requests.log. The chosen port is printed as "PORT n".
"""
import http.server
import json
import os
import sys
import threading
import time
import urllib.parse

ROOT = sys.argv[1]
LOCK = threading.Lock()


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        pass

    def behaviour(self, key):
        data = read(os.path.join(ROOT, "behaviours.json"))
        if not data:
            return None
        return json.loads(data.decode("utf-8")).get(key)

    def answer(self, status, body, b=None):
        b = b or {}
        if b.get("echo_headers"):
            body = str(self.headers).encode("latin-1")
        if "delay" in b:
            time.sleep(float(b["delay"]))
        if "redirect" in b:
            self.send_response(302)
            self.send_header("Location", b["redirect"])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        self.send_response(int(b.get("status", status)))
        if b.get("chunked"):
            self.send_header("Transfer-Encoding", "chunked")
        else:
            self.send_header("Content-Length", str(int(b.get("length", len(body)))))
        self.send_header("Content-Type", "application/octet-stream")
        self.end_headers()
        limit = int(b.get("close_after", len(body)))
        drip = float(b.get("drip", 0))
        sent = 0
        try:
            while sent < min(limit, len(body)):
                piece = body[sent:min(limit, sent + (64 if drip else 65536))]
                if b.get("chunked"):
                    self.wfile.write(b"%x\r\n" % len(piece) + piece + b"\r\n")
                else:
                    self.wfile.write(piece)
                self.wfile.flush()
                sent += len(piece)
                if drip:
                    time.sleep(drip)
            if b.get("chunked") and limit >= len(body):
                self.wfile.write(b"0\r\n\r\n")
        except OSError:
            pass
        if limit < len(body) or "length" in b:
            self.close_connection = True

    def do_GET(self):
        with LOCK:
            with open(os.path.join(ROOT, "requests.log"), "a", encoding="latin-1") as log:
                log.write(self.path + "\n")
        parsed = urllib.parse.urlsplit(self.path)
        b = self.behaviour("path:" + parsed.path)
        if b is not None:
            return self.answer(200, b.get("body", "").encode("latin-1"), b)
        if parsed.path == "/update/proxy_check.txt":
            body = read(os.path.join(ROOT, "proxy_check.txt"))
            return self.answer(404, b"Not found") if body is None else self.answer(200, body)
        if parsed.path != "/update/":
            return self.answer(404, b"Not found")
        query = urllib.parse.parse_qs(parsed.query, keep_blank_values=True, encoding="latin-1")
        if "file" in query:
            name = query["file"][0]
            b = self.behaviour("file:" + name)
            if b is not None:
                return self.answer(200, b.get("body", "").encode("latin-1"), b)
            body = None
            if "/" not in name and name not in ("", ".", ".."):
                body = read(os.path.join(ROOT, "files", name))
            return self.answer(404, b"Not found") if body is None else self.answer(200, body)
        b = self.behaviour("info")
        if b is not None:
            return self.answer(200, b.get("body", "").encode("latin-1"), b)
        body = read(os.path.join(ROOT, "info.bin"))
        return self.answer(404, b"Not found") if body is None else self.answer(200, body)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


def main():
    server = Server(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

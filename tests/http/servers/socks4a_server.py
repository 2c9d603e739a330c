#!/usr/bin/env python3
"""A SOCKS 4 / 4a server for the tests (the packaged SOCKS servers do not
resolve 4a host names). Listens on 127.0.0.1, prints "PORT n", and connects
only to loopback destinations."""
import socket
import struct
import sys
import threading

LOOPBACK = {"127.0.0.1", "localhost", "::1"}


def pipe(src, dst):
    try:
        while True:
            data = src.recv(65536)
            if not data:
                break
            dst.sendall(data)
    except OSError:
        pass
    for s in (src, dst):
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def read_until_nul(conn):
    out = b""
    while len(out) < 512:
        c = conn.recv(1)
        if not c:
            raise OSError("closed")
        if c == b"\0":
            return out
        out += c
    raise OSError("too long")


def serve(conn):
    try:
        head = b""
        while len(head) < 8:
            piece = conn.recv(8 - len(head))
            if not piece:
                raise OSError("closed")
            head += piece
        version, command, port = struct.unpack(">BBH", head[:4])
        ip = socket.inet_ntoa(head[4:8])
        read_until_nul(conn)  # user id
        host = ip
        if ip.startswith("0.0.0.") and ip != "0.0.0.0":
            host = read_until_nul(conn).decode("latin-1")
        if version != 4 or command != 1 or host not in LOOPBACK:
            conn.sendall(b"\0\x5b" + b"\0" * 6)
            conn.close()
            return
        upstream = socket.create_connection(("127.0.0.1", port), timeout=5)
        upstream.settimeout(None)
        conn.sendall(b"\0\x5a" + b"\0" * 6)
        threading.Thread(target=pipe, args=(upstream, conn), daemon=True).start()
        pipe(conn, upstream)
    except OSError:
        try:
            conn.sendall(b"\0\x5b" + b"\0" * 6)
        except OSError:
            pass
        conn.close()


def main():
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    print("PORT %d" % listener.getsockname()[1], flush=True)
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=serve, args=(conn,), daemon=True).start()


if __name__ == "__main__":
    main()

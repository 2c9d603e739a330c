#!/usr/bin/env python3
"""Basic-authentication helper for the test squid: accepts exactly the one
user and password given on the command line."""
import sys
import urllib.parse

USER, PASSWORD = sys.argv[1], sys.argv[2]
for line in sys.stdin:
    parts = line.strip().split(" ")
    ok = len(parts) == 2 and urllib.parse.unquote(parts[0]) == USER and urllib.parse.unquote(parts[1]) == PASSWORD
    sys.stdout.write("OK\n" if ok else "ERR\n")
    sys.stdout.flush()

#!/usr/bin/env python3
"""A stand-in for the vendor's web service, for tests.

Usage: vendorserver.py STATE_DIR OPENSSL

Makes a certificate authority and a server certificate for 127.0.0.1 in STATE_DIR, then
listens on one free port of 127.0.0.1 that speaks both plain HTTP and HTTPS (a TLS client's
first byte tells them apart), so that "http://" and "https://" with the same host reach it.
When ready it prints one JSON line: {"port": N, "ca": "<STATE_DIR>/ca.pem"}.

Then it reads commands, one JSON object a line, from standard input and answers each with one
JSON line on standard output:
  {"command": "reply", "path": P, "scheme": S, "reply": R}  what to answer on path P (the part
      of the address before any "?") for scheme S ("http", "https", or "" for both; a script
      for one scheme wins over one for both). R holds any of: status (200), body (""),
      contentType ("text/html; charset=UTF-8"), encoding ("utf-8", the codec that turns the
      body into bytes), repeat (1, the body this many times over), silent (false: when true
      the request is read and recorded but never answered) and held (false: when true the
      request is read and recorded, and answered once a "release" command has come).
      Unscripted paths answer 404.
  {"command": "requests"}  every request recorded so far, oldest first: {"requests": [{scheme,
      method, path, headers: [[name, value], ...], body: base64 of the raw bytes}, ...]}
  {"command": "clear"}  forgets the recorded requests.
  {"command": "release"}  lets held requests be answered, those waiting and those still to
      come, until the next "reply" command.
The end of standard input stops the server.
"""

import base64
import http.server
import json
import os
import socket
import socketserver
import ssl
import subprocess
import sys
import threading
import urllib.parse

CERTIFICATE_CONFIG = """
[req]
distinguished_name = name
prompt = no
[name]
CN = Hushmill test authority
[authority]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[server]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = serverAuth
subjectAltName = IP:127.0.0.1, DNS:localhost
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
"""


def make_certificates(folder, openssl):
    """Returns (CA file, server certificate, server key), made anew in folder."""
    path = lambda name: os.path.join(folder, name)
    with open(path("openssl.cnf"), "w") as config:
        config.write(CERTIFICATE_CONFIG)
    new_key = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    steps = [
        ["req", "-x509", "-config", path("openssl.cnf"), "-extensions", "authority", *new_key,
         "-keyout", path("ca.key"), "-out", path("ca.pem"), "-days", "2"],
        ["req", "-new", "-config", path("openssl.cnf"), *new_key, "-subj", "/CN=127.0.0.1",
         "-keyout", path("server.key"), "-out", path("server.csr")],
        ["x509", "-req", "-in", path("server.csr"), "-CA", path("ca.pem"), "-CAkey",
         path("ca.key"), "-set_serial", "2", "-days", "2", "-extfile", path("openssl.cnf"),
         "-extensions", "server", "-out", path("server.pem")],
    ]
    for step in steps:
        subprocess.run([openssl, *step], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.PIPE)
    return path("ca.pem"), path("server.pem"), path("server.key")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        self.answer()

    def do_POST(self):
        self.answer()

    def answer(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length) if length > 0 else b""
        scheme = "https" if isinstance(self.connection, ssl.SSLSocket) else "http"
        self.server.record({
            "scheme": scheme,
            "method": self.command,
            "path": self.path,
            "headers": [[name, value] for name, value in self.headers.items()],
            "body": base64.b64encode(body).decode("ascii"),
        })
        reply = self.server.reply_for(scheme, urllib.parse.urlsplit(self.path).path)
        self.close_connection = True
        if reply.get("silent"):
            self.server.stopping.wait(120)
            return
        if reply.get("held"):
            self.server.released.wait(120)
        payload = str(reply.get("body", "")).encode(reply.get("encoding", "utf-8"))
        repeat = int(reply.get("repeat", 1))
        self.send_response(int(reply.get("status", 200)))
        self.send_header("Content-Type", reply.get("contentType", "text/html; charset=UTF-8"))
        self.send_header("Content-Length", str(len(payload) * repeat))
        self.send_header("Connection", "close")
        self.end_headers()
        for _ in range(repeat):
            self.wfile.write(payload)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

    def __init__(self, tls):
        super().__init__(("127.0.0.1", 0), Handler)
        self.tls = tls
        self.stopping = threading.Event()
        self.released = threading.Event()
        self.lock = threading.Lock()
        self.replies = {}
        self.requests = []

    def record(self, request):
        with self.lock:
            self.requests.append(request)

    def reply_for(self, scheme, path):
        with self.lock:
            return self.replies.get((scheme, path)) or self.replies.get(("", path)) or {
                "status": 404, "body": "Not Found", "contentType": "text/plain"}

    def finish_request(self, request, client_address):
        request.settimeout(30)
        try:
            if request.recv(1, socket.MSG_PEEK) == b"\x16":  # a TLS handshake record
                request = self.tls.wrap_socket(request, server_side=True)
            self.RequestHandlerClass(request, client_address, self)
        except (OSError, ValueError):
            pass  # the client gave up: a refused certificate, a time-out, a reply cut short
        finally:
            request.close()


def serve(server):
    for line in sys.stdin:
        command = json.loads(line)
        answer = {"ok": True}
        with server.lock:
            if command["command"] == "reply":
                server.replies[(command.get("scheme", ""), command["path"])] = command["reply"]
                server.released.clear()
            elif command["command"] == "requests":
                answer = {"requests": list(server.requests)}
            elif command["command"] == "clear":
                server.requests.clear()
            elif command["command"] == "release":
                server.released.set()
            else:
                answer = {"error": "unknown command " + command["command"]}
        print(json.dumps(answer), flush=True)


def main():
    folder, openssl = sys.argv[1], sys.argv[2]
    ca_file, certificate, key = make_certificates(folder, openssl)
    tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    tls.load_cert_chain(certificate, key)
    server = Server(tls)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    print(json.dumps({"port": server.server_address[1], "ca": ca_file}), flush=True)
    try:
        serve(server)
    finally:
        server.stopping.set()
        server.released.set()
        server.shutdown()
        server.server_close()


if __name__ == "__main__":
    main()

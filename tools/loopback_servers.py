#!/usr/bin/python3
"""Mail and FTP servers on loopback for tests and the demo.

    loopback_servers.py --mail-dir DIR --ftp-dir DIR [--ftp-user U] [--ftp-refuse-once NAME]

Listens on 127.0.0.1 only, each server on a free port, and prints one line
of JSON with the ports ({"smtp": N, "ftp": N}) once both accept connections.
Every mail received is stored as one file in the mail directory: the
envelope ("MAIL FROM: ...", one "RCPT TO: ..." per recipient), an empty line
and the message's bytes as received. FTP uploads land in the FTP directory;
the first upload of a file named by --ftp-refuse-once is refused (a server
that fails one transfer).
The FTP password is read from the environment (VM24_SINK_FTP_PASSWORD,
"secret" when unset), never from the command line.
Runs until its standard input closes or it is terminated.
"""
import argparse
import json
import os
import signal
import sys
import threading
import time

from aiosmtpd.controller import Controller
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
import logging
import socket


class MailSink:
    def __init__(self, directory):
        self.directory = directory
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        name = os.path.join(self.directory, "mail-%04d.eml" % self.count)
        head = "MAIL FROM: %s\n" % envelope.mail_from
        head += "".join("RCPT TO: %s\n" % rcpt for rcpt in envelope.rcpt_tos)
        with open(name + ".part", "wb") as out:
            out.write(head.encode() + b"\n" + envelope.original_content)
        os.rename(name + ".part", name)
        return "250 OK"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def start_smtp(directory):
    controller = Controller(MailSink(directory), hostname="127.0.0.1", port=free_port(),
                            data_size_limit=64 * 1024 * 1024)
    controller.start()
    return controller


def start_ftp(directory, user, password, refuse_once):
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, directory, perm="elradfmwMT")
    refused = set()

    class Handler(FTPHandler):
        def ftp_STOR(self, file, mode="w"):
            name = os.path.basename(file)
            if name == refuse_once and name not in refused:
                refused.add(name)
                self.respond("550 Refused once for the test.")
                return None
            return super().ftp_STOR(file, mode)

    Handler.authorizer = authorizer
    Handler.banner = "loopback ftp"
    handler = Handler
    server = FTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, kwargs={"timeout": 0.5}, daemon=True)
    thread.start()
    return server


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mail-dir", required=True)
    parser.add_argument("--ftp-dir", required=True)
    parser.add_argument("--ftp-user", default="vm24")
    parser.add_argument("--ftp-refuse-once", default="")
    args = parser.parse_args()
    logging.basicConfig(level=logging.ERROR)
    os.makedirs(args.mail_dir, exist_ok=True)
    os.makedirs(args.ftp_dir, exist_ok=True)
    smtp = start_smtp(args.mail_dir)
    ftp = start_ftp(args.ftp_dir, args.ftp_user, os.environ.get("VM24_SINK_FTP_PASSWORD", "secret"),
                    args.ftp_refuse_once)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    print(json.dumps({"smtp": smtp.port, "ftp": ftp.socket.getsockname()[1]}), flush=True)
    try:
        while sys.stdin.read(1):
            pass
    finally:
        smtp.stop()
        ftp.close_all()


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Sends one plain-text or HTML mail through an SMTP server.

    smtp_send.py MESSAGE FROM TO SERVER ENVELOPE_FROM [-S SUBJECT] [-q] [-s SUBTYPE]

MESSAGE   file holding the body, "-" for standard input (UTF-8; other bytes
          are replaced)
FROM      the From header
TO        recipients, separated by "," or ";"
SERVER    "host", "host:port" or "smtp://host[:port]" (port 25 by default);
          "smtps://host[:port]" for a TLS connection (port 465 by default)
ENVELOPE_FROM  the envelope sender, to which failures are returned
-S        the Subject header
-q        quiet: no progress on standard error
-s        the text subtype, "plain" (default) or "html"

Exit code 0 when the server accepted the mail, 1 when it did not or could
not be reached, 2 for wrong arguments. A server that offers STARTTLS is
talked to over TLS.
"""
import argparse
import email.message
import email.utils
import re
import smtplib
import socket
import sys

TIMEOUT_S = 60


def parse_server(text):
    match = re.fullmatch(r"(?:(smtps?)://)?([^:/\s]+)(?::(\d{1,5}))?/?", text.strip())
    if not match:
        return None
    scheme, host, port = match.groups()
    secure = scheme == "smtps"
    return host, int(port) if port else (465 if secure else 25), secure


def recipients_of(text):
    return [part.strip() for part in re.split(r"[;,]", text) if part.strip()]


def read_body(source):
    data = sys.stdin.buffer.read() if source == "-" else open(source, "rb").read()
    return data.decode("utf-8", errors="replace")


def build_message(args, recipients, body):
    message = email.message.EmailMessage()
    message["From"] = args.sender
    message["To"] = ", ".join(recipients)
    if args.subject is not None:
        message["Subject"] = args.subject
    message["Date"] = email.utils.formatdate(localtime=True)
    message["Message-ID"] = email.utils.make_msgid()
    message.set_content(body, subtype=args.subtype, charset="utf-8")
    return message


def send(server, envelope_from, recipients, message, quiet):
    host, port, secure = server
    connection_class = smtplib.SMTP_SSL if secure else smtplib.SMTP
    with connection_class(host, port, timeout=TIMEOUT_S) as smtp:
        if not quiet:
            smtp.set_debuglevel(1)
        smtp.ehlo_or_helo_if_needed()
        if not secure and smtp.has_extn("starttls"):
            smtp.starttls()
            smtp.ehlo()
        refused = smtp.send_message(message, from_addr=envelope_from, to_addrs=recipients)
        return not refused


def main(argv):
    parser = argparse.ArgumentParser(add_help=True)
    parser.add_argument("message")
    parser.add_argument("sender")
    parser.add_argument("recipients")
    parser.add_argument("server")
    parser.add_argument("envelope_from")
    parser.add_argument("-S", dest="subject")
    parser.add_argument("-q", dest="quiet", action="store_true")
    parser.add_argument("-s", dest="subtype", default="plain", choices=["plain", "html"])
    try:
        args = parser.parse_args(argv)
    except SystemExit:
        return 2
    server = parse_server(args.server)
    recipients = recipients_of(args.recipients)
    if server is None or not recipients:
        print("smtp_send.py: bad server or no recipient", file=sys.stderr)
        return 2
    try:
        body = read_body(args.message)
        accepted = send(server, args.envelope_from, recipients, build_message(args, recipients, body), args.quiet)
    except (OSError, smtplib.SMTPException, socket.timeout) as error:
        if not args.quiet:
            print("smtp_send.py: %s" % error, file=sys.stderr)
        return 1
    return 0 if accepted else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

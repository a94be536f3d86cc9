"""Content and push updates, end to end. A loopback HTTP server holds a
content descriptor naming a new home-page media archive and a new main
catalogue; at the scheduler's first tick the program fetches them with wget,
and once the home page is idle applies them under the progress dialog: the
slideshow shows the new slide and the product grid the new product picture.
Then files pushed into the "remote-updates" link, ended by "done", are
applied: the customer message and the operator's catalogue. Screenshots of
the progress dialog in its stages."""

import datetime
import os
import struct
import subprocess
import tempfile
import time
import zipfile
import zlib

from kiosk import Kiosk, KioskError
from maintenance_case import wait_for_log

SLIDE_GREEN = (0, 160, 80)
THUMBNAIL_MAGENTA = (230, 0, 200)
DIALOG_BORDER = (31, 79, 209)
WHITE = (255, 255, 255)
SLIDESHOW_CENTRE = (88 + 909 // 2, 420 + 1239 // 2)
TOP_BANNER_CENTRE = (540, 326)
SELECTION_0 = (2, 85, 269, 317)
END_PURCHASE = (276 + 267, 16 + 330)


def expect(condition, message):
    if not condition:
        raise KioskError(message)


def png(width, height, colour):
    """A PNG of one colour, written without any imaging library."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    row = b"\x00" + bytes(colour) * width
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(row * height)) + chunk(b"IEND", b""))


def write_zip(path, entries):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in entries.items():
            archive.writestr(name, data)


MAIN_CATALOGUE = """<?xml version="1.0" encoding="UTF-8"?>
<catalogue name="main" timestamp="2026-01-01T00:00:00">
    <product id="1001" name="Paracetamolo nuova confezione" category="Dolore e febbre">
        <prices><price level="0">990</price></prices>
    </product>
</catalogue>
"""

USER_CATALOGUE = """<?xml version="1.0" encoding="UTF-8"?>
<catalogue name="user" timestamp="2026-01-01T00:00:00">
    <product id="9001" name="Crema mani della farmacia" category="Cosmesi">
        <prices><price level="0">750</price></prices>
    </product>
</catalogue>
"""


class UpdatesKiosk(Kiosk):
    """The kiosk with the content check already due: its next start in the
    scheduler's time store lies in the past, so the first tick runs it."""

    def _write_settings(self):
        super()._write_settings()
        with open(os.path.join(self.run_dir, "time-store.ini"), "w", encoding="utf-8") as f:
            f.write("[General]\ncontent-downloader=2020-01-01T00:00:00\n")


class HttpServer:
    def __init__(self, root):
        self.root = root
        self.process = None

    def __enter__(self):
        import socket
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.process = subprocess.Popen(["/usr/bin/python3", "-m", "http.server", str(self.port), "--bind",
                                         "127.0.0.1", "--directory", self.root],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 15
        while True:
            try:
                with socket.create_connection(("127.0.0.1", self.port), timeout=0.5):
                    return self
            except OSError:
                if time.monotonic() > deadline:
                    raise KioskError("the HTTP server did not start")
                time.sleep(0.1)

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait(timeout=10)
        return False

    def url(self, path):
        return "http://127.0.0.1:%d/%s" % (self.port, path)


def progress_dialog_shown(screen):
    """The progress dialog in the middle of the screen: its blue border on
    the middle line, white inside it (its width follows its text)."""
    for x in range(100, 500):
        if screen.is_colour(x, 960, DIALOG_BORDER, 20):
            return all(screen.is_colour(x + 12, y, WHITE, 8) for y in (800, 960, 1040))
    return False


def count_colour(screen, rect, colour, step=6):
    x0, y0, w, h = rect
    return sum(1 for x in range(x0, x0 + w, step) for y in range(y0, y0 + h, step)
               if screen.is_colour(x, y, colour, 12))


def follow_update(kiosk, label, started, timeout):
    """Screenshots of the dialog while it changes, until it has gone."""
    wait_for_log(kiosk, started, timeout)
    kiosk.wait_for_screen(label + "-dialog", progress_dialog_shown, timeout=10)
    deadline = time.monotonic() + 40
    seen = 0
    while time.monotonic() < deadline:
        screen = kiosk.screenshot("%s-stage-%d" % (label, seen))
        seen += 1
        if not progress_dialog_shown(screen):
            return screen
        time.sleep(0.7)
    raise KioskError("the %s progress dialog never closed" % label)


def case_updates(source, build):
    served = tempfile.mkdtemp(prefix="vm24-e2e-updates-")
    write_zip(os.path.join(served, "contents", "media-nuovo.zip"), {"01-nuovo.png": png(400, 400, SLIDE_GREEN)})
    write_zip(os.path.join(served, "contents", "04242", "main.zip"),
              {"index.xml": MAIN_CATALOGUE, "1001.png": png(192, 192, THUMBNAIL_MAGENTA)})
    with HttpServer(served) as server:
        settings = {"Alarms": {"touchscreen-disconnected": "false"},
                    "advanced": {"serial": "4242"},
                    "UpdatesServer": {"address": "127.0.0.1:%d" % server.port}}
        state = {"columns": [5] * 18,
                 "hoppers": [{"value": 50, "coins": 40}, {"value": 100, "coins": 40}],
                 "tubes": [{"value": v, "coins": 0, "capacity": 0} for v in (5, 10, 20, 50, 100, 200)],
                 "key": True}
        with UpdatesKiosk(source, build, "updates", state, settings) as kiosk:
            run(kiosk, server, served)
    subprocess.run(["rm", "-rf", served], check=False)


def run(kiosk, server, served):
    # The content now on the machine dates from yesterday; the descriptor
    # publishes the new content today, an hour ago.
    yesterday = time.time() - 86400
    for asset in ("media", os.path.join("products", "main")):
        os.utime(kiosk.path("data", asset), (yesterday, yesterday))
    published = (datetime.datetime.now() - datetime.timedelta(hours=1)).strftime("%Y-%m-%d %H:%M")
    with open(os.path.join(served, "contents", "descriptor.txt"), "w") as f:
        f.write("# general\nmedia %s %s\n" % (server.url("contents/media-nuovo.zip"), published))
    os.makedirs(os.path.join(served, "contents", "04242"), exist_ok=True)
    with open(os.path.join(served, "contents", "04242", "descriptor.txt"), "w") as f:
        f.write("catalogue main %s %s\n" % (server.url("contents/04242/main.zip"), published))

    # The scheduler ticks after a minute; the update waits for the home page.
    after = follow_update(kiosk, "content", "Applying the content update", timeout=150)
    home = kiosk.wait_for_screen("content-applied", lambda s: s.is_colour(*SLIDESHOW_CENTRE, SLIDE_GREEN, 12),
                                 timeout=30)
    expect(sorted(os.listdir(kiosk.path("data", "media"))) == ["01-nuovo.png"],
           "media now %s" % os.listdir(kiosk.path("data", "media")))
    del after, home

    # The grid offers the product of the new catalogue with its picture.
    kiosk.touch(*TOP_BANNER_CENTRE)
    kiosk.wait_for_screen("grid-new-catalogue", lambda s: count_colour(s, SELECTION_0, THUMBNAIL_MAGENTA) > 100)
    kiosk.touch(*END_PURCHASE)
    kiosk.wait_for_screen("home-after-grid", lambda s: s.is_colour(*SLIDESHOW_CENTRE, SLIDE_GREEN, 12), timeout=40)

    # A push: the customer message and the operator's catalogue, then "done".
    push = kiosk.path("remote-updates")
    expect(os.path.islink(push), "no push-update link at %s" % push)
    with open(os.path.join(push, "messaggio.html"), "w", encoding="utf-8") as f:
        f.write("<p>Farmacia aperta la domenica</p>\n")
    write_zip(os.path.join(push, "user.rkdb"), {"index.xml": USER_CATALOGUE})
    with open(os.path.join(push, "done"), "w"):
        pass
    follow_update(kiosk, "push", "Applying the pushed update", timeout=30)
    with open(kiosk.path("data", "user", "messaggio.html"), encoding="utf-8") as f:
        expect("domenica" in f.read(), "customer message not replaced")
    with open(kiosk.path("data", "products", "user", "index.xml"), encoding="utf-8") as f:
        expect("Crema mani" in f.read(), "operator catalogue not replaced")
    expect(os.listdir(push) == [], "push directory not emptied: %s" % os.listdir(push))
    kiosk.check_running()

#!/usr/bin/env python3
"""End-to-end tests of the kiosk: each case starts the installed vm24 and the
board simulator under a virtual display and uses them as a customer would.

    test_kiosk.py --source SRC --build BUILD CASE     (CASE: one of the names in CASES and
                                                       OWN_KIOSK_CASES below)
"""

import argparse
import os
import signal
import socket
import sys
import time
import xml.etree.ElementTree as ET

from kiosk import SCREEN_W, SCREEN_H, Kiosk, KioskError
from rfb import PixelFormat, RfbClient
from maintenance_case import case_maintenance
from peripherals_case import case_peripherals
from packages_case import case_packages
from selfupdate_case import case_selfupdate
from updates_case import case_updates
from products_case import case_products
from books_case import COUNTERS as BOOKS_COUNTERS, case_books

BANNER_FILL = (186, 41, 46)
TOP_BANNER = (60, 278, 1018, 374)
BOTTOM_BANNER = (60, 1705, 1018, 1801)
BANNER_TEXT_ZONE = (100, 300, 880, 54)
HOME_BANNER_POINTS = ((TOP_BANNER[0] + 8, 326), (TOP_BANNER[2] - 8, 326), (BOTTOM_BANNER[0] + 8, 1753))
# The slideshow of the home page, with the edge its pictures blend into.
SLIDESHOW = (88, 420, 909, 1239)
# What changes by itself on the product grid: the flashing heading and the
# countdown of the credit panel.
GRID_CHANGING = ((290, 28, 506, 60), (306, 176, 474, 54))

# A machine ready to sell: every column stocked, hoppers of 50 and 100 cents,
# changer tubes that take no coins, so that change comes from the hoppers only.
SELLING_STATE = {
    "columns": [5] * 18,
    "hoppers": [{"value": 50, "coins": 40}, {"value": 100, "coins": 40}],
    "tubes": [{"value": v, "coins": 0, "capacity": 0} for v in (5, 10, 20, 50, 100, 200)],
    "key": True,
    "timings": {"motorMs": 300, "payoutMs": 200, "coinMs": 20, "receiptIdleMs": 1500},
}
# No touchscreen device on a test machine: its alarm is switched off as an
# operator would. The network test pings loopback only.
SETTINGS = {"Alarms": {"touchscreen-disconnected": "false"},
            "General": {"restore-default-language-timeout": "8"},
            "NetworkTest": {"address": "127.0.0.1", "host": "localhost"}}
# The demo arrangement, with the hand gel (2,90) in selections 13 and 15.
GEL = "main/1701"
GEL_SELECTIONS = (13, 15)
PURCHASE_SETTINGS = dict(SETTINGS, Products={"selection_15": GEL})

# Where things are on the screen.
GRID_LEFT, GRID_TOP, BUTTON_W, BUTTON_H = 2, 85, 269, 317
INCREMENT = (358 + 248 + 48, 1260 + 123 + 48)
CONFIRM = (548 + 254, 1716 + 84)
NO_THANKS = (212 + 328, 1554 + 130)
OTHER_PRODUCTS = (212 + 328, 1220 + 130)
ENGLISH_BUTTON = (443 + 40, 1819 + 40)
END_PURCHASE = (276 + 267, 16 + 330)


def selection_centre(selection):
    if selection < 2:
        row, column = 0, 3 * selection
    else:
        row, column = 1 + (selection - 2) // 4, (selection - 2) % 4
    return GRID_LEFT + BUTTON_W * column + BUTTON_W // 2, GRID_TOP + BUTTON_H * row + BUTTON_H // 2


class Pages:
    """Recognises the purchase pages by the pictures they draw away from the
    middle of the screen, where the wait dialogs appear."""

    def __init__(self, kiosk):
        self.banner_frame = kiosk.picture("brixo-banner-frame", exclude=[(20, 16, 952, 176)])
        self.quantity_frame = kiosk.picture("quantity-frame", exclude=[(16, 10, 332, 80), (20, 106, 324, 140)])
        self.tagline = kiosk.picture("brixo-tagline")
        self.arrows = kiosk.picture("arrows-down")
        self.promo = kiosk.picture("promo-button", exclude=[(129, 26, 398, 163)])

    def grid(self, s):
        return self.banner_frame.shown_at(s, 44, 1670)

    def details(self, s):
        return self.quantity_frame.shown_at(s, 358, 1260)

    def delivery(self, s):
        return self.tagline.shown_at(s, 40, 70) and self.arrows.shown_at(s, 430, 1130)

    def suggestions(self, s):
        return self.promo.shown_at(s, 212, 1220) and self.promo.shown_at(s, 212, 1554)


def dialog_shown(screen):
    """A message box in the middle of the delivery page, below the product."""
    return all(screen.is_colour(x, 1040, (255, 255, 255), 12) for x in (400, 540, 680))


def pay(kiosk, *commands):
    """Money goes in once the acceptors are on, as a customer would try again."""
    for command in commands:
        deadline = time.monotonic() + 10
        while True:
            try:
                kiosk.board(command)
                break
            except KioskError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.2)


def wait_for_credit(kiosk, cents, timeout=10):
    deadline = time.monotonic() + timeout
    while kiosk.state()["credit"]["bill"] + kiosk.state()["credit"]["coins"] < cents:
        if time.monotonic() > deadline:
            raise KioskError("the board never held %d cents" % cents)
        time.sleep(0.2)
    time.sleep(3)  # the session reads the credit every second


def choose_product(kiosk, pages, money, credit, selection, banner=TOP_BANNER):
    """From the home page: touch a banner, pay, open a product's details."""
    kiosk.wait_for_screen("home", on_home_page, timeout=30)
    kiosk.touch(*centre(banner))
    kiosk.wait_for_screen("grid", pages.grid)
    pay(kiosk, *money)
    wait_for_credit(kiosk, credit)
    kiosk.screenshot("grid-with-credit")
    kiosk.touch(*selection_centre(selection))
    kiosk.wait_for_screen("details", pages.details)


def ledger_values(ledger):
    return {child.tag: int(child.text) for child in ledger if child.text and child.text.strip().isdigit()}


def ledger_periods(kiosk):
    main = kiosk.path("accounting.xml")
    with open(main, "rb") as f, open(main + ".bak", "rb") as g:
        if f.read() != g.read():
            raise KioskError("accounting.xml and accounting.xml.bak differ")
    return {a.get("type"): a for a in ET.parse(main).getroot().findall("accounting")}


def expect(condition, message):
    if not condition:
        raise KioskError(message)


def expect_in_order(rows, expected):
    """Each expected (category, data) pair appears after the previous one."""
    at = 0
    for category, data in expected:
        while at < len(rows) and not (rows[at]["category"] == category and data in rows[at]["data"]):
            at += 1
        expect(at < len(rows), "event log: no %s row with %r in order; rows: %s"
               % (category, data, [(r["category"], r["data"]) for r in rows]))
        at += 1


def on_home_page(screen, tolerance=6):
    return all(screen.is_colour(x, y, BANNER_FILL, tolerance) for x, y in HOME_BANNER_POINTS)


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def banner_text(screen):
    x, y, w, h = BANNER_TEXT_ZONE
    return b"".join(screen.raw[((y + row) * 1080 + x) * 3:((y + row) * 1080 + x + w) * 3] for row in range(h))


def case_home(kiosk):
    home = kiosk.wait_for_screen("home", on_home_page, timeout=30)
    italian = home.raw

    # The pharmacies on duty, then back by itself after 7 seconds.
    # Timed from the touch: a busy machine may be slow to take the screenshot
    # that sees the page, never early to see it leave.
    started = time.monotonic()
    kiosk.touch(790, 130)
    duty = kiosk.wait_for_screen("pharmacies-on-duty", lambda s: not on_home_page(s), timeout=6)
    kiosk.wait_for_screen("home-again", on_home_page, timeout=13)
    waited = time.monotonic() - started
    if not 6.5 <= waited <= 13:
        raise KioskError("display page went back after %.1f s, not 7" % waited)
    del duty

    # English while the restore time runs, Italian again afterwards.
    kiosk.touch(*ENGLISH_BUTTON)
    italian_text = banner_text(home)
    english = kiosk.wait_for_screen("home-english", lambda s: banner_text(s) != italian_text, timeout=5)
    kiosk.wait_for_screen("home-italian-again", lambda s: banner_text(s) == italian_text, timeout=20)
    del english, italian


def case_purchase(kiosk):
    pages = Pages(kiosk)
    choose_product(kiosk, pages, ("banknote 500", "coin 200", "coin 20"), 720, GEL_SELECTIONS[0])
    kiosk.touch(*INCREMENT)
    time.sleep(0.5)
    kiosk.screenshot("details-quantity-2")
    kiosk.touch(*CONFIRM)
    kiosk.wait_for_screen("delivery", pages.delivery, timeout=10)
    kiosk.wait_for_screen("suggestions", pages.suggestions, timeout=30)
    kiosk.touch(*NO_THANKS)
    kiosk.wait_for_screen("end-of-purchase", lambda s: not pages.suggestions(s), timeout=10)
    kiosk.wait_for_screen("home-after-purchase", on_home_page, timeout=40)
    kiosk.stop_program()

    board = kiosk.state()
    columns = [c["stock"] for c in board["columns"]]
    expect(columns == [5] * 13 + [4, 5, 4, 5, 5], "column stock after the sale: %s" % columns)
    expect(board["delivered"] == 2, "products delivered: %s" % board["delivered"])
    hoppers = [h["coins"] for h in board["hoppers"]]
    expect(hoppers == [40, 39], "hopper coins after change of 1,00: %s" % hoppers)

    for period, ledger in ledger_periods(kiosk).items():
        values = ledger_values(ledger)
        wanted = {"banknotes": 500, "coins": 220, "cash-income": 580, "change-delivered": 100, "extra-income": 40,
                  "cashless-income": 0, "recharges": 0}
        expect(all(values.get(k) == v for k, v in wanted.items()), "ledger %s: %s" % (period, values))
        dispensers = {int(d.get("index")): (int(d.get("count")), int(d.get("amount")))
                      for d in ledger.find("dispensers")}
        sold = {i: v for i, v in dispensers.items() if v != (0, 0)}
        expect(sold == {13: (1, 290), 15: (1, 290)}, "ledger %s dispensers: %s" % (period, sold))
    expect(len(ledger_periods(kiosk)) == 3, "three accounting periods")

    counters = ET.parse(kiosk.path("counters.xml")).getroot()
    for counter in counters.findall("counter"):
        taken = {c.get("value"): int(c.text) for c in counter.findall("currency")}
        paid = {h.get("id"): int(h.text) for h in counter.findall("hopper")}
        expect(taken["500"] == 1 and taken["200"] == 1 and taken["20"] == 1 and paid["2"] == 1,
               "counters %s: %s %s" % (counter.get("type"), taken, paid))

    expect_in_order(kiosk.event_log(), [
        ("vending-session-info", "flag=0"),
        ("cash-inserted", "banknotes=500"),
        ("vending-session-info", "flag=1&cash=720"),
        ("product-purchased", "productId=%s&cost=290&dispenser=13&method=Cash" % GEL),
        ("product-purchased", "productId=%s&cost=290&dispenser=15&method=Cash" % GEL),
        ("return-change", "100"),
        ("warning", "Impossibile erogare resto per euro 0,40"),
        ("overpay", "40"),
        ("vending-session-info", "flag=2"),
    ])

    note = kiosk.receipts(1)[0]
    text = [line.strip() for line in note]
    for line in ("FARMACIA SANTA CHIARA", "IMPORTO DOVUTO: 0,40", "PRESENTARE QUESTO", "SCONTRINO NEGLI ORARI",
                 "DI APERTURA PER IL", "RIMBORSO DEL CREDITO", "NON UTILIZZATO"):
        expect(line in text, "credit note without %r: %s" % (line, note))
    expect(text.index("IMPORTO DOVUTO: 0,40") < text.index("PRESENTARE QUESTO"), "credit note order")


def case_alarm(kiosk):
    pages = Pages(kiosk)
    choose_product(kiosk, pages, ("coin 100",), 100, 0, banner=BOTTOM_BANNER)

    kiosk.board("key out", "door front open")
    kiosk.wait_for_screen("session-ended-by-alarm", lambda s: not pages.details(s), timeout=15)
    kiosk.wait_for_screen("home-out-of-service", on_home_page, timeout=40)
    # Until the door is shut with the key the machine stays out of service:
    # touches do not start a purchase.
    kiosk.touch(*centre(TOP_BANNER))
    time.sleep(1.5)
    expect(not pages.grid(kiosk.screenshot("touch-while-out-of-service")), "a purchase started during the alarm")
    kiosk.board("door front close", "key in")
    kiosk.wait_for_screen("home-in-service", on_home_page, timeout=20)
    # The home page works again once the alarm has cleared.
    deadline = time.monotonic() + 20
    while True:
        kiosk.touch(*centre(TOP_BANNER))
        try:
            kiosk.wait_for_screen("grid-after-alarm", pages.grid, timeout=3)
            break
        except KioskError:
            if time.monotonic() > deadline:
                raise
    kiosk.touch(*END_PURCHASE)
    kiosk.wait_for_screen("home-at-end", on_home_page, timeout=40)
    kiosk.stop_program()

    values = ledger_values(ledger_periods(kiosk)["permanent"])
    expect(values["coins"] == 100 and values["cash-income"] == 0, "ledger after the alarm: %s" % values)
    expect(values["change-delivered"] + values["extra-income"] == 100, "the credit went back or was noted: %s" % values)
    expect_in_order(kiosk.event_log(), [
        ("vending-session-info", "flag=0"),
        ("cash-inserted", "coins=100"),
        ("alarm", "id=1&clear=0"),
        ("vending-session-info", "flag=2"),
        ("alarm", "id=1&clear=1"),
    ])
    expect(kiosk.state()["delivered"] == 0, "nothing was delivered")


def case_shortfall(kiosk):
    pages = Pages(kiosk)
    # Paracetamol, 4,50, in selection 0 only: its column holds one box.
    choose_product(kiosk, pages, ("banknote 1000",), 1000, 0)
    kiosk.touch(*INCREMENT)
    time.sleep(0.5)
    kiosk.screenshot("details-quantity-2")
    kiosk.touch(*CONFIRM)
    # The wait while the credit reader stops, the motor turns, a second
    # pass finds the column empty: the shortfall message comes up.
    kiosk.wait_for_screen("delivery-wait", lambda s: pages.delivery(s) and dialog_shown(s), timeout=10)
    kiosk.wait_for_screen("delivery", lambda s: pages.delivery(s) and not dialog_shown(s), timeout=10)
    kiosk.wait_for_screen("shortfall-message", lambda s: pages.delivery(s) and dialog_shown(s), timeout=10)
    kiosk.wait_for_screen("suggestions", pages.suggestions, timeout=30)
    kiosk.touch(*NO_THANKS)
    kiosk.wait_for_screen("home-after-purchase", on_home_page, timeout=40)
    kiosk.stop_program()

    board = kiosk.state()
    expect(board["columns"][0]["stock"] == 0 and board["delivered"] == 1, "one box came out: %s" % board["columns"][0])
    values = ledger_values(ledger_periods(kiosk)["permanent"])
    expect(values["cash-income"] == 450, "only what came out is booked: %s" % values)
    rows = kiosk.event_log()
    purchases = [r for r in rows if r["category"] == "product-purchased"]
    expect(len(purchases) == 1 and "dispenser=0" in purchases[0]["data"], "purchases: %s" % purchases)


def case_english(kiosk):
    """A purchase in English: every page shows, and the home page is back in
    Italian afterwards."""
    pages = Pages(kiosk)
    italian = banner_text(kiosk.wait_for_screen("home", on_home_page, timeout=30))
    kiosk.touch(*ENGLISH_BUTTON)
    kiosk.wait_for_screen("home-english", lambda s: banner_text(s) != italian, timeout=5)
    choose_product(kiosk, pages, ("coin 200", "coin 100"), 300, GEL_SELECTIONS[0])
    kiosk.touch(*CONFIRM)
    kiosk.wait_for_screen("delivery", pages.delivery, timeout=10)
    kiosk.wait_for_screen("suggestions", pages.suggestions, timeout=30)
    kiosk.touch(*OTHER_PRODUCTS)
    kiosk.wait_for_screen("grid-again", pages.grid)
    kiosk.touch(*END_PURCHASE)
    kiosk.wait_for_screen("home-in-italian", lambda s: on_home_page(s) and banner_text(s) == italian, timeout=40)
    kiosk.stop_program()
    purchases = [r for r in kiosk.event_log() if r["category"] == "product-purchased"]
    expect(len(purchases) == 1 and "dispenser=13" in purchases[0]["data"], "purchases: %s" % purchases)


def resident_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))


def case_coins_sale(kiosk):
    """One product paid with the exact coins, booked, the kiosk's start-up
    and memory told. Made for the board's build under emulation, which is
    slow: waits are generous, what is checked is not."""
    pages = Pages(kiosk)
    kiosk.wait_for_screen("home", on_home_page, timeout=180)
    print("home page %.1f s after start, resident memory %d kB"
          % (time.monotonic() - kiosk.started_at, resident_kb(kiosk.program.pid)))
    kiosk.touch(*centre(TOP_BANNER))
    kiosk.wait_for_screen("grid", pages.grid, timeout=60)
    pay(kiosk, "coin 200", "coin 50", "coin 20", "coin 20")
    wait_for_credit(kiosk, 290, timeout=30)
    kiosk.touch(*selection_centre(GEL_SELECTIONS[0]))
    kiosk.wait_for_screen("details", pages.details, timeout=60)
    kiosk.touch(*CONFIRM)
    kiosk.wait_for_screen("delivery", pages.delivery, timeout=60)
    kiosk.wait_for_screen("suggestions", pages.suggestions, timeout=90)
    kiosk.touch(*NO_THANKS)
    kiosk.wait_for_screen("home-after-sale", on_home_page, timeout=120)
    kiosk.stop_program()

    board = kiosk.state()
    columns = [c["stock"] for c in board["columns"]]
    expect(columns == [5] * 13 + [4] + [5] * 4, "column stock after the sale: %s" % columns)
    expect(board["delivered"] == 1, "products delivered: %s" % board["delivered"])
    for period, ledger in ledger_periods(kiosk).items():
        values = ledger_values(ledger)
        wanted = {"coins": 290, "banknotes": 0, "cash-income": 290, "change-delivered": 0, "extra-income": 0}
        expect(all(values.get(k) == v for k, v in wanted.items()), "ledger %s: %s" % (period, values))
        sold = {int(d.get("index")): (int(d.get("count")), int(d.get("amount")))
                for d in ledger.find("dispensers") if d.get("count") != "0"}
        expect(sold == {13: (1, 290)}, "ledger %s dispensers: %s" % (period, sold))
    counters = ET.parse(kiosk.path("counters.xml")).getroot()
    for counter in counters.findall("counter"):
        taken = {c.get("value"): int(c.text) for c in counter.findall("currency")}
        expect(taken.get("200") == 1 and taken.get("50") == 1 and taken.get("20") == 2,
               "counters %s: %s" % (counter.get("type"), taken))
    expect_in_order(kiosk.event_log(), [
        ("vending-session-info", "flag=0"),
        ("cash-inserted", "coins="),
        ("product-purchased", "productId=%s&cost=290&dispenser=13&method=Cash" % GEL),
        ("vending-session-info", "flag=2"),
    ])


# The demo on a desktop display: a window of the kiosk at half size.
DESKTOP = (1280, 1024)
DEMO_SCALE = 0.5
# Share of pixels a scaled window may differ in from the full-size screen
# scaled down: text drawn small and text made small are not pixel-equal.
SCALED_DIFFERENCE = 0.03


def scaled(values, scale=DEMO_SCALE):
    return tuple(round(v * scale) for v in values)


def settled(kiosk, label, screen, changing, timeout=20):
    """The screen once it has stopped changing outside the changing rectangles:
    the grid fills its selections one by one, slowly on a busy machine."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(0.5)
        later = kiosk.screenshot(label + "-settling")
        if later.differing_share(screen, changing) == 0:
            return later
        screen = later
    raise KioskError("screen '%s' still changing after %.0f s" % (label, timeout))


def case_demo_window(source, build):
    """The demo's window at half size shows what the full-size screen shows,
    and a touch on the scaled banner starts a purchase."""
    with Kiosk(source, build, "demo-window-reference", SELLING_STATE, SETTINGS) as full:
        pages = Pages(full)
        home = full.wait_for_screen("home", on_home_page, timeout=30)
        full.touch(*centre(TOP_BANNER))
        grid = settled(full, "grid", full.wait_for_screen("grid", pages.grid), GRID_CHANGING)
    width, height = scaled((SCREEN_W, SCREEN_H))
    home, grid = home.scaled(width, height), grid.scaled(width, height)
    slideshow, grid_changing = scaled(SLIDESHOW), [scaled(rect) for rect in GRID_CHANGING]
    with Kiosk(source, build, "demo-window", SELLING_STATE, SETTINGS, screen=DESKTOP,
               demo={"VM24_DEMO_SCALE": str(DEMO_SCALE)}) as demo:
        demo.follow_window(width, height, timeout=30)
        demo.wait_for_screen("home", lambda s: s.differing_share(home, [slideshow]) < SCALED_DIFFERENCE, timeout=30)
        demo.touch(*scaled(centre(TOP_BANNER)))
        demo.wait_for_screen("grid", lambda s: s.differing_share(grid, grid_changing) < SCALED_DIFFERENCE)


# The pixel formats VNC viewers ask for: the server's own layout (TigerVNC,
# gtk-vnc) and red in the lowest byte (vncsnapshot).
VIEWER_FORMATS = {"red-high": PixelFormat(32, 24, 0, 1, 255, 255, 255, 16, 8, 0),
                  "red-low": PixelFormat(32, 24, 0, 1, 255, 255, 255, 0, 8, 16)}
# A 16-bit screen keeps 5 or 6 bits of each colour.
VNC_COLOUR_TOLERANCE = 10


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def connect_viewer(kiosk, port, timeout=30):
    deadline = time.monotonic() + timeout
    while True:
        kiosk.check_running()
        try:
            return RfbClient(port)
        except OSError:
            if time.monotonic() > deadline:
                raise KioskError("no VNC server on port %d" % port)
            time.sleep(0.25)


def case_vnc(source, build):
    """With no display the demo serves the kiosk over VNC: every viewer sees
    the banners red, whichever pixel format it asks for."""
    port = free_port()
    with Kiosk(source, build, "vnc", SELLING_STATE, SETTINGS, screen=None,
               demo={"VM24_VNC_PORT": str(port)}) as kiosk:
        for name, pixel_format in VIEWER_FORMATS.items():
            with connect_viewer(kiosk, port) as viewer:
                viewer.set_pixel_format(pixel_format)
                deadline = time.monotonic() + 30
                while True:
                    kiosk.check_running()
                    frame = viewer.frame()
                    if on_home_page(frame, VNC_COLOUR_TOLERANCE):
                        break
                    if time.monotonic() > deadline:
                        frame.save(os.path.join(kiosk.shots, "%s-TIMEOUT.png" % name))
                        raise KioskError("over VNC in format %s the banner is %s, not %s"
                                         % (name, frame.pixel(*HOME_BANNER_POINTS[0]), BANNER_FILL))
                    time.sleep(0.5)
                frame.save(os.path.join(kiosk.shots, "home-%s.png" % name))


CASES = {"home": case_home, "english": case_english, "purchase": case_purchase, "alarm": case_alarm, "shortfall": case_shortfall,
         "maintenance": case_maintenance, "peripherals": case_peripherals,
         "products": case_products,
         "books": case_books, "coins-sale": case_coins_sale}
STATES = {"shortfall": dict(SELLING_STATE, columns=[1] + [5] * 17), "books": dict(SELLING_STATE, counters=BOOKS_COUNTERS)}
# In English the default language comes back only long after the purchase
# has begun, so that a slow start cannot turn it into an Italian one.
CASE_SETTINGS = {"purchase": PURCHASE_SETTINGS,
                 "english": dict(PURCHASE_SETTINGS, General={"restore-default-language-timeout": "30"})}


def case_killed(source, build):
    # Imported here: the case uses this module's pages and places.
    from killed_case import case_killed as killed
    killed(source, build)


def case_longrun(source, build):
    from longrun_case import case_longrun as longrun
    longrun(source, build)


# Cases that start their kiosks themselves.
OWN_KIOSK_CASES = {"killed": case_killed, "longrun": case_longrun, "demo-window": case_demo_window, "vnc": case_vnc, "updates": case_updates,
                   "packages": case_packages, "selfupdate": case_selfupdate}


def main():
    # A test stopped from outside (ctest's timeout) still ends what it started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("case", choices=sorted(list(CASES) + list(OWN_KIOSK_CASES)))
    arguments = parser.parse_args()
    if arguments.case in OWN_KIOSK_CASES:
        try:
            OWN_KIOSK_CASES[arguments.case](arguments.source, arguments.build)
        except KioskError as error:
            print("FAILED: %s (screenshots in %s)" % (error, os.path.join(arguments.build, "tests", "e2e")))
            return 1
        print("passed: %s" % arguments.case)
        return 0
    state = STATES.get(arguments.case, SELLING_STATE)
    settings = CASE_SETTINGS.get(arguments.case, SETTINGS)
    with Kiosk(arguments.source, arguments.build, arguments.case, state, settings) as kiosk:
        try:
            CASES[arguments.case](kiosk)
        except KioskError as error:
            print("FAILED: %s (screenshots in %s)" % (error, kiosk.shots))
            return 1
    print("passed: %s (screenshots in %s)" % (arguments.case, kiosk.shots))
    return 0


if __name__ == "__main__":
    sys.exit(main())

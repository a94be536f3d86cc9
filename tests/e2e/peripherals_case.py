"""The peripheral monitor end to end, opened with a level-3 key: a light
switched on the screen changes the simulator's outputs, a motor test moves
its column, the guided autotest ticks coins sent through the simulator and
prints its summary receipt, read back from the simulator's printer; a board
that stops answering leaves the indicators as they were, the page can be
left, and the board is set back once it answers again. Screenshots of the
monitor and the autotest pages in Italian and in English."""

import os
import time

from kiosk import KioskError
from maintenance_case import leave_menu, menu_shown, on_home, open_menu
from usbkeys import Keys, run

# Where things are on the screen.
MENU_PERIPHERALS = (287, 652)
CASSETTO = (670, 706)
DISPENSER_TILE = {1: (600, 178), 3: (767, 175)}
AUTOTEST = (116, 1841)
MONITOR_EXIT = (963, 1841)
PANEL_LEFT = (283, 1833)      # "Annulla" beside "Inizia" or "Finito"
PANEL_RIGHT = (797, 1833)     # "Inizia", "Finito"
PANEL_SKIP = (540, 1833)
PANEL_NEXT = (883, 1833)
ENGLISH_BUTTON = (443 + 40, 1819 + 40)

TILE_BLUE = (0, 35, 140)
PANEL_BACKGROUND = (14, 30, 66)
LED_GREEN = (55, 193, 115)
LED_RED = (184, 44, 44)
FRONT_DOOR_LED = (484, 706)
OUTPUT_CASSETTO = 0x84


class MasterKeys(Keys):
    """Keys of level 3 and more, signed with a master key pair of the run."""

    def __init__(self, kiosk):
        super().__init__(kiosk)
        self.master = kiosk.path("master-test-key.pem")
        run("openssl", "genpkey", "-algorithm", "ed25519", "-out", self.master)
        run("openssl", "pkey", "-in", self.master, "-pubout", "-out", kiosk.path("vm24-master-public.pem"))

    def make_master_key(self, device, volume_id, level=3):
        staging = self.make_operator_key(device, volume_id, level)
        manifest = os.path.join(staging, ".vm24-security", "manifest.txt")
        run("openssl", "pkeyutl", "-sign", "-rawin", "-inkey", self.master, "-in", manifest,
            "-out", manifest + ".sig")
        return staging


def expect(condition, message):
    if not condition:
        raise KioskError(message)


def monitor_shown(screen):
    """The dispenser tiles, with no autotest panel over the lower part."""
    return screen.is_colour(*DISPENSER_TILE[3], TILE_BLUE, 12) and not screen.is_colour(540, 1500, PANEL_BACKGROUND, 4)


def panel_shown(screen):
    return screen.is_colour(540, 1380, PANEL_BACKGROUND, 4) and screen.is_colour(*DISPENSER_TILE[3], TILE_BLUE, 12)


def wait_for_board(kiosk, what, predicate, timeout=20):
    deadline = time.monotonic() + timeout
    while True:
        state = kiosk.state()
        if predicate(state):
            return state
        if time.monotonic() > deadline:
            raise KioskError("the board never showed %s" % what)
        time.sleep(0.25)


def wait_for_receipt(kiosk, last_line, timeout=30):
    deadline = time.monotonic() + timeout
    while True:
        receipts = kiosk.receipts(1)
        lines = [line.strip() for line in receipts[0]] if receipts else []
        if last_line in lines:
            return lines
        if time.monotonic() > deadline:
            raise KioskError("no receipt ending in %r: %s" % (last_line, lines))
        time.sleep(0.5)


def wait_for_event(kiosk, text, timeout=60):
    """A row of the event log (written every 10 s) holding text."""
    deadline = time.monotonic() + timeout
    while not any(text in row["data"] for row in kiosk.event_log()):
        if time.monotonic() > deadline:
            raise KioskError("the event log never held %r" % text)
        time.sleep(1)


def expect_in_order(lines, expected):
    at = 0
    for wanted in expected:
        expect(wanted in lines[at:], "receipt without %r after line %d: %s" % (wanted, at, lines))
        at = lines.index(wanted, at) + 1


def open_monitor(kiosk, label):
    kiosk.touch(*MENU_PERIPHERALS)
    return kiosk.wait_for_screen(label, monitor_shown)


def autotest_pages(kiosk, language, coins=(), dispensers=()):
    """Walks the autotest from its welcome to the summary; dispensers are
    tested on the dispensers' page, coins go in on the coins' page."""
    kiosk.touch(*AUTOTEST)
    kiosk.wait_for_screen(language + "-autotest-welcome", panel_shown)
    kiosk.touch(*PANEL_RIGHT)
    for page in ("inputs", "dispensers", "lights"):
        time.sleep(0.5)
        if page == "dispensers":
            for tile in dispensers:
                delivered = kiosk.state()["delivered"]
                kiosk.touch(*DISPENSER_TILE[tile])
                wait_for_board(kiosk, "dispenser %d moved" % tile, lambda s: s["delivered"] == delivered + 1)
                time.sleep(1)
        kiosk.screenshot("%s-autotest-%s" % (language, page))
        kiosk.touch(*PANEL_NEXT)
    time.sleep(0.5)
    for coin in coins:
        kiosk.board("coin %d" % coin)
        time.sleep(3)  # read once a second: one coin per reading
    kiosk.screenshot(language + "-autotest-coins")
    kiosk.touch(*PANEL_NEXT)
    time.sleep(0.5)
    kiosk.screenshot(language + "-autotest-banknotes")
    kiosk.touch(*PANEL_SKIP)
    time.sleep(0.5)
    kiosk.screenshot(language + "-autotest-cashless")
    kiosk.touch(*PANEL_NEXT)
    time.sleep(0.5)
    kiosk.screenshot(language + "-autotest-summary")


def case_peripherals(kiosk):
    kiosk.wait_for_screen("home", on_home, timeout=30)
    keys = MasterKeys(kiosk)
    key = keys.make_master_key("sdz1", "3c4d5e6f")
    open_menu(kiosk, keys, "sdz1", key, 3, "menu-level-3")
    before = kiosk.state()
    open_monitor(kiosk, "it-monitor")
    wait_for_board(kiosk, "the acceptors on", lambda s: s["enables"]["coinAcceptor"] and s["enables"]["banknotes"])

    # A light: "Cassetto" switches outputs 2 and 7 together.
    kiosk.touch(*CASSETTO)
    wait_for_board(kiosk, "the drawer lights on", lambda s: s["outputs"] & OUTPUT_CASSETTO == OUTPUT_CASSETTO)
    kiosk.screenshot("it-light-on")

    # A motor test moves column 3 once.
    kiosk.touch(*DISPENSER_TILE[3])
    state = wait_for_board(kiosk, "column 3 moved", lambda s: s["delivered"] == before["delivered"] + 1)
    expect(state["columns"][2]["stock"] == before["columns"][2]["stock"] - 1, "column 3: %s" % state["columns"][2])
    time.sleep(1)
    kiosk.screenshot("it-motor-tested")

    # The autotest through the coins to its summary receipt.
    autotest_pages(kiosk, "it", coins=(100, 50), dispensers=(1,))
    kiosk.touch(*PANEL_RIGHT)
    lines = wait_for_receipt(kiosk, "TEST CONCLUSO")
    expect_in_order(lines, ["TEST HARDWARE", "Riepilogo autotest", "TEST INPUT", "Superato", "TEST EROGATORI",
                            "Motori collaudati: 1", "ACC. MONETE", "Superato", "Importo: 1,50", "50 centesimi: 1",
                            "1 euro: 1", "2 euro: 0", "BILL VALIDATOR", "Saltato", "TEST CASHLESS", "TEST CONCLUSO"])
    kiosk.wait_for_screen("it-after-summary", monitor_shown)

    # The board stops answering: the indicators keep their values and the
    # page can still be left; once the board answers, it is set back.
    screen = kiosk.screenshot("it-before-silence")
    expect(screen.is_colour(*FRONT_DOOR_LED, LED_GREEN, 12), "front door light: %s" % (screen.pixel(*FRONT_DOOR_LED),))
    kiosk.board("fault silence on", "door front open", "key in")
    wait_for_event(kiosk, "La scheda di controllo non risponde")
    screen = kiosk.screenshot("it-board-silent")
    expect(screen.is_colour(*FRONT_DOOR_LED, LED_GREEN, 12), "the front door light changed while the board is silent")
    kiosk.touch(*MONITOR_EXIT)
    kiosk.wait_for_screen("menu-after-silent-board", menu_shown, timeout=60)
    expect(kiosk.state()["enables"]["coinAcceptor"], "the silent board was set back already")
    kiosk.board("fault silence off", "door front close")
    wait_for_board(kiosk, "the state between purchases", lambda s: not s["enables"]["coinAcceptor"]
                   and not s["enables"]["banknotes"] and s["outputs"] & 0xDFF == 0x184, timeout=60)
    leave_menu(kiosk, keys, "sdz1", "it")

    # The same pages in English.
    kiosk.touch(*ENGLISH_BUTTON)
    time.sleep(1)
    open_menu(kiosk, keys, "sdz1", key, 3, "en-menu")
    open_monitor(kiosk, "en-monitor")
    time.sleep(1.5)
    kiosk.screenshot("en-monitor-settled")
    autotest_pages(kiosk, "en")
    kiosk.touch(*PANEL_LEFT)
    kiosk.wait_for_screen("en-autotest-cancelled", monitor_shown)
    kiosk.touch(*MONITOR_EXIT)
    kiosk.wait_for_screen("en-menu-again", menu_shown, timeout=30)
    leave_menu(kiosk, keys, "sdz1", "en")

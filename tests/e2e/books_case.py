"""The books and the event log, end to end, with a level-3 key: a session
pays a coin and gets it back, an alarm comes and goes; the accounting page
shows the books, prints the partial summary (read back from the board's
printer) and resets the partial period (the ledger files and the board's
counters both start again); the log viewer lists the alarms. Screenshots
of the accounting page, the reset question, the credit-note summary box and
the log viewer in Italian and in English."""

import os
import time
import xml.etree.ElementTree as ET

from kiosk import KioskError
from maintenance_case import expect, leave_menu, log_length, menu_shown, open_menu, wait_for_log
from usbkeys import Keys, run

REPORT_HEADING = (255, 206, 99)
BUTTON_BLUE = (0, 35, 140)
WHITE = (255, 255, 255)

# Where things are on the screen.
HOME_BANNER = (539, 326)
END_PURCHASE = (543, 346)
ENGLISH_BUTTON = (483, 1859)
MENU_ACCOUNTING = (287, 505)
MENU_LOG_VIEWER = (791, 652)
MENU_RECEIPT_SUMMARY = (791, 800)
RESET_PARTIAL = (286, 1598)
PRINT_PARTIAL = (794, 1598)
ACCOUNTING_EXIT = (540, 1846)
QUESTION_YES = (393, 1013)
LOG_CATEGORY = (450, 46)
LOG_EXIT = (1000, 1880)
SUMMARY_CANCEL = (752, 1325)

COUNTERS = {"permanent": [100 + i for i in range(13)], "partial": [200 + i for i in range(13)],
            "daily": [300 + i for i in range(13)]}


def accounting_shown(screen):
    """The report is there once its first heading (yellow) is."""
    heading = any(screen.is_colour(100, y, REPORT_HEADING, 12) for y in range(90, 220, 5))
    return heading and screen.is_colour(*PRINT_PARTIAL, BUTTON_BLUE, 12)


def question_shown(screen):
    """The yes/no box in the middle of the page."""
    return all(screen.is_colour(x, y, WHITE, 12) for x, y in ((300, 780), (780, 780), (260, 1000)))


def summary_shown(screen):
    """The credit-note summary box over the screen."""
    return all(screen.is_colour(x, y, WHITE, 12) for x, y in ((200, 1200), (880, 1200), (110, 560)))


def log_viewer_shown(screen):
    return screen.is_colour(*LOG_CATEGORY, WHITE, 12) and not menu_shown(screen)


def ledger(kiosk):
    root = ET.parse(kiosk.path("accounting.xml")).getroot()
    return {a.get("type"): {c.tag: c.text for c in a} for a in root.findall("accounting")}


def pay_and_take_back(kiosk, on_home):
    kiosk.touch(*HOME_BANNER)
    time.sleep(2)
    deadline = time.monotonic() + 10
    while True:
        try:
            kiosk.board("coin 200")
            break
        except KioskError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.3)
    time.sleep(3.5)  # the session reads the credit every second
    kiosk.screenshot("grid-with-coin")
    kiosk.touch(*END_PURCHASE)
    kiosk.wait_for_screen("home-after-session", on_home, timeout=40)


def raise_and_clear_alarm(kiosk, on_home):
    kiosk.board("key out", "door front open")
    time.sleep(3)
    kiosk.board("door front close", "key in")
    kiosk.wait_for_screen("home-after-alarm", on_home, timeout=30)
    deadline = time.monotonic() + 30
    while not any(r["category"] == "alarm" and r["data"].endswith("clear=1") for r in kiosk.event_log()):
        if time.monotonic() > deadline:
            raise KioskError("the alarm never reached the event log")
        time.sleep(1)


def accounting_page(kiosk, label):
    after = log_length(kiosk)
    kiosk.touch(*MENU_ACCOUNTING)
    wait_for_log(kiosk, "accounting report shown for the periods 7", after=after)
    return kiosk.wait_for_screen(label + "-accounting", accounting_shown)


def print_partial_summary(kiosk):
    printed = kiosk.state()["printer"]["receipts"]
    kiosk.touch(*PRINT_PARTIAL)
    deadline = time.monotonic() + 20
    while kiosk.state()["printer"]["receipts"] == printed:
        if time.monotonic() > deadline:
            raise KioskError("the partial summary was never printed")
        time.sleep(0.3)
    receipt = [line for line in kiosk.receipts(1)[0]]
    books = ledger(kiosk)["partial"]
    coins = "%d,%02d" % (int(books["coins"]) // 100, int(books["coins"]) % 100)
    expect("CONTABILITA' PARZIALE" in receipt, "summary: %s" % receipt)
    expect(("Monete" + "." * (24 - 6 - len(coins)) + coins) in receipt, "coins %s not on %s" % (coins, receipt))
    expect(("Monete hopper 1" + "." * (24 - 15 - 3) + "210") in receipt, "board counters not on %s" % receipt)


def reset_partial(kiosk):
    before = ledger(kiosk)
    board_before = kiosk.state()["counters"]
    kiosk.touch(*RESET_PARTIAL)
    kiosk.wait_for_screen("reset-question", question_shown)
    after = log_length(kiosk)
    kiosk.touch(*QUESTION_YES)
    after = wait_for_log(kiosk, "period 2 reset on the board and in the ledger", after=after)
    wait_for_log(kiosk, "accounting report shown", after=after)
    kiosk.wait_for_screen("accounting-after-reset", accounting_shown)
    books = ledger(kiosk)
    expect(books["partial"]["coins"] == "0" and books["partial"]["change-delivered"] == "0",
           "ledger partial after reset: %s" % books["partial"])
    expect(books["permanent"] == before["permanent"], "permanent changed: %s" % books["permanent"])
    counters = kiosk.state()["counters"]
    expect(counters["partial"] == [0] * 13, "board partial counters: %s" % counters["partial"])
    expect(board_before["partial"] != [0] * 13, "board partial counters before the reset: %s" % board_before["partial"])
    expect(counters["permanent"] == board_before["permanent"] and counters["daily"] == board_before["daily"],
           "board counters of the other periods changed: %s" % counters)


def log_viewer_on_alarms(kiosk, label):
    after = log_length(kiosk)
    kiosk.touch(*MENU_LOG_VIEWER)
    wait_for_log(kiosk, "log viewer shows", after=after)
    kiosk.wait_for_screen(label + "-log-all", log_viewer_shown)
    kiosk.touch(*LOG_CATEGORY)
    time.sleep(1)
    kiosk.screenshot(label + "-log-categories")
    after = log_length(kiosk)
    kiosk.touch(*ALARMS_ITEM)
    line = wait_for_log(kiosk, "of display category 6", after=after)
    shown = kiosk.program_log_lines()[line - 1]
    alarms = [r for r in kiosk.event_log() if r["category"] in ALARM_CATEGORIES]
    expect(any(r["category"] == "alarm" for r in alarms), "no alarm in the event log")
    expect("shows %d entries" % len(alarms) in shown, "log viewer on the alarms: %s, log rows %d" % (shown, len(alarms)))
    kiosk.wait_for_screen(label + "-log-alarms", log_viewer_shown)
    kiosk.touch(*LOG_EXIT)
    kiosk.wait_for_screen(label + "-menu-after-log", menu_shown)


ALARM_CATEGORIES = ("alarm", "empty-dispenser", "empty-hopper", "dispenser-error")
# The item "Allarmi" in the open category list (the seventh).
ALARMS_ITEM = (450, 10 + 6 * 64 + 32)


def make_level_3_key(kiosk, keys, device, volume_id):
    """A key of level 3 is signed with the master key, whose public half the machine holds."""
    staging = keys.make_operator_key(device, volume_id, level=3)
    master = kiosk.path("master-test-key.pem")
    run("openssl", "genpkey", "-algorithm", "ed25519", "-out", master)
    run("openssl", "pkey", "-in", master, "-pubout", "-out", kiosk.path("vm24-master-public.pem"))
    manifest = os.path.join(staging, ".vm24-security", "manifest.txt")
    run("openssl", "pkeyutl", "-sign", "-rawin", "-inkey", master, "-in", manifest, "-out", manifest + ".sig")
    return staging


def case_books(kiosk):
    from test_kiosk import on_home_page
    kiosk.wait_for_screen("home", on_home_page, timeout=30)
    pay_and_take_back(kiosk, on_home_page)
    raise_and_clear_alarm(kiosk, on_home_page)
    keys = Keys(kiosk)
    operator = make_level_3_key(kiosk, keys, "sdz1", "3c4d5e6f")

    open_menu(kiosk, keys, "sdz1", operator, 3, "it-menu")
    accounting_page(kiosk, "it")
    print_partial_summary(kiosk)
    reset_partial(kiosk)
    kiosk.touch(*ACCOUNTING_EXIT)
    kiosk.wait_for_screen("it-menu-after-accounting", menu_shown)
    log_viewer_on_alarms(kiosk, "it")
    kiosk.touch(*MENU_RECEIPT_SUMMARY)
    kiosk.wait_for_screen("it-receipt-summary", summary_shown)
    kiosk.touch(*SUMMARY_CANCEL)
    kiosk.wait_for_screen("it-menu-after-summary", menu_shown)
    leave_menu(kiosk, keys, "sdz1", "it")

    kiosk.touch(*ENGLISH_BUTTON)
    time.sleep(1)
    open_menu(kiosk, keys, "sdz1", operator, 3, "en-menu")
    accounting_page(kiosk, "en")
    kiosk.touch(*RESET_PARTIAL)
    kiosk.wait_for_screen("en-reset-question", question_shown)
    kiosk.touch(*QUESTION_NO)
    kiosk.wait_for_screen("en-accounting-kept", accounting_shown)
    kiosk.touch(*ACCOUNTING_EXIT)
    kiosk.wait_for_screen("en-menu-after-accounting", menu_shown)
    log_viewer_on_alarms(kiosk, "en")
    kiosk.touch(*MENU_RECEIPT_SUMMARY)
    kiosk.wait_for_screen("en-receipt-summary", summary_shown)
    kiosk.touch(*SUMMARY_CANCEL)
    kiosk.wait_for_screen("en-menu-after-summary", menu_shown)
    leave_menu(kiosk, keys, "sdz1", "en")


QUESTION_NO = (666, 1013)

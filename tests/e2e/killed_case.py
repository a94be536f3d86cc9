"""Sales cut short by a crash: the installed vm24 sells against the board
simulator, paid in cash with change and a credit note, or by a card that
cash is recharged onto and that is then charged, and is killed (SIGKILL) at
a random moment of its start-up and of the sale, then started again; the
simulator keeps running, as the board does when the computer crashes.
After every restart the books must agree with the board: the ledger and the
counters load, the event log opens, the money the board took in is booked
once, as income, change, recharge or credit kept, and every product the
motors delivered is booked once. A cycle in flight at the kill that the
board's answers cannot settle is written as a warning, and counted.

    VM24_KILL_COUNT   how many kills (default 12)
    VM24_KILL_SEED    the seed of the kill moments (default 1)
    VM24_KILL_MINUTES no new kill after that many minutes (default none)"""

import os
import random
import re
import sqlite3
import threading
import time
import xml.etree.ElementTree as ET

from kiosk import Kiosk, KioskError

# The pages, their places and the machine, as the purchase cases use them.
from test_kiosk import (CONFIRM, GEL_SELECTIONS, INCREMENT, NO_THANKS, PURCHASE_SETTINGS, SELLING_STATE,
                        TOP_BANNER, Pages, centre, on_home_page, selection_centre)

DENOMINATIONS = (5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5)
# Change comes from the hoppers only; enough coins for every kill of a long run.
STATE = dict(SELLING_STATE, hoppers=[{"value": 50, "coins": 2000}, {"value": 100, "coins": 2000}])
CARD_BALANCE = 1000
CARD_ID = 42
# What the program says of a cycle in flight at a crash that the board's
# answers could not settle.
UNSETTLED = re.compile(r"unsettled after a restart: (\w+)")


class Killed(Exception):
    pass


class Sale:
    """One scripted sale, step by step; each step names itself so that a
    kill is reported with the step it cut."""

    def __init__(self, kiosk, pages, killer):
        self.kiosk = kiosk
        self.pages = pages
        self.killer = killer
        self.step = "start-up"

    def at(self, step):
        if self.killer.fired.is_set():
            raise Killed()
        self.step = step

    def board(self, command):
        deadline = time.monotonic() + 10
        while True:
            self.at(self.step)
            try:
                return self.kiosk.board(command)
            except KioskError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.2)

    def wait(self, label, predicate, timeout):
        try:
            return self.kiosk.wait_for_screen(label, predicate, timeout=timeout)
        except KioskError:
            if self.killer.fired.is_set():
                raise Killed()
            raise

    def wait_board(self, what, predicate, timeout=10):
        deadline = time.monotonic() + timeout
        while not predicate(self.kiosk.state()):
            self.at(self.step)
            if time.monotonic() > deadline:
                raise KioskError("the board never showed %s" % what)
            time.sleep(0.2)
        time.sleep(1.5)  # the session reads the credit every second

    def begin(self):
        self.at("home")
        self.wait("home", on_home_page, 40)
        self.on_home()
        self.at("grid")
        self.kiosk.touch(*centre(TOP_BANNER))
        self.wait("grid", self.pages.grid, 20)

    def choose_and_take(self, quantity):
        self.at("details")
        self.kiosk.touch(*selection_centre(GEL_SELECTIONS[0]))
        self.wait("details", self.pages.details, 20)
        for _ in range(quantity - 1):
            self.kiosk.touch(*INCREMENT)
            time.sleep(0.4)
        self.at("delivery")
        self.kiosk.touch(*CONFIRM)
        self.wait("delivery", self.pages.delivery, 15)
        self.at("suggestions")
        self.wait("suggestions", self.pages.suggestions, 40)
        self.at("checkout")
        self.kiosk.touch(*NO_THANKS)
        self.wait("home-again", on_home_page, 60)
        self.at("done")
        self.killer.done_after = time.monotonic() - self.killer.started

    def cash(self):
        """Two hand gels of 2,90 for 7,20: 1,00 change from the hoppers and a
        credit note for 0,40."""
        self.begin()
        self.at("paying")
        for command in ("banknote 500", "coin 200", "coin 20"):
            self.board(command)
        self.wait_board("7,20", lambda s: s["credit"]["bill"] + s["credit"]["coins"] >= 720)
        self.choose_and_take(2)

    def card(self):
        """A card of 10,00; a coin of 1,00 is recharged onto it, then the card
        pays one hand gel."""
        self.begin()
        self.at("recharge")
        self.board("coin 100")
        self.wait_board("the recharge", lambda s: s["card"]["balance"] >= CARD_BALANCE + 100)
        self.choose_and_take(1)


class Killer:
    """Kills the program once, delay seconds after it started."""

    def __init__(self, kiosk, delay):
        self.fired = threading.Event()
        self.lock = threading.Lock()
        self.kiosk = kiosk
        self.process = kiosk.program
        self.started = kiosk.started_at
        self.board_operation = {}
        self.done_after = None
        self.timer = threading.Timer(max(0.0, delay - (time.monotonic() - self.started)), self.fire)
        self.timer.start()

    def fire(self):
        with self.lock:
            if self.fired.is_set():
                return
            self.board_operation = self.kiosk.state().get("operation", {})
            self.process.kill()
            self.fired.set()

    def wait(self, now=False):
        """Until the kill, on the home page when the sale ended before it;
        now: kill at once."""
        if now:
            self.timer.cancel()
            self.fire()
        self.timer.join()
        self.process.wait(timeout=30)


def ledger_file(kiosk):
    """The permanent period of the ledger, from the main file or, when that
    does not load, from the backup, as the program loads it."""
    for name in ("accounting.xml", "accounting.xml.bak"):
        try:
            root = ET.parse(kiosk.path(name)).getroot()
        except (ET.ParseError, OSError):
            continue
        if root.tag == "ledger":
            for period in root.findall("accounting"):
                if period.get("type") == "permanent":
                    return period
    raise KioskError("neither ledger file loads")


def books(kiosk):
    period = ledger_file(kiosk)
    values = {child.tag: int(child.text) for child in period if child.text and child.text.strip().lstrip("-").isdigit()}
    dispensers = period.find("dispensers")
    values["items"] = sum(int(d.get("count")) for d in dispensers)
    values["items-amount"] = sum(int(d.get("amount")) for d in dispensers)
    values["income"] = values["cash-income"] + values["cashless-income"] + values["pos-income"]
    return values


def board_truth(kiosk, card_moved):
    """What the board did: money taken in, change paid out, products delivered."""
    state = kiosk.state()
    counters = state["counters"]["permanent"]
    hoppers = state["hoppers"]
    return {"taken": sum(n * v for n, v in zip(counters[:10], DENOMINATIONS)),
            "paid": counters[10] * hoppers[0]["value"] + counters[11] * hoppers[1]["value"],
            "delivered": state["delivered"], "card-moved": card_moved}


def check_files_load(kiosk):
    counters = kiosk.path("counters.xml")
    if os.path.exists(counters):
        ET.parse(counters)
    with sqlite3.connect("file:%s?mode=ro" % kiosk.path("log.db"), uri=True) as connection:
        connection.execute("SELECT count(*) FROM Log").fetchone()


def unsettled_counts(kiosk):
    found = UNSETTLED.findall("\n".join(kiosk.program_log_lines()))
    return {kind: found.count(kind) for kind in set(found)}


def differences(book, truth, unsettled):
    """The ways the books disagree with the board; a cycle the program
    reported as unsettled may account for one product or one pay-out each."""
    faults = []
    if book["banknotes"] + book["coins"] != truth["taken"]:
        faults.append("cash booked %d, board took %d" % (book["banknotes"] + book["coins"], truth["taken"]))
    change_gap = truth["paid"] - book["change-delivered"]
    if change_gap != 0 and not 0 < abs(change_gap) <= 200 * unsettled.get("change", 0):
        faults.append("change booked %d, hoppers paid %d" % (book["change-delivered"], truth["paid"]))
    item_gap = truth["delivered"] - book["items"]
    if item_gap != 0 and not 0 < abs(item_gap) <= unsettled.get("delivery", 0):
        faults.append("products booked %d, motors delivered %d" % (book["items"], truth["delivered"]))
    if book["items-amount"] != book["income"]:
        faults.append("products booked for %d, income booked %d" % (book["items-amount"], book["income"]))
    kept = truth["taken"] - truth["card-moved"]
    booked = book["income"] + book["change-delivered"] + book["extra-income"]
    if kept != booked and not unsettled:
        faults.append("cash kept %d (taken less net card top-ups), booked as income, change and credit %d"
                      % (kept, booked))
    return faults


class Books:
    """The books against the board, judged from a baseline: the start, or
    the last disagreement found, so that one fault is reported once."""

    def __init__(self, kiosk):
        self.kiosk = kiosk
        self.card_moved = 0
        self.base_book = None
        self.base_truth = None
        self.faults = []
        self.checks = 0

    def check(self, point):
        check_files_load(self.kiosk)
        book, truth = books(self.kiosk), board_truth(self.kiosk, self.card_moved)
        if self.base_book is None:
            self.base_book = {k: 0 for k in book}
            self.base_truth = {k: 0 for k in truth}
        found = differences({k: v - self.base_book[k] for k, v in book.items()},
                            {k: v - self.base_truth[k] for k, v in truth.items()}, unsettled_counts(self.kiosk))
        self.checks += 1
        if found:
            print("FAULT after %s: %s" % (point, "; ".join(found)), flush=True)
            self.faults.append("%s: %s" % (point, "; ".join(found)))
            self.base_book, self.base_truth = book, truth
        return found


def wait_settled(kiosk, timeout=60):
    """Start-up has booked what the crash left once the home page is back."""
    kiosk.wait_for_screen("home", on_home_page, timeout=timeout)


def board_at_rest(kiosk, timeout=60):
    """The board's state once the operation the kill left running has ended:
    a recharge still running moves the card's balance after the kill, so the
    card is read, and taken out, only then."""
    deadline = time.monotonic() + timeout
    state = kiosk.state()
    while state.get("operation", {}).get("state") == "running":
        if time.monotonic() > deadline:
            raise KioskError("the board's operation %s never ended" % state["operation"].get("code"))
        time.sleep(0.2)
        state = kiosk.state()
    return state


def run_sale(kiosk, pages, kind, delay, books, point):
    """Starts the program, checks the books once its home page is there,
    and sells until the kill delay seconds after the start."""
    kiosk.board("restock 5")
    if kind == "card":
        kiosk.board("card insert %d %d" % (CARD_BALANCE, CARD_ID))
    kiosk.restart_program()
    killer = Killer(kiosk, delay)
    sale = Sale(kiosk, pages, killer)
    sale.on_home = lambda: books.check(point)
    try:
        getattr(sale, kind)()
    except Killed:
        pass
    killer.wait(now=killer.done_after is not None and delay > killer.done_after + 30)
    state = board_at_rest(kiosk)
    if kind == "card":
        books.card_moved += state["card"]["balance"] - CARD_BALANCE
        kiosk.board("card remove")
    return sale.step, killer


def case_killed(source, build):
    count = int(os.environ.get("VM24_KILL_COUNT", "12"))
    seed = int(os.environ.get("VM24_KILL_SEED", "1"))
    minutes = float(os.environ.get("VM24_KILL_MINUTES", "0"))
    deadline = time.monotonic() + minutes * 60 if minutes > 0 else None
    rng = random.Random(seed)
    with Kiosk(source, build, "killed", STATE, PURCHASE_SETTINGS) as kiosk:
        pages = Pages(kiosk)
        kiosk.kill_program()
        books = Books(kiosk)
        # How long start-up and each sale take uncut: the kills are spread
        # over all of it.
        durations = {}
        for kind in ("cash", "card"):
            step, killer = run_sale(kiosk, pages, kind, 600, books, "uncut %s" % kind)
            durations[kind] = killer.done_after
            if step != "done":
                raise KioskError("the uncut %s sale stopped at %s" % (kind, step))
        print("uncut start-up and sale: %s s" % {k: round(v, 1) for k, v in durations.items()}, flush=True)
        steps = {}
        previous = "uncut sales"
        done = 0
        for n in range(count):
            if deadline and time.monotonic() > deadline:
                break
            done += 1
            kind = ("cash", "card")[n % 2]
            delay = rng.uniform(0, durations[kind])
            step, killer = run_sale(kiosk, pages, kind, delay, books, previous)
            previous = "kill %d, %s sale, step %s, %.1f s after start (board operation %s %s)" % (
                n + 1, kind, step, delay, killer.board_operation.get("state"), killer.board_operation.get("code"))
            steps[step] = steps.get(step, 0) + 1
            print(previous, flush=True)
        kiosk.restart_program()
        wait_settled(kiosk)
        books.check(previous)
        kiosk.stop_program()
        print("kills: %d; checks: %d; steps cut: %s; unsettled: %s"
              % (done, books.checks, steps, unsettled_counts(kiosk)), flush=True)
        if books.faults:
            raise KioskError("%d checks found books that disagree with the board:\n  %s"
                             % (len(books.faults), "\n  ".join(books.faults)))
        if done < count:
            raise KioskError("only %d of %d kills within %.0f minutes" % (done, count, minutes))

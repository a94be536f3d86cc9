"""Months without a restart, accelerated: one vm24 process sells against the
board simulator session after session, as fast as its pages let it, while
its clock runs through the days. The sessions are driven by touches and the
simulator's control channel and followed through the program's own debug
output (pages started and finished, credit, checkout): a mix of cash with
change and credit notes, cashless cards, change asked back without a sale,
looks at the grid, a column sold out and restocked, the tamper alarm raised
and cleared, maintenance mode opened with a signed key and left, a content
push now and then. The mailer and the FTP sender send to servers on
loopback; the daily log, the machine-state record, the daily move to the FTP
spool, the garbage collectors and the event log's three-month trigger run on
the days as they pass.

Only this process's wall clock moves: libfaketime's offset, read from a file
the driver rewrites, is preloaded into vm24 (not into the simulator, the
display or this driver), with the monotonic clock left alone so that the
pages' timers keep real time, and file times left unfaked so that the
garbage collector's `find` sees a file's age in simulated days. Every
clock of the program then agrees: the scheduler's, the event log's rows and
its trigger's, the file names of the reports.

Every `sample_every` sessions and every simulated week a row of figures is
taken of the vm24 process (resident memory, open descriptors, threads) and
of its files (log.db and its rows, the spool directories, the data
directory, time-store.ini), written to the table as it goes. At the end the
figures are judged: slopes fitted after a warm-up, not first against last."""

import datetime
import json
import os
import random
import re
import socket
import sqlite3
import subprocess
import tempfile
import threading
import time

from kiosk import Kiosk, KioskError
from maintenance_case import MENU_EXIT, menu_shown
from test_kiosk import (CONFIRM, END_PURCHASE, NO_THANKS, SELLING_STATE, SETTINGS, TOP_BANNER, centre,
                        selection_centre)
from usbkeys import Keys

FAKETIME_LIBRARIES = ("/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1",
                      "/usr/lib/aarch64-linux-gnu/faketime/libfaketimeMT.so.1",
                      "/usr/lib/arm-linux-gnueabihf/faketime/libfaketimeMT.so.1")
SPOOLS = ("drafts", "outgoing", "mailbox", "archive")
GEL = "main/1701"
GEL_PRICE = 290
# The hand gel in two selections: when the first one's column is sold out
# the second one still sells it.
GEL_SELECTIONS = (13, 15)
CARD_BALANCE = 1000
# The garbage collectors' limits, low enough that a run of weeks meets them.
LIMITS = {"outgoing": (30, 100), "mailbox": (2, 20), "archive": (30, 60)}
GC_INTERVAL_S = 3600
STATE = dict(SELLING_STATE,
             hoppers=[{"value": 50, "coins": 2000}, {"value": 100, "coins": 2000}],
             timings={"motorMs": 60, "payoutMs": 20, "coinMs": 10, "receiptIdleMs": 200})
# Sessions of each kind out of 100.
MIX = (("look", 45), ("cash", 25), ("card", 15), ("change", 15))
# The acceptors' settle time of the credit reader: the simulator hands money in at once.
SETTLE_MS = 100
# A sale's polls of the board, ten times as often: the simulator's motor
# cycles and payouts last tens of milliseconds, the board's seconds.
POLL_SPEEDUP = 10


HEAPTRACK_PRELOAD = "/usr/lib/heaptrack/libheaptrack_preload.so"
HEAPTRACK_INTERPRET = "/usr/lib/heaptrack/libexec/heaptrack_interpret"


def faketime_library():
    for path in FAKETIME_LIBRARIES:
        if os.path.exists(path):
            return path
    raise KioskError("libfaketime is not installed (package faketime, tools/packages.txt)")


class SimulatedClock:
    """The program's wall clock: real time plus an offset in a file that
    libfaketime reads again at most every second."""

    def __init__(self, path):
        self.path = path
        self.start = datetime.datetime.now().replace(microsecond=0)
        self.offset = 0
        self._write(0)

    def _write(self, seconds):
        with open(self.path + ".new", "w") as f:
            f.write("%+d\n" % seconds)
        os.rename(self.path + ".new", self.path)
        self.offset = seconds

    def environment(self):
        # FAKETIME_FORCE_MONOTONIC_FIX=0: otherwise the library moves the
        # deadline of a wait on the monotonic clock by the wall clock's
        # offset, every timed wait of the toolkit returns at once, and the
        # board's reader polls thousands of times a second instead of twice.
        return {"LD_PRELOAD": faketime_library(), "FAKETIME_TIMESTAMP_FILE": self.path,
                "FAKETIME_CACHE_DURATION": "1", "FAKETIME_DONT_FAKE_MONOTONIC": "1", "DONT_FAKE_MONOTONIC": "1",
                "FAKETIME_FORCE_MONOTONIC_FIX": "0", "NO_FAKE_STAT": "1"}

    def now(self):
        return datetime.datetime.now() + datetime.timedelta(seconds=self.offset)

    def advance_to(self, when):
        """Moves the program's time forward to when; never back."""
        wanted = int((when - datetime.datetime.now()).total_seconds())
        if wanted > self.offset:
            self._write(wanted)

    def day(self):
        return (self.now() - self.start).total_seconds() / 86400.0


class HeapRecorder:
    """The program's allocations recorded by heaptrack's preloaded library
    into a named pipe, interpreted into path as they come (read it with
    heaptrack_print). The program is killed at the end rather than stopped,
    so that what it holds then counts as not freed: what it keeps, not what
    its shutdown leaves. The two preloaded libraries crash together, so the
    program's clock stays real under the recorder: the days do not pass."""

    def __init__(self, path, scratch):
        if not os.path.exists(HEAPTRACK_PRELOAD):
            raise KioskError("heaptrack is not installed")
        self.path = path
        self.pipe = os.path.join(scratch, "heaptrack.pipe")
        os.mkfifo(self.pipe)
        self.interpreter = None
        self.thread = threading.Thread(target=self._interpret, daemon=True)
        self.thread.start()

    def _interpret(self):
        # Opening the pipe waits for the program to open its end.
        with open(self.pipe, "rb") as source, open(self.path, "wb") as target:
            self.interpreter = subprocess.Popen([HEAPTRACK_INTERPRET], stdin=source, stdout=target)

    def environment(self):
        return {"LD_PRELOAD": HEAPTRACK_PRELOAD, "DUMP_HEAPTRACK_OUTPUT": self.pipe}

    def finish(self, timeout=300):
        self.thread.join(timeout)
        if self.interpreter:
            self.interpreter.wait(timeout)


class FileClock:
    """The file system's clock as the program's: a file the program writes
    into a spool directory gets the program's time as its modification time
    (the kernel gives it the real one), so that the garbage collector sees
    its age in the program's days. Moves keep a file's time, as they do."""

    def __init__(self, kiosk, clock):
        self.kiosk = kiosk
        self.clock = clock
        self.stamped = {}

    def stamp(self):
        when = self.clock.now().timestamp()
        for spool in SPOOLS:
            folder = self.kiosk.path(spool)
            try:
                names = os.listdir(folder)
            except OSError:
                continue
            for name in names:
                path = os.path.join(folder, name)
                try:
                    status = os.lstat(path)
                    if not os.path.isfile(path) or self.stamped.get(status.st_ino) == status.st_mtime_ns:
                        continue
                    os.utime(path, (when, when), follow_symlinks=False)
                    self.stamped[status.st_ino] = os.lstat(path).st_mtime_ns
                except OSError:
                    pass  # sent or collected meanwhile


class Board:
    """The simulator's control channel, one connection for the whole run."""

    def __init__(self, path):
        self.path = path
        self.connection = None
        self.reader = None

    def _connect(self):
        self.connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.connection.settimeout(10)
        self.connection.connect(self.path)
        self.reader = self.connection.makefile("r", encoding="utf-8")

    def send(self, command):
        if self.connection is None:
            self._connect()
        self.connection.sendall((command + "\n").encode())
        answer = self.reader.readline().strip()
        if not answer:
            raise KioskError("the simulator closed its control channel at %r" % command)
        return answer

    def ok(self, command, retry_for=5.0):
        """Sends until the board takes it: money goes in once the acceptors are on."""
        deadline = time.monotonic() + retry_for
        while True:
            answer = self.send(command)
            if answer.startswith("ok"):
                return answer
            if time.monotonic() > deadline:
                raise KioskError("board command %r answered %r" % (command, answer))
            time.sleep(0.05)

    def state(self):
        return json.loads(self.ok("state")[len("ok "):])

    def close(self):
        if self.connection:
            self.connection.close()


class ProgramLog:
    """The program's output, read as it grows; a cursor marks what a wait has seen."""

    def __init__(self, kiosk):
        self.kiosk = kiosk
        self.file = open(kiosk.program_log, "rb")
        self.lines = []
        self.partial = b""
        self.cursor = 0
        self.waited = {}

    def _read(self):
        data = self.file.read()
        if data:
            data = self.partial + data
            pieces = data.split(b"\n")
            self.partial = pieces.pop()
            self.lines += [p.decode("utf-8", "replace") for p in pieces]
            # Only what a wait may still look at is kept.
            if self.cursor > 2000:
                del self.lines[:self.cursor - 200]
                self.cursor = 200

    def skip(self):
        """Forgets everything written so far."""
        self._read()
        self.cursor = len(self.lines)

    def wait(self, pattern, timeout, on_wait=None):
        """The first match of pattern in a line past the cursor; the cursor moves past it."""
        regex = re.compile(pattern)
        began = time.monotonic()
        deadline = began + timeout
        while True:
            self._read()
            for number in range(self.cursor, len(self.lines)):
                found = regex.search(self.lines[number])
                if found:
                    self.cursor = number + 1
                    self.waited[pattern] = self.waited.get(pattern, 0.0) + time.monotonic() - began
                    return found
            self.cursor = len(self.lines)
            self.kiosk.check_running()
            if time.monotonic() > deadline:
                raise KioskError("the program never reported /%s/ within %.0f s; last lines:\n    %s"
                                 % (pattern, timeout, "\n    ".join(self.lines[-25:])))
            if on_wait:
                on_wait()
            time.sleep(0.02)

    def tail(self, count=25):
        self._read()
        return self.lines[-count:]


def started(page):
    return r"Activity started: %s;" % page


def finished(page):
    return r"Activity finished: %s;" % page


CHECKOUT_DONE = r"vm24\.vending: checkout done"


class Sessions:
    """Drives one session at a time; each ends on the home page with the checkout done."""

    def __init__(self, kiosk, board, log, rng):
        self.kiosk = kiosk
        self.board = board
        self.log = log
        self.rng = rng
        self.sold_out = False
        self.counts = {}
        self.seconds = {}

    def touch(self, point):
        self.kiosk.touch(*point)

    def touch_until(self, point, pattern, timeout=15.0, again_after=3.0):
        """Touches, and touches again while the page it leads to has not started."""
        deadline = time.monotonic() + timeout
        while True:
            self.touch(point)
            try:
                return self.log.wait(pattern, min(again_after, max(0.1, deadline - time.monotonic())))
            except KioskError:
                if time.monotonic() > deadline:
                    raise

    def open_grid(self):
        self.touch_until(centre(TOP_BANNER), started("ProductPage"))

    def wait_credit(self, at_least, timeout=10.0):
        deadline = time.monotonic() + timeout
        while True:
            found = self.log.wait(r"vm24\.vending: credit (\d+)", max(0.1, deadline - time.monotonic()))
            if int(found.group(1)) >= at_least:
                return

    def end_on_grid(self):
        self.touch_until(END_PURCHASE, CHECKOUT_DONE, timeout=30, again_after=8)

    def buy_gel(self):
        selection = GEL_SELECTIONS[1] if self.sold_out else GEL_SELECTIONS[0]
        self.touch_until(selection_centre(selection), started("ProductDetailsPage"))
        # The quantity becomes 1 once the credit is there; until then the
        # confirmation is disabled and a touch does nothing.
        self.touch_until(CONFIRM, started("ProductDispensingPage"), again_after=1.0)
        self.log.wait(r"vm24\.purchase: delivered 1 of 1", 20)
        self.log.wait(finished("ProductDetailsPage"), 15)
        # Back on the grid, which offers suggestions when it has any.
        try:
            self.log.wait(started("SuggestionsPage"), 3)
        except KioskError:
            self.end_on_grid()
            return
        self.touch_until(NO_THANKS, CHECKOUT_DONE, timeout=30, again_after=8)

    def look(self):
        self.open_grid()
        self.end_on_grid()

    def cash(self):
        self.open_grid()
        money = self.rng.choice((("coin 200", "coin 100", "coin 20"), ("banknote 500",), ("coin 200", "coin 100")))
        for command in money:
            self.board.ok(command)
        self.wait_credit(GEL_PRICE)
        self.buy_gel()

    def card(self):
        self.open_grid()
        self.board.ok("card insert %d %d" % (CARD_BALANCE, self.rng.randint(1, 500)))
        self.wait_credit(GEL_PRICE)
        self.buy_gel()
        self.board.ok("card remove")

    def change(self):
        self.open_grid()
        self.board.ok(self.rng.choice(("banknote 500", "coin 200")))
        self.wait_credit(200)
        self.end_on_grid()

    def run(self, kind):
        began = time.monotonic()
        getattr(self, kind)()
        self.counts[kind] = self.counts.get(kind, 0) + 1
        self.seconds[kind] = self.seconds.get(kind, 0.0) + time.monotonic() - began

    def pace(self):
        """Seconds a session of each kind took, on average."""
        return {kind: round(self.seconds[kind] / self.counts[kind], 2) for kind in self.counts}


def directory_figures(path):
    """Bytes and files under path, recursively."""
    size = files = 0
    for folder, _, names in os.walk(path):
        for name in names:
            try:
                size += os.lstat(os.path.join(folder, name)).st_size
                files += 1
            except OSError:
                pass
    return size, files


def process_figures(pid):
    figures = {}
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            key, _, value = line.partition(":")
            if key == "VmRSS":
                figures["rss_kb"] = int(value.split()[0])
            elif key == "RssAnon":
                figures["anon_kb"] = int(value.split()[0])
            elif key == "Threads":
                figures["threads"] = int(value)
    figures["fds"] = len(os.listdir("/proc/%d/fd" % pid))
    figures["heap_kb"] = main_heap_kb(pid)
    return figures


def main_heap_kb(pid):
    """Resident kB of the main thread's heap: the rest of the anonymous
    memory is thread arenas and stacks, large blocks and the toolkit's own maps."""
    resident = 0
    in_heap = False
    with open("/proc/%d/smaps" % pid) as f:
        for line in f:
            if MAPPING.match(line):
                in_heap = line.rstrip().endswith("[heap]")
            elif in_heap and line.startswith("Rss:"):
                resident += int(line.split()[1])
    return resident


def event_log_figures(path, now):
    """Rows of the event log and the age of its oldest, in days of the program's clock."""
    with sqlite3.connect("file:%s?mode=ro" % path, uri=True, timeout=10) as connection:
        rows, oldest = connection.execute("SELECT count(*), min(timestamp) FROM Log").fetchone()
    age = None
    if oldest:
        age = (now - datetime.datetime.strptime(oldest, "%Y-%m-%d %H:%M:%S")).total_seconds() / 86400.0
    return rows, age


MAPPING = re.compile(r"^[0-9a-f]+-[0-9a-f]+ ")
COLUMNS = ("sessions", "day", "wall_s", "rss_kb", "anon_kb", "heap_kb", "fds", "threads", "log_db_kb", "log_rows", "oldest_row_days",
           "drafts", "outgoing", "mailbox", "archive", "data_kb", "time_store_b", "why")


class Table:
    def __init__(self, path):
        self.rows = []
        self.file = open(path, "w") if path else None
        self._line(COLUMNS)

    def _line(self, values):
        text = "  ".join("%10s" % v for v in values)
        print(text, flush=True)
        if self.file:
            self.file.write(text + "\n")
            self.file.flush()

    def add(self, row):
        self.rows.append(row)
        self._line([row[c] if not isinstance(row[c], float) else "%.1f" % row[c] for c in COLUMNS])


def sample(kiosk, clock, files, sessions, started_at, why):
    # A file written since the last stamp still has the real time, which
    # would read as the whole clock offset old.
    files.stamp()
    row = {"sessions": sessions, "day": round(clock.day(), 1), "wall_s": round(time.monotonic() - started_at)}
    # The least of a few readings: a curl transfer or a pool thread of the
    # moment is not what the process keeps.
    readings = []
    for _ in range(5):
        readings.append(process_figures(kiosk.program.pid))
        time.sleep(0.1)
    row.update({key: min(r[key] for r in readings) for key in readings[0]})
    database = kiosk.path("log.db")
    size = sum(os.path.getsize(database + suffix) for suffix in ("", "-wal", "-journal")
               if os.path.exists(database + suffix))
    row["log_db_kb"] = size // 1024
    rows, age = event_log_figures(database, clock.now())
    row["log_rows"] = rows
    row["oldest_row_days"] = round(age, 1) if age is not None else "-"
    for spool in SPOOLS:
        ages = []
        for name in (os.listdir(kiosk.path(spool)) if os.path.isdir(kiosk.path(spool)) else []):
            try:
                ages.append(clock.now().timestamp() - os.lstat(os.path.join(kiosk.path(spool), name)).st_mtime)
            except OSError:
                pass
        row[spool + "_oldest_days"] = max(ages) / 86400.0 if ages else 0.0
        size, files = directory_figures(kiosk.path(spool))
        row[spool] = "%d/%dk" % (files, size // 1024)
        row[spool + "_files"] = files
        row[spool + "_bytes"] = size
    row["data_kb"] = directory_figures(kiosk.path("data"))[0] // 1024
    store = kiosk.path("time-store.ini")
    row["time_store_b"] = os.path.getsize(store) if os.path.exists(store) else 0
    row["why"] = why
    return row


def input_reads_per_second(kiosk):
    """How often the program read the board's inputs, over what the
    simulator's request log holds (its first field: milliseconds)."""
    times = []
    with open(kiosk.path("requests.log"), errors="replace") as f:
        for line in f:
            fields = line.split()
            if len(fields) > 6 and fields[1] == "rx" and fields[6] == "%02X" % ord("I"):
                times.append(int(fields[0]))
    if len(times) < 2 or times[-1] == times[0]:
        return None
    return (len(times) - 1) * 1000.0 / (times[-1] - times[0])


def slope(points):
    """Least-squares slope of (x, y) points; 0 for fewer than two distinct x."""
    n = len(points)
    if n < 2:
        return 0.0
    mx = sum(x for x, _ in points) / n
    my = sum(y for _, y in points) / n
    sxx = sum((x - mx) ** 2 for x, _ in points)
    if sxx == 0:
        return 0.0
    return sum((x - mx) * (y - my) for x, y in points) / sxx


def judge(rows, warmup_sessions, days, resolution_kb=0, input_reads=None):
    """The ways the figures break the targets. resolution_kb: the heap's
    growth over the fitted span below which a short run cannot tell a slope
    from the heap's own jitter of some tens of kB; a long run judges with 0.
    input_reads: the board's inputs read per second, twice on the machine."""
    faults = []
    if input_reads is not None and input_reads > 3:
        faults.append("the board's inputs were read %.0f times a second, not twice: timed waits do not wait"
                      % input_reads)
    steady = [r for r in rows if r["sessions"] >= warmup_sessions and r["why"].startswith("sessions")]
    if len(steady) < 3:
        return ["only %d samples after the warm-up of %d sessions: nothing to fit" % (len(steady), warmup_sessions)]
    span = steady[-1]["sessions"] - steady[0]["sessions"]
    # The heap: the rest of the resident memory is the program's files and
    # the X server's shared images of the pages drawn, which come and go by
    # megabytes with the page on the screen.
    anon = slope([(r["sessions"], r["anon_kb"]) for r in steady]) * 10000
    rss = slope([(r["sessions"], r["rss_kb"]) for r in steady]) * 10000
    print("fitted over sessions %d to %d: heap %+.0f kB, resident %+.0f kB per 10,000 sessions; "
          "descriptors %+.2f, threads %+.2f over the span" % (
              steady[0]["sessions"], steady[-1]["sessions"], anon, rss,
              slope([(r["sessions"], r["fds"]) for r in steady]) * span,
              slope([(r["sessions"], r["threads"]) for r in steady]) * span), flush=True)
    if anon >= 1024 and anon * span / 10000 >= resolution_kb:
        faults.append("resident heap grows by %.0f kB per 10,000 sessions (at most 1024)" % anon)
    for figure in ("fds", "threads"):
        growth = slope([(r["sessions"], r[figure]) for r in steady]) * span
        if growth >= 2:
            faults.append("%s grow by %.1f over %d sessions" % (figure, growth, span))
    for r in rows:
        if isinstance(r["oldest_row_days"], float) and r["oldest_row_days"] > 93:
            faults.append("log.db keeps a row %.1f days old at day %.1f" % (r["oldest_row_days"], r["day"]))
            break
    # The bytes a row takes on disk stay what they were once the database is
    # warm: deleted rows' pages are used again, nothing piles up.
    per_row = [(r["log_db_kb"] * 1024.0 / r["log_rows"]) for r in steady if r["log_rows"] > 1000]
    if len(per_row) >= 2 and per_row[-1] > 1.5 * min(per_row) + 64:
        faults.append("log.db takes %.0f bytes a row, %.0f earlier" % (per_row[-1], min(per_row)))
    for spool, (age, _) in LIMITS.items():
        # Up to one collector interval late, and the time the driver takes to stamp.
        oldest = max(r[spool + "_oldest_days"] for r in rows)
        if oldest > age + 1:
            faults.append("%s held a file %.1f days old, limit %d" % (spool, oldest, age))
    for spool, (_, limit) in LIMITS.items():
        # A collector runs every GC_INTERVAL_S of the program's clock: what
        # arrives between two runs may sit above the limit for that long.
        worst = max(r[spool + "_files"] for r in rows)
        if worst > limit + 10:
            faults.append("%s held %d files, limit %d" % (spool, worst, limit))
    if rows[-1]["day"] < days - 1:
        faults.append("the clock reached day %.1f of %d" % (rows[-1]["day"], days))
    return faults


def settings_for(servers):
    settings = {section: dict(values) for section, values in SETTINGS.items()}
    settings["General"].update({"enable-notifications": "true", "ftp-send-interval": "300",
                                "mail-send-interval": "180", "gc-interval": str(GC_INTERVAL_S),
                                "max-outgoing-files-age-days": str(LIMITS["outgoing"][0]),
                                "outgoing-files-limit": str(LIMITS["outgoing"][1]),
                                "max-mail-age-days": str(LIMITS["mailbox"][0]),
                                "mailbox-limit": str(LIMITS["mailbox"][1]),
                                "max-archived-files-age-days": str(LIMITS["archive"][0]),
                                "archived-files-limit": str(LIMITS["archive"][1])})
    settings["Alarms"]["email"] = "servizio@example.com"
    settings["FtpServer"] = {"address": "127.0.0.1", "port": str(servers["ftp"]), "username": "vm24",
                             "password": "secret", "protocol": "ftp"}
    settings["Products"] = {"selection_15": GEL}
    settings["advanced"] = {"serial": "4242"}
    return settings


class LoopbackServers:
    def __init__(self, source, directory):
        self.source = source
        self.directory = directory

    def __enter__(self):
        self.process = subprocess.Popen(
            [os.path.join(self.source, "tools", "loopback_servers.py"),
             "--mail-dir", os.path.join(self.directory, "mail"), "--ftp-dir", os.path.join(self.directory, "ftp")],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        if not line:
            raise KioskError("the loopback servers did not start")
        self.ports = json.loads(line)
        return self

    def received(self):
        return (len(os.listdir(os.path.join(self.directory, "mail"))),
                len(os.listdir(os.path.join(self.directory, "ftp"))))

    def __exit__(self, *exc):
        self.process.stdin.close()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        return False


def raise_and_clear_alarm(board, log):
    board.ok("key out")
    board.ok("door front open")
    log.wait(r"vm24\.vending: alarms [1-9]", 10)
    board.ok("door front close")
    board.ok("key in")
    log.wait(r"vm24\.vending: alarms 0", 10)


def unmounts(kiosk, path):
    record = kiosk.path("system-actions.log")
    if not os.path.exists(record):
        return 0
    with open(record, encoding="utf-8") as f:
        return sum(1 for line in f if line.rstrip("\n") == "umount\t" + path)


def maintenance_visit(kiosk, keys, operator, log):
    stick = keys.stick_path("sdz1")
    before = unmounts(kiosk, stick)
    keys.insert("sdz1", operator)
    log.wait(r"menu opened at level 2", 30)
    kiosk.wait_for_screen("menu", menu_shown, timeout=20)
    kiosk.touch(*MENU_EXIT)
    deadline = time.monotonic() + 20
    while unmounts(kiosk, stick) == before:
        if time.monotonic() > deadline:
            raise KioskError("the key was never unmounted")
        time.sleep(0.1)
    keys.remove("sdz1")
    log.wait(finished("MaintenanceMode"), 30)
    time.sleep(0.5)


def push_content(kiosk, log, number):
    push = kiosk.path("remote-updates")
    with open(os.path.join(push, "messaggio.html"), "w", encoding="utf-8") as f:
        f.write("<p>Farmacia di turno, avviso %d</p>\n" % number)
    with open(os.path.join(push, "done"), "w"):
        pass
    log.wait(r"Pushed update applied", 60)
    time.sleep(1)


def event_periods(sessions):
    """Every how many sessions each event comes: a short run sees each twice at least."""
    if sessions >= 2000:
        return {"sold-out": 250, "alarms": 300, "maintenance": 500, "pushes": 1000}
    short = max(8, sessions // 3)
    return {"sold-out": short, "alarms": short, "maintenance": short, "pushes": short}


def run_long(source, build, sessions, days, sample_every, table_path=None, seed=1, warmup=None,
             scheduler_tick_s=1, name="longrun", minutes=None, stop_after=None, resolution_kb=0,
             events_every=None, heaptrack=None):
    """Runs the long run and returns (rows, faults, counts). The program's
    days pass with the sessions, the days evenly over the sessions; or, with
    minutes, with the wall clock, the days over that many minutes whatever
    the sessions' pace. stop_after: no session starts after that many
    minutes, however many are left (the days reached). events_every: every
    how many sessions each event comes, in place of the run's own choice.
    heaptrack: a file the program's allocations are recorded into."""
    rng = random.Random(seed)
    warmup = sample_every if warmup is None else warmup
    scratch = tempfile.mkdtemp(prefix="vm24-longrun-")
    clock = SimulatedClock(os.path.join(scratch, "faketime"))
    table = Table(table_path)
    recorder = HeapRecorder(os.path.abspath(heaptrack), scratch) if heaptrack else None
    kinds = [kind for kind, share in MIX for _ in range(share)]
    with LoopbackServers(source, os.path.join(scratch, "sinks")) as servers:
        environment = dict(clock.environment(), QT_LOGGING_RULES="vm24.ui.debug=true;vm24.vending.debug=true;"
                           "vm24.purchase.debug=true",
                           VM24_SCHEDULER_INTERVAL_S=str(scheduler_tick_s),
                           VM24_CREDIT_SETTLE_MS=str(SETTLE_MS),
                           VM24_POLL_SPEEDUP=str(POLL_SPEEDUP),
                           VM24_MAIL_SERVER="smtp://127.0.0.1:%d" % servers.ports["smtp"],
                           VM24_MAIL_FROM="vm24@example.com")
        if recorder:
            environment.update(recorder.environment())
        with Kiosk(source, build, name, STATE, settings_for(servers.ports), environment=environment) as kiosk:
            log = ProgramLog(kiosk)
            board = Board(kiosk.control_path)
            driver = Sessions(kiosk, board, log, rng)
            files = FileClock(kiosk, clock)
            keys = Keys(kiosk)
            operator = keys.make_operator_key("sdz1", "1a2b3c4d")
            log.wait(started("HomePage"), 60)
            time.sleep(1)
            started_at = time.monotonic()
            rows = table.rows
            per_day = sessions / float(days)
            next_week = 7
            done = 0
            events = {"alarms": 0, "maintenance": 0, "pushes": 0, "sold-out": 0}
            periods = event_periods(sessions)
            if events_every:
                periods = {event: events_every for event in periods}
            try:
                table.add(sample(kiosk, clock, files, 0, started_at, "start"))
                while done < sessions or clock.day() < days:
                    if stop_after and time.monotonic() - started_at > stop_after * 60 and clock.day() >= days:
                        break
                    if minutes:
                        elapsed = (time.monotonic() - started_at) / (minutes * 60.0)
                        clock.advance_to(clock.start + datetime.timedelta(days=days * elapsed))
                        if done >= sessions:
                            time.sleep(scheduler_tick_s)
                            files.stamp()
                    elif done < sessions:
                        clock.advance_to(clock.start + datetime.timedelta(days=(done + 1) / per_day))
                    else:
                        clock.advance_to(clock.now() + datetime.timedelta(hours=2))
                        time.sleep(scheduler_tick_s)
                        files.stamp()
                    if done < sessions:
                        # The machine between sessions: columns filled, hoppers
                        # topped up; now and then the gel's first column sold out.
                        if done % periods["sold-out"] == periods["sold-out"] * 2 // 5:
                            board.ok("column %d empty" % (GEL_SELECTIONS[0] + 1))
                            driver.sold_out = True
                            events["sold-out"] += 1
                            time.sleep(2.5)  # product presence is read every 2 s
                        elif done % periods["sold-out"] == periods["sold-out"] * 4 // 5:
                            board.ok("column %d stock 5" % (GEL_SELECTIONS[0] + 1))
                            driver.sold_out = False
                            time.sleep(2.5)
                        board.ok("column %d stock 5" % (GEL_SELECTIONS[1] + 1))
                        if not driver.sold_out:
                            board.ok("column %d stock 5" % (GEL_SELECTIONS[0] + 1))
                        if done % 200 == 0:
                            board.ok("hopper 1 set 2000")
                            board.ok("hopper 2 set 2000")
                        if done % periods["alarms"] == periods["alarms"] // 2:
                            raise_and_clear_alarm(board, log)
                            events["alarms"] += 1
                        if done % periods["maintenance"] == periods["maintenance"] // 2:
                            maintenance_visit(kiosk, keys, operator, log)
                            events["maintenance"] += 1
                        if done % periods["pushes"] == periods["pushes"] // 2:
                            push_content(kiosk, log, done)
                            events["pushes"] += 1
                        files.stamp()
                        kind = kinds[rng.randrange(len(kinds))]
                        try:
                            driver.run(kind)
                        except KioskError as error:
                            raise KioskError("session %d (%s): %s" % (done + 1, kind, error))
                        done += 1
                        if done % sample_every == 0:
                            time.sleep(0.3)
                            table.add(sample(kiosk, clock, files, done, started_at, "sessions"))
                    if clock.day() >= next_week:
                        table.add(sample(kiosk, clock, files, done, started_at, "week %d" % (next_week // 7)))
                        next_week += 7
                table.add(sample(kiosk, clock, files, done, started_at, "end"))
            except KioskError:
                try:
                    table.add(sample(kiosk, clock, files, done, started_at, "at-failure"))
                except (OSError, KioskError):
                    pass
                raise
            finally:
                print("sessions: %d %s; events: %s; mail and ftp received: %s" %
                      (done, driver.counts, events, servers.received()), flush=True)
                board.close()
                print("seconds a session: %s; seconds waited for: %s" %
                      (driver.pace(), {p: round(t, 1) for p, t in sorted(log.waited.items(), key=lambda i: -i[1])[:8]}),
                      flush=True)
            input_reads = input_reads_per_second(kiosk)
            print("the board's inputs read %s times a second" %
                  ("%.2f" % input_reads if input_reads is not None else "no"), flush=True)
            if recorder:
                kiosk.kill_program()
                recorder.finish()
            else:
                kiosk.stop_program()
    faults = judge(rows, warmup, days, resolution_kb, input_reads)
    return rows, faults, driver.counts


def case_longrun(source, build):
    """The short version, within three minutes on a loaded machine: two
    hundred sessions over three simulated weeks, every event three times,
    the first time within the warm-up (the first of each loads what the
    program keeps)."""
    sessions = int(os.environ.get("VM24_LONGRUN_SESSIONS", "200"))
    days = int(os.environ.get("VM24_LONGRUN_DAYS", "21"))
    every = int(os.environ.get("VM24_LONGRUN_SAMPLE_EVERY", "10"))
    rows, faults, counts = run_long(source, build, sessions, days, every, warmup=sessions // 3 + 4,
                                    resolution_kb=256)
    if faults:
        raise KioskError("the long run broke its targets:\n  " + "\n  ".join(faults))

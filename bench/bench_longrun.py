#!/usr/bin/env python3
"""Months without a restart, accelerated, at full length: the installed vm24
against the board simulator for SESSIONS sessions while its clock runs
through DAYS days, with a row of figures (memory, descriptors, threads of the
process; event log, spools, data directory, time store) every EVERY sessions
and every simulated week, written to TABLE as it goes.

    python3 bench/bench_longrun.py --source . --build build \\
        --sessions 10000 --days 90 --every 1000 --warmup 1000 --minutes 85 --table build/longrun-table.txt

Python rather than C++: the end-to-end harness (tests/e2e/kiosk.py) already
starts the installed program under a virtual display with the simulator,
touches it and reads its files, and the run is bounded by the pages' pace,
not by the driver's. The same driver is the ctest case e2e_longrun, short."""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from kiosk import KioskError  # noqa: E402
from longrun_case import run_long  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", default=".")
    parser.add_argument("--build", default="build")
    parser.add_argument("--sessions", type=int, default=10000)
    parser.add_argument("--days", type=int, default=90)
    parser.add_argument("--every", type=int, default=1000)
    parser.add_argument("--warmup", type=int, default=None, help="sessions before the slopes are fitted")
    parser.add_argument("--table", default=None)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--stop-after", type=float, default=None,
                        help="no session starts after that many minutes once the days are reached")
    parser.add_argument("--minutes", type=float, default=None,
                        help="the days pass over that many minutes of wall time, whatever the sessions' pace")
    parser.add_argument("--events-every", type=int, default=None,
                        help="sessions between two of each event (alarm, maintenance, push, sold-out)")
    parser.add_argument("--heaptrack", default=None,
                        help="records the program's allocations into that file (heaptrack_print reads it)")
    arguments = parser.parse_args()
    try:
        rows, faults, counts = run_long(arguments.source, arguments.build, arguments.sessions, arguments.days,
                                        arguments.every, arguments.table, arguments.seed, arguments.warmup,
                                        name="longrun-bench", minutes=arguments.minutes,
                                        stop_after=arguments.stop_after, events_every=arguments.events_every,
                                        heaptrack=arguments.heaptrack)
    except KioskError as error:
        print("FAILED: %s" % error, flush=True)
        return 1
    for fault in faults:
        print("TARGET MISSED: %s" % fault, flush=True)
    print("sessions by kind: %s" % counts)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

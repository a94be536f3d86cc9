#!/usr/bin/env python3
"""End-to-end tests of the kiosk: each case starts the installed vm24 and the
board simulator under a virtual display and uses them as a customer would.

    test_kiosk.py --source SRC --build BUILD CASE     (CASE: home, purchase, alarm, shortfall)
"""

import argparse
import sys
import time

from kiosk import Kiosk, KioskError

BANNER_FILL = (186, 41, 46)
TOP_BANNER = (60, 278, 1018, 374)
BOTTOM_BANNER = (60, 1705, 1018, 1801)
BANNER_TEXT_ZONE = (100, 300, 880, 54)

# A machine ready to sell: every column stocked, hoppers of 50 and 100 cents,
# changer tubes empty, so that change comes from the hoppers only.
SELLING_STATE = {
    "columns": [5] * 18,
    "hoppers": [{"value": 50, "coins": 40}, {"value": 100, "coins": 40}],
    "tubes": [],
    "key": True,
    "timings": {"motorMs": 300, "payoutMs": 200, "coinMs": 20, "receiptIdleMs": 400},
}
# No touchscreen device on a test machine: its alarm is switched off as an
# operator would.
SETTINGS = {"Alarms": {"touchscreen-disconnected": "false"},
            "General": {"restore-default-language-timeout": "3"}}


def on_home_page(screen):
    return all(screen.is_colour(x, y, BANNER_FILL) for x, y in
               ((TOP_BANNER[0] + 8, 326), (TOP_BANNER[2] - 8, 326), (BOTTOM_BANNER[0] + 8, 1753)))


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def case_home(kiosk):
    home = kiosk.wait_for_screen("home", on_home_page, timeout=30)
    italian = home.raw

    # The pharmacies on duty, then back by itself after 7 seconds.
    kiosk.touch(790, 130)
    duty = kiosk.wait_for_screen("pharmacies-on-duty", lambda s: not on_home_page(s), timeout=5)
    started = time.monotonic()
    kiosk.wait_for_screen("home-again", on_home_page, timeout=12)
    waited = time.monotonic() - started
    if not 5.5 <= waited <= 10:
        raise KioskError("display page went back after %.1f s, not 7" % waited)
    del duty

    # English while the restore time runs, Italian again afterwards.
    kiosk.touch(443 + 40, 1819 + 40)
    def banner_text(screen):
        x, y, w, h = BANNER_TEXT_ZONE
        return b"".join(screen.raw[((y + row) * 1080 + x) * 3:((y + row) * 1080 + x + w) * 3] for row in range(h))
    italian_text = banner_text(home)
    english = kiosk.wait_for_screen("home-english", lambda s: banner_text(s) != italian_text, timeout=5)
    kiosk.wait_for_screen("home-italian-again", lambda s: banner_text(s) == italian_text, timeout=10)
    del english, italian


CASES = {"home": case_home}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("case", choices=sorted(CASES))
    arguments = parser.parse_args()
    with Kiosk(arguments.source, arguments.build, arguments.case, SELLING_STATE, SETTINGS) as kiosk:
        try:
            CASES[arguments.case](kiosk)
        except KioskError as error:
            print("FAILED: %s (screenshots in %s)" % (error, kiosk.shots))
            return 1
    print("passed: %s (screenshots in %s)" % (arguments.case, kiosk.shots))
    return 0


if __name__ == "__main__":
    sys.exit(main())

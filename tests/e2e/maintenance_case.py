"""The operator's way in, end to end: a signed USB key opens the maintenance
menu at its level, the settings page takes values typed on the on-screen
keyboard and a pad and saves them to the settings file, a blank stick is
programmed as a level-1 key, and the event log holds every opening and
closing of the menu. Screenshots of the menu, the settings page, the
keyboard and a pad in Italian and in English."""

import configparser
import os
import subprocess
import time

from kiosk import KioskError
from usbkeys import Keys

MENU_BACKGROUND = (11, 22, 51)
BUTTON_BLUE = (0, 35, 140)
WHITE = (255, 255, 255)

# Where things are on the screen.
MENU_SETTINGS = (791, 505)
MENU_KEY_GENERATION = (287, 800)
MENU_EXIT = (802, 1840)
USER_TEXT_FIELD = (674, 204)
SHORT_WAIT_FIELD = (706, 1556)
SETTINGS_SAVE = (277, 1833)
SETTINGS_EXIT = (802, 1833)
KEYS = {"1": (71, 818), "q": (71, 930), "c": (455, 1154), "i": (786, 930), "a": (121, 1042), "o": (887, 930),
        "alt": (86, 1266), "clear": (208, 1266), "cancel": (787, 1266), "ok": (956, 1266)}
PAD = {"3": (696, 1066), "0": (432, 1178), "cancel": (924, 1066), "ok": (924, 1178)}
ENGLISH_BUTTON = (443 + 40, 1819 + 40)
LEVEL_1_KEY = (540, 736)
SECURITY_EXIT = (540, 1348)


def expect(condition, message):
    if not condition:
        raise KioskError(message)


def wait_for_log(kiosk, text, timeout=30.0, after=0):
    """Waits for a line of the program's output holding text, past line number after."""
    deadline = time.monotonic() + timeout
    while True:
        kiosk.check_running()
        lines = kiosk.program_log_lines()
        for number, line in enumerate(lines[after:], start=after):
            if text in line:
                return number + 1
        if time.monotonic() > deadline:
            raise KioskError("the program never reported %r" % text)
        time.sleep(0.2)


def log_length(kiosk):
    return len(kiosk.program_log_lines())


def menu_shown(screen):
    return all(screen.is_colour(x, y, MENU_BACKGROUND) for x, y in ((540, 1530), (20, 1500), (1060, 20)))


def settings_shown(screen):
    return screen.is_colour(*USER_TEXT_FIELD, WHITE, 12) and not menu_shown(screen) and \
        not screen.is_colour(15, 560, WHITE, 12) and not screen.is_colour(30, 700, WHITE, 12)


def keyboard_shown(screen):
    return screen.is_colour(15, 560, WHITE, 12) and screen.is_colour(*KEYS["q"], BUTTON_BLUE, 12)


def pad_shown(screen):
    return screen.is_colour(30, 700, WHITE, 12) and screen.is_colour(*PAD["0"], BUTTON_BLUE, 12)


def box_shown(screen):
    """A message box in the middle of the screen."""
    return all(screen.is_colour(x, y, WHITE, 12) for x in (300, 780) for y in (800, 1040))


def on_home(screen):
    return screen.is_colour(68, 326, (186, 41, 46))


def settings_file(kiosk):
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read(kiosk.path("Korvane", "VM24.ini"), encoding="utf-8")
    return parser


def open_menu(kiosk, keys, device, staging, level, label):
    after = log_length(kiosk)
    keys.insert(device, staging)
    wait_for_log(kiosk, "menu opened at level %d" % level, after=after)
    return kiosk.wait_for_screen(label, menu_shown)


def leave_menu(kiosk, keys, device, label):
    kiosk.touch(*MENU_EXIT)
    wait_for_unmount(kiosk, keys.stick_path(device))
    time.sleep(1.5)  # the unmount settles, then the box asks for the stick
    kiosk.wait_for_screen(label + "-remove-stick", box_shown)
    keys.remove(device)
    kiosk.wait_for_screen(label + "-home", on_home, timeout=30)


def edit_settings(kiosk, label):
    kiosk.touch(*MENU_SETTINGS)
    kiosk.wait_for_screen(label + "-settings", settings_shown)
    kiosk.touch(*USER_TEXT_FIELD)
    kiosk.wait_for_screen(label + "-keyboard", keyboard_shown)


def case_maintenance(kiosk):
    kiosk.wait_for_screen("home", on_home, timeout=30)
    keys = Keys(kiosk)
    operator = keys.make_operator_key("sdz1", "1a2b3c4d")

    # A level-2 key: the menu with the key generation entry, then the settings.
    screen = open_menu(kiosk, keys, "sdz1", operator, 2, "menu-level-2")
    expect(screen.is_colour(*MENU_KEY_GENERATION, BUTTON_BLUE, 12), "no key generation entry at level 2")
    edit_settings(kiosk, "it")
    for key in ("clear", "c", "i", "a", "o", "alt", "1", "alt"):
        kiosk.touch(*KEYS[key])
        time.sleep(0.15)
    kiosk.screenshot("it-keyboard-typed")
    kiosk.touch(*KEYS["ok"])
    kiosk.wait_for_screen("it-typed", settings_shown)
    kiosk.touch(*SHORT_WAIT_FIELD)
    kiosk.wait_for_screen("it-pad", pad_shown)
    kiosk.touch(*PAD["3"])
    kiosk.touch(*PAD["0"])
    kiosk.screenshot("it-pad-typed")
    kiosk.touch(*PAD["ok"])
    kiosk.wait_for_screen("it-both-typed", settings_shown)
    kiosk.touch(*SETTINGS_SAVE)
    deadline = time.monotonic() + 20
    while True:
        saved = settings_file(kiosk)
        if saved.get("General", "user-text", fallback=None) == "ciao!" and \
                saved.get("General", "short-wait", fallback=None) == "30":
            break
        if time.monotonic() > deadline:
            raise KioskError("settings not saved: %s" % dict(saved.items("General")))
        time.sleep(0.3)
    kiosk.wait_for_screen("it-saved", settings_shown)
    kiosk.touch(*SETTINGS_EXIT)
    kiosk.wait_for_screen("menu-again", menu_shown)
    leave_menu(kiosk, keys, "sdz1", "operator")

    # The operator programs a blank stick as a level-1 key.
    open_menu(kiosk, keys, "sdz1", operator, 2, "menu-for-keys")
    before = log_length(kiosk)
    kiosk.touch(*MENU_KEY_GENERATION)
    wait_for_log(kiosk, "vm24.maintenance: key programming ready at level 2", after=before)
    time.sleep(0.5)  # painted
    kiosk.screenshot("security-dialog")
    kiosk.touch(*LEVEL_1_KEY)
    wait_for_unmount(kiosk, keys.stick_path("sdz1"))
    kiosk.screenshot("remove-operator-key")
    keys.remove("sdz1")
    time.sleep(1)
    kiosk.screenshot("insert-blank-stick")
    keys.make_image("sdy1", "5e6f7a8b")
    after = log_length(kiosk)
    keys.insert("sdy1")
    wait_for_log(kiosk, "key of level 1 programmed", after=after)
    kiosk.screenshot("key-programmed")
    keydir = os.path.join(keys.stick_path("sdy1"), ".vm24-security")
    held = sorted(os.listdir(keydir))
    expect(held == ["manifest.txt", "manifest.txt.sig"], "a level-1 key holds %s" % held)
    programmed = kiosk.path("programmed-key")
    keys.remove("sdy1", keep=programmed)
    time.sleep(1)
    kiosk.touch(*SECURITY_EXIT)
    kiosk.wait_for_screen("menu-without-key", menu_shown)
    kiosk.touch(*MENU_EXIT)
    kiosk.wait_for_screen("home-after-programming", on_home, timeout=30)

    # The new key opens the menu at level 1, without the key generation entry.
    screen = open_menu(kiosk, keys, "sdy1", programmed, 1, "menu-level-1")
    expect(not screen.is_colour(*MENU_KEY_GENERATION, BUTTON_BLUE, 12), "key generation shown at level 1")
    leave_menu(kiosk, keys, "sdy1", "level-1")

    # The same screens in English.
    kiosk.touch(*ENGLISH_BUTTON)
    time.sleep(1)
    open_menu(kiosk, keys, "sdz1", operator, 2, "en-menu")
    edit_settings(kiosk, "en")
    kiosk.touch(*KEYS["cancel"])
    kiosk.wait_for_screen("en-settings-again", settings_shown)
    kiosk.touch(*SHORT_WAIT_FIELD)
    kiosk.wait_for_screen("en-pad", pad_shown)
    kiosk.touch(*PAD["cancel"])
    kiosk.wait_for_screen("en-settings-unchanged", settings_shown)
    for _ in range(3):
        drag(kiosk, (540, 1600), (540, 400))
    time.sleep(1)
    kiosk.screenshot("en-settings-scrolled")
    kiosk.touch(*SETTINGS_EXIT)
    kiosk.wait_for_screen("en-menu-again", menu_shown)
    leave_menu(kiosk, keys, "sdz1", "en")

    kiosk.stop_program()
    rows = [r["data"] for r in kiosk.event_log() if r["category"] == "info" and "menu di manutenzione" in r["data"]]
    expected = ["Apertura menu di manutenzione (livello 2)", "Chiusura menu di manutenzione"] * 2 + \
        ["Apertura menu di manutenzione (livello 1)", "Chiusura menu di manutenzione",
         "Apertura menu di manutenzione (livello 2)", "Chiusura menu di manutenzione"]
    expect(rows == expected, "event log: %s" % rows)


def drag(kiosk, start, end, steps=12):
    env = dict(os.environ, DISPLAY=kiosk.display)
    command = ["xdotool", "mousemove", str(start[0]), str(start[1]), "mousedown", "1"]
    for step in range(1, steps + 1):
        x = start[0] + (end[0] - start[0]) * step // steps
        y = start[1] + (end[1] - start[1]) * step // steps
        command += ["mousemove", str(x), str(y), "sleep", "0.02"]
    command += ["mouseup", "1"]
    subprocess.run(command, check=True, env=env)


def wait_for_unmount(kiosk, path, timeout=20):
    """The program unmounts through its recorded system actions."""
    deadline = time.monotonic() + timeout
    record = kiosk.path("system-actions.log")
    while True:
        if os.path.exists(record):
            with open(record, encoding="utf-8") as f:
                if any(line.rstrip("\n") == "umount\t" + path for line in f):
                    return
        if time.monotonic() > deadline:
            raise KioskError("%s was never unmounted" % path)
        time.sleep(0.2)

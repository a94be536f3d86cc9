"""The operator arranges and prices products, end to end: with a level-3
key, a partner product goes into a reserved selection, whose chooser offers
no other product, another product into an ordinary selection; after the
save the customer's grid shows both. A cash price typed on the pad beside
its product is saved into the operator's edits catalogue and the grid shows
it. Screenshots of every page, pad and dialog in Italian and in English."""

import os
import time
import xml.etree.ElementTree as ET

from kiosk import KioskError, Picture
from maintenance_case import PAD, expect, leave_menu, menu_shown, on_home, open_menu, pad_shown, settings_file
from usbkeys import Keys, run

LEGEND_FILL = (244, 246, 250)
CHOOSER_FILL = (14, 30, 66)
BUTTON_BLUE = (0, 35, 140)

MENU_ARRANGEMENT = (287, 331)
MENU_PRICES = (791, 331)
ENGLISH_BUTTON = (443 + 40, 1819 + 40)
END_PURCHASE = (276 + 267, 16 + 330)
HOME_BANNER = (540, 326)

GRID_LEFT, GRID_TOP, BUTTON_W, BUTTON_H = 2, 85, 269, 317
THUMBNAIL_OFFSET = (39, 22)          # a 192 x 192 thumbnail centred in the tile (17, 15, 235, 205)
PRICE_FRAME = (17, 228, 235, 62)
ARRANGEMENT_EXIT = (276, 1790)
ARRANGEMENT_SAVE = (804, 1790)

CHOOSER_TOP, CHOOSER_ROW = 200, BUTTON_H + 22
CHOOSER_NEXT = (540, 1840)
CHOOSER_EXIT = (912, 1840)
# "Annulla" of the unsaved-changes box.
CONFIRMATION_CANCEL = (637, 1022)

PRICE_GRID_TOP = 160
PRICES_EXIT = (275, 1876)
# A point of that button away from its label, whose place follows the fonts'
# metrics (they differ a little between the host and the board's libraries).
PRICES_EXIT_FILL = (480, 1876)
PRICES_SAVE = (805, 1876)
ALL_PRODUCTS = (640, 80)
HELP = (10 + 30, 104 + 30)
# Keys of the price pad relative to its top-left corner, by row and column.
PAD_KEY = {"7": (0, 0), "8": (0, 1), "9": (0, 2), "4": (1, 0), "5": (1, 1), "6": (1, 2), "1": (2, 0),
           "2": (2, 1), "3": (2, 2), ",": (3, 0), "0": (3, 1), "cancel": (2, 3), "ok": (3, 3)}

# The demo's selection 3 (reserved) offers brixo/2002; it gets brixo/2005.
RESERVED = 3
PARTNER_SLOT, PARTNER = 4, "brixo/2005"
# Selection 10 (ordinary) gets the second product of catalogue main.
ORDINARY = 10
MAIN_SLOT = 10


def selection_origin(selection):
    if selection < 2:
        row, column = 0, 3 * selection
    else:
        row, column = 1 + (selection - 2) // 4, (selection - 2) % 4
    return GRID_LEFT + BUTTON_W * column, GRID_TOP + BUTTON_H * row


def selection_body(selection):
    """A point of the selection's button away from its motor number."""
    x, y = selection_origin(selection)
    return x + 180, y + 200


def chooser_slot(slot):
    return GRID_LEFT + BUTTON_W * (slot % 4) + BUTTON_W // 2, CHOOSER_TOP + CHOOSER_ROW * (slot // 4) + BUTTON_H // 2


def price_item(slot):
    return GRID_LEFT + BUTTON_W * (slot % 4), PRICE_GRID_TOP + BUTTON_H * (slot // 4)


def pad_key(origin, key):
    row, column = PAD_KEY[key]
    return origin[0] + 81 + 128 * column, origin[1] + 321 + 128 * row


def confirmation_shown(screen):
    """The unsaved-changes box across the middle of the screen."""
    return all(screen.is_colour(x, 880, (255, 255, 255), 12) for x in (60, 1020))


def arrangement_shown(screen):
    return screen.is_colour(300, 380, LEGEND_FILL, 8) and not menu_shown(screen)


def chooser_shown(screen):
    return screen.is_colour(540, 1500, CHOOSER_FILL, 8) and screen.is_colour(540, 20, CHOOSER_FILL, 8)


def prices_shown(screen):
    return screen.is_colour(*PRICES_EXIT_FILL, BUTTON_BLUE, 24) and screen.is_colour(*ALL_PRODUCTS, BUTTON_BLUE, 24) and \
        not menu_shown(screen)


def pad_shown_at(origin):
    return lambda screen: screen.is_colour(origin[0] + 10, origin[1] + 10, (255, 255, 255), 12) and \
        screen.is_colour(pad_key(origin, "5")[0] - 40, pad_key(origin, "5")[1] - 40, BUTTON_BLUE, 12)


def description_shown(screen):
    return all(screen.is_colour(x, y, CHOOSER_FILL, 8) for x, y in ((200, 1380), (880, 1380), (200, 1300)))


def grid_shown(kiosk):
    banner = kiosk.picture("brixo-banner-frame", exclude=[(20, 16, 952, 176)])
    return lambda screen: banner.shown_at(screen, 44, 1670)


def thumbnail(kiosk, product):
    catalogue, local = product.split("/")
    return Picture(kiosk.path("data", "products", catalogue, local + ".png"))


def shows_product(screen, picture, selection):
    x, y = selection_origin(selection)
    return picture.shown_at(screen, x + THUMBNAIL_OFFSET[0], y + THUMBNAIL_OFFSET[1])


def price_frame_pixels(screen, selection):
    x, y = selection_origin(selection)
    fx, fy, fw, fh = PRICE_FRAME
    return [screen.pixel(x + fx + dx, y + fy + dy) for dy in range(8, fh - 8, 2) for dx in range(8, fw - 8, 2)]


def visit_grid(kiosk, label):
    """The customer's grid, then back home without buying."""
    kiosk.wait_for_screen(label + "-home", on_home, timeout=30)
    kiosk.touch(*HOME_BANNER)
    kiosk.wait_for_screen(label, grid_shown(kiosk))
    time.sleep(3)  # the selections fill in
    screen = kiosk.screenshot(label)
    kiosk.touch(*END_PURCHASE)
    kiosk.wait_for_screen(label + "-home-again", on_home, timeout=30)
    return screen


def look_at_motor_pad(kiosk, selection, label):
    """The motor number opens the motor-map pad; left without a change."""
    x, y = selection_origin(selection)
    kiosk.touch(x + 40, y + 40)
    kiosk.wait_for_screen(label, pad_shown)
    kiosk.touch(*PAD["cancel"])
    kiosk.wait_for_screen(label + "-closed", arrangement_shown)


def choose(kiosk, selection, slot, label):
    kiosk.touch(*selection_body(selection))
    screen = kiosk.wait_for_screen(label, chooser_shown)
    kiosk.touch(*chooser_slot(slot))
    kiosk.wait_for_screen(label + "-chosen", arrangement_shown)
    return screen


def saved_edits(kiosk):
    path = kiosk.path("data", "products", "zz-user-edits", "index.xml")
    if not os.path.exists(path):
        return {}
    return {(p.get("id"), price.get("level")): int(price.text)
            for p in ET.parse(path).getroot().iter("product") for price in p.iter("price")}


def master_key(kiosk, keys, device, volume_id):
    """A level-3 key: its manifest signed with the master key, whose public half the machine holds."""
    master = kiosk.path("master-test-key.pem")
    run("openssl", "genpkey", "-algorithm", "ed25519", "-out", master)
    run("openssl", "pkey", "-in", master, "-pubout", "-out", kiosk.path("vm24-master-public.pem"))
    staging = keys.make_operator_key(device, volume_id, level=3)
    manifest = os.path.join(staging, ".vm24-security", "manifest.txt")
    run("openssl", "pkeyutl", "-sign", "-rawin", "-inkey", master, "-in", manifest, "-out", manifest + ".sig")
    return staging


def case_products(kiosk):
    before = visit_grid(kiosk, "grid-before")
    old_partner = thumbnail(kiosk, settings_file(kiosk).get("Products", "selection_%d" % RESERVED))
    expect(shows_product(before, old_partner, RESERVED), "the demo's product is not in selection %d" % (RESERVED + 1))
    keys = Keys(kiosk)
    operator = master_key(kiosk, keys, "sdz1", "3c4d5e6f")

    # Arrangement: the reserved selection offers the partner's nine products only.
    open_menu(kiosk, keys, "sdz1", operator, 3, "menu-level-3")
    kiosk.touch(*MENU_ARRANGEMENT)
    kiosk.wait_for_screen("it-arrangement", arrangement_shown)
    look_at_motor_pad(kiosk, 17, "it-motor-pad")
    screen = choose(kiosk, RESERVED, PARTNER_SLOT, "it-chooser-reserved")
    expect(not screen.is_colour(*chooser_slot(8), CHOOSER_FILL, 8), "the ninth partner product is missing")
    expect(all(screen.is_colour(*chooser_slot(slot), CHOOSER_FILL, 8) for slot in (9, 10, 11)),
           "the reserved selection offers more than the partner's products")
    expect(not screen.is_colour(*CHOOSER_NEXT, BUTTON_BLUE, 12), "a second page of products for a reserved selection")
    screen = choose(kiosk, ORDINARY, MAIN_SLOT, "it-chooser-ordinary")
    expect(not any(screen.is_colour(*chooser_slot(slot), CHOOSER_FILL, 8) for slot in range(12)),
           "an ordinary selection does not offer every product")
    expect(screen.is_colour(*CHOOSER_NEXT, BUTTON_BLUE, 12), "no next page of products")
    # Nothing reaches the settings before the save.
    expect(settings_file(kiosk).get("Products", "selection_%d" % RESERVED) != PARTNER, "arrangement saved too early")
    kiosk.touch(*ARRANGEMENT_EXIT)
    kiosk.wait_for_screen("it-unsaved-changes", confirmation_shown)
    kiosk.touch(*ARRANGEMENT_SAVE)  # not a button of the box: it stays
    time.sleep(0.5)
    kiosk.wait_for_screen("it-unsaved-changes-still", confirmation_shown)
    cancel_box(kiosk)
    kiosk.wait_for_screen("it-arrangement-edited", arrangement_shown)
    kiosk.touch(*ARRANGEMENT_SAVE)
    deadline = time.monotonic() + 10
    while settings_file(kiosk).get("Products", "selection_%d" % RESERVED, fallback=None) != PARTNER:
        if time.monotonic() > deadline:
            raise KioskError("arrangement not saved: %s" % dict(settings_file(kiosk).items("Products")))
        time.sleep(0.3)
    ordinary = settings_file(kiosk).get("Products", "selection_%d" % ORDINARY)
    expect(ordinary.startswith("main/"), "selection %d holds %s" % (ORDINARY + 1, ordinary))
    kiosk.touch(*ARRANGEMENT_EXIT)
    kiosk.wait_for_screen("it-menu-after-arrangement", menu_shown)

    # Prices: the cash price of the first product sold, typed on the pad beside it.
    first = settings_file(kiosk).get("Products", "selection_0")
    kiosk.touch(*MENU_PRICES)
    kiosk.wait_for_screen("it-prices", prices_shown)
    item = price_item(0)
    kiosk.touch(item[0] + 180, item[1] + 60)
    origin = (item[0] + BUTTON_W, item[1])
    kiosk.wait_for_screen("it-price-pad", pad_shown_at(origin))
    for key in ("4", ",", "2", "0"):
        kiosk.touch(*pad_key(origin, key))
        time.sleep(0.15)
    kiosk.screenshot("it-price-pad-typed")
    kiosk.touch(*pad_key(origin, "ok"))
    kiosk.wait_for_screen("it-price-typed", prices_shown)
    kiosk.touch(*PRICES_SAVE)
    deadline = time.monotonic() + 10
    while saved_edits(kiosk).get((first, "0")) != 420:
        if time.monotonic() > deadline:
            raise KioskError("price not saved: %s" % saved_edits(kiosk))
        time.sleep(0.3)
    kiosk.touch(item[0] + HELP[0], item[1] + HELP[1])
    kiosk.wait_for_screen("it-description", description_shown)
    kiosk.touch(540, 960)
    kiosk.wait_for_screen("it-prices-after-description", prices_shown)
    kiosk.touch(*PRICES_EXIT)
    kiosk.wait_for_screen("it-menu-after-prices", menu_shown)
    leave_menu(kiosk, keys, "sdz1", "it")

    # The customer's grid: the new products and the new price.
    after = visit_grid(kiosk, "grid-after")
    expect(shows_product(after, thumbnail(kiosk, PARTNER), RESERVED),
           "selection %d does not show %s" % (RESERVED + 1, PARTNER))
    expect(shows_product(after, thumbnail(kiosk, ordinary), ORDINARY),
           "selection %d does not show %s" % (ORDINARY + 1, ordinary))
    expect(price_frame_pixels(after, 0) != price_frame_pixels(before, 0), "the grid shows the old price")

    # The same screens in English.
    kiosk.touch(*ENGLISH_BUTTON)
    time.sleep(1)
    open_menu(kiosk, keys, "sdz1", operator, 3, "en-menu")
    kiosk.touch(*MENU_ARRANGEMENT)
    kiosk.wait_for_screen("en-arrangement", arrangement_shown)
    look_at_motor_pad(kiosk, 17, "en-motor-pad")
    kiosk.touch(*selection_body(RESERVED))
    kiosk.wait_for_screen("en-chooser", chooser_shown)
    kiosk.touch(*CHOOSER_EXIT)
    kiosk.wait_for_screen("en-arrangement-again", arrangement_shown)
    kiosk.touch(*ARRANGEMENT_EXIT)
    kiosk.wait_for_screen("en-menu-again", menu_shown)
    kiosk.touch(*MENU_PRICES)
    kiosk.wait_for_screen("en-prices", prices_shown)
    kiosk.touch(item[0] + 180, item[1] + 60)
    kiosk.wait_for_screen("en-price-pad", pad_shown_at(origin))
    kiosk.touch(*pad_key(origin, "cancel"))
    kiosk.wait_for_screen("en-prices-again", prices_shown)
    kiosk.touch(item[0] + HELP[0], item[1] + HELP[1])
    kiosk.wait_for_screen("en-description", description_shown)
    kiosk.touch(540, 960)
    kiosk.wait_for_screen("en-prices-after-description", prices_shown)
    kiosk.touch(*PRICES_EXIT)
    kiosk.wait_for_screen("en-menu-after-prices", menu_shown)
    leave_menu(kiosk, keys, "sdz1", "en")



def cancel_box(kiosk):
    """"Annulla" of the unsaved-changes box: the page stays."""
    kiosk.touch(*CONFIRMATION_CANCEL)

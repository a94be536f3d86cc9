"""Demo content pictures: product thumbnails and large pictures read from the
demo catalogues, home-page slides, the partner banner and events picture.

Products are packaging silhouettes (box, bottle, tube, jar, spray, dropper,
stick, soft pack, blister card) chosen from the product's name and coloured by
its category; the large picture carries the product's name on the label, the
thumbnail carries a short name under the pack."""

import configparser
import glob
import os
import xml.etree.ElementTree as ET

import glyphs as g
from svgkit import (Svg, font, render, mix, WHITE, INK, PAPER, MIST, RED, GREEN, GREEN_DARK, BLUE, BLUE_LIGHT,
                    NAVY_950, NAVY_900, NAVY_800, NAVY_700, SLATE, RADIUS)

BRIXO_ACCENT = "#14a3a8"
BRIXO_DEEP = "#0b5e66"

THUMBNAIL = 192
LARGE = (480, 600)
SLIDE = (901, 1231)
BANNER = (952, 176)          # the window of ":/images/brixo-banner-frame"
EVENTS = (1080, 1590)

# Category colours and pictograms; unknown categories take a colour from the name.
CATEGORIES = {
    "Dolore e febbre": ("#d8433c", "thermometer"),
    "Raffreddore e gola": ("#2f7fd0", "drop"),
    "Igiene orale": ("#1e9bc4", "tooth"),
    "Cura della pelle": ("#d9658f", "drop"),
    "Protezione solare": ("#ee8f1c", "sun"),
    "Integratori": ("#e0b114", "capsule"),
    "Primo soccorso": ("#23a06a", "cross"),
    "Igiene personale": ("#7a63d0", "bubbles"),
    "Mamma e bambino": ("#5aa6e6", "heart"),
    "Dispositivi e test": ("#56657f", "pulse"),
    "Brixo Viso": (BRIXO_ACCENT, "leaf"),
    "Brixo Corpo": (BRIXO_DEEP, "leaf"),
    "Brixo Sole": ("#e39b2d", "sun"),
}
FALLBACK_COLOURS = ["#d8433c", "#2f7fd0", "#23a06a", "#7a63d0", "#ee8f1c", "#1e9bc4", "#d9658f"]

# First matching keyword (in the lower-case name) decides the pack.
SHAPES = [
    ("spazzolino", "blister"), ("termometro", "blister"), ("spray", "spray"), ("siero", "dropper"),
    ("burrocacao", "stick"), ("balsamo labbra", "stick"), ("crema viso", "jar"), ("crema corpo", "jar"),
    ("fazzoletti", "pouch"), ("salviette", "pouch"), ("pannolini", "pouch"), ("ghiaccio", "pouch"),
    ("sciroppo", "bottle"), ("collutorio", "bottle"), ("micellare", "bottle"), ("detergente", "bottle"),
    ("latte", "bottle"), ("crema", "tube"), ("dentifricio", "tube"), ("pasta", "tube"), ("gel", "tube"),
    ("contorno", "tube"), ("fluido", "tube"),
]


# --- partner brand ---------------------------------------------------------------
def brixo_leaf(svg, x, y, size, colour=WHITE):
    """The partner's mark: a leaf in a rounded square."""
    s = size / 100.0
    svg.rect(x, y, size, size, r=22 * s, fill=BRIXO_ACCENT)
    svg.path("M{a} {b} C{c} {d} {e} {f} {g} {h} C{i} {j} {k} {l} {a} {b} Z".format(
        a=x + 24 * s, b=y + 78 * s, c=x + 20 * s, d=y + 40 * s, e=x + 50 * s, f=y + 22 * s,
        g=x + 80 * s, h=y + 20 * s, i=x + 80 * s, j=y + 56 * s, k=x + 56 * s, l=y + 80 * s), fill=colour)
    svg.path("M%.1f %.1f Q%.1f %.1f %.1f %.1f" % (x + 26 * s, y + 76 * s, x + 48 * s, y + 50 * s, x + 70 * s, y + 32 * s),
             fill="none", stroke=BRIXO_ACCENT, stroke_width=5 * s, stroke_linecap="round")


def brixo_wordmark(svg, x, y, height, colour):
    """Mark and name, height tall, starting at (x, y); returns the width."""
    brixo_leaf(svg, x, y, height)
    size = height * 0.92
    svg.text(x + height * 1.18, y + height * 0.80, "brixo", size, fill=colour)
    return height * 1.18 + font(True).width("brixo", size)


def pharmacy_mark(svg, x, y, height, colour):
    """The house mark of the shop's own products: a green cross and "FARMACIA"."""
    arm = height / 3.0
    svg.path("M{a} {b} h{m} v{m} h{m} v{m} h-{m} v{m} h-{m} v-{m} h-{m} v-{m} h{m} z".format(
        a=x + arm, b=y, m=arm), fill=GREEN)
    size = height * 0.62
    svg.text(x + height * 1.25, y + height * 0.78, "FARMACIA", size, fill=colour)


# --- catalogue -----------------------------------------------------------------------
class Product:
    def __init__(self, catalogue, element, directory):
        self.catalogue = catalogue
        self.local_id = element.get("id", "").split("/", 1)[-1]
        self.name = element.get("name", "")
        self.category = element.get("category", "")
        self.directory = directory

    @property
    def brixo(self):
        return "brixo" in self.catalogue

    @property
    def colour(self):
        if self.category in CATEGORIES:
            return CATEGORIES[self.category][0]
        return FALLBACK_COLOURS[sum(map(ord, self.category)) % len(FALLBACK_COLOURS)]

    @property
    def pictogram(self):
        return CATEGORIES.get(self.category, (None, "cross"))[1]

    @property
    def shape(self):
        lower = self.name.lower()
        return next((shape for key, shape in SHAPES if key in lower), "box")

    def title_and_size(self):
        """("Paracetamolo 500 mg", "20 compresse"): the name and its pack size."""
        title, _, size = self.name.partition(" - ")
        if self.brixo and title.startswith("Brixo "):
            title = title[len("Brixo "):]
        return title, size


def read_catalogues(products_dir):
    products = []
    for index in sorted(glob.glob(os.path.join(products_dir, "*", "index.xml"))):
        root = ET.parse(index).getroot()
        if root.tag != "catalogue" or not root.get("name"):
            continue
        for element in root.findall("product"):
            product = Product(root.get("name"), element, os.path.dirname(index))
            if product.local_id:
                products.append(product)
    return products


# --- pictograms (white, 96 grid) --------------------------------------------------------
def pictogram(name):
    if name == "thermometer":
        return (g.lines("M42 24 A6 6 0 0 1 54 24 V56 A14 14 0 1 1 42 56 Z", g.THIN)
                + '<circle cx="48" cy="66" r="7" fill="#fff"/>' + g.lines("M48 40 V62", g.THIN))
    if name == "drop":
        return '<path d="M48 16 C60 34 72 46 72 60 A24 24 0 0 1 24 60 C24 46 36 34 48 16 Z" fill="#fff"/>'
    if name == "tooth":
        return ('<path d="M28 30 C28 18 42 18 48 24 C54 18 68 18 68 30 C68 44 62 50 60 76 C58 82 52 80 52 74 '
                'C50 62 46 62 44 74 C44 80 38 82 36 76 C34 50 28 44 28 30 Z" fill="#fff"/>')
    if name == "sun":
        rays = "".join("M48 48 m%.1f %.1f l%.1f %.1f " % (c * 26, s * 26, c * 12, s * 12)
                       for c, s in ((1, 0), (0.707, 0.707), (0, 1), (-0.707, 0.707), (-1, 0), (-0.707, -0.707),
                                    (0, -1), (0.707, -0.707)))
        return '<circle cx="48" cy="48" r="16" fill="#fff"/>' + g.lines(rays, g.THIN)
    if name == "capsule":
        return ('<g transform="rotate(-40 48 48)"><rect x="36" y="18" width="24" height="60" rx="12" fill="none" '
                'stroke="#fff" stroke-width="6"/><path d="M36 48 H60 V66 A12 12 0 0 1 36 66 Z" fill="#fff"/></g>')
    if name == "cross":
        return '<path d="M38 20 h20 v18 h18 v20 h-18 v18 h-20 v-18 h-18 v-20 h18 z" fill="#fff"/>'
    if name == "bubbles":
        return ('<circle cx="40" cy="54" r="18" fill="none" stroke="#fff" stroke-width="6"/>'
                '<circle cx="64" cy="34" r="11" fill="none" stroke="#fff" stroke-width="5"/>'
                '<circle cx="66" cy="66" r="6" fill="#fff"/>')
    if name == "heart":
        return '<path d="M48 76 C20 56 18 42 22 32 C28 20 44 20 48 34 C52 20 68 20 74 32 C78 42 76 56 48 76 Z" fill="#fff"/>'
    if name == "pulse":
        return g.lines("M16 50 H34 L42 30 L54 70 L62 50 H80")
    if name == "leaf":
        return ('<path d="M24 74 C20 40 48 20 76 18 C78 52 56 76 24 74 Z" fill="#fff"/>'
                '<path d="M28 70 Q48 48 66 30" fill="none" stroke="#14a3a8" stroke-width="5" stroke-linecap="round"/>')
    return g.check()


def badge(svg, cx, cy, r, colour, name):
    svg.circle(cx, cy, r, fill=colour, stroke=WHITE, stroke_width=max(2, r * 0.12))
    scale = r * 1.5 / 96.0
    svg.add('<g transform="translate(%.1f %.1f) scale(%.3f)">%s</g>' % (cx - 48 * scale, cy - 48 * scale, scale,
                                                                      pictogram(name)))


# --- packs (drawn in a 400 x 520 box; each returns its label rectangle) ---------------------
def shade(colour, t):
    return mix(colour, "#000000", t)


def tint(colour, t):
    return mix(colour, WHITE, t)


def pack_box(svg, c):
    svg.path("M60 90 L100 58 H382 L342 90 Z", fill=tint(c, 0.35))
    svg.path("M342 90 L382 58 V488 L342 520 Z", fill=shade(c, 0.28))
    svg.rect(60, 90, 282, 430, r=4, fill=svg.linear([(0, tint(c, 0.08)), (1, c)]))
    svg.rect(60, 90, 282, 64, r=0, fill=shade(c, 0.18))
    return (82, 178, 238, 250), (72, 100, 46)


def pack_bottle(svg, c):
    svg.rect(160, 28, 80, 70, r=10, fill=shade(c, 0.35))
    svg.path("M172 98 H228 V128 C228 150 300 160 300 200 V500 A20 20 0 0 1 280 520 H120 A20 20 0 0 1 100 500 V200 "
             "C100 160 172 150 172 128 Z", fill=svg.linear([(0, tint(c, 0.12)), (1, shade(c, 0.08))], 0, 0, 1, 0))
    svg.rect(112, 210, 18, 270, r=9, fill=WHITE, fill_opacity=0.22)
    return (118, 236, 164, 230), (130, 140, 0)


def pack_tube(svg, c):
    svg.rect(86, 34, 228, 34, r=6, fill=shade(c, 0.2))
    svg.path("M90 68 H310 L282 440 H118 Z", fill=svg.linear([(0, tint(c, 0.1)), (1, shade(c, 0.05))], 0, 0, 1, 0))
    svg.rect(150, 440, 100, 80, r=12, fill=shade(c, 0.35))
    svg.path("M100 80 L112 420", stroke=WHITE, stroke_opacity=0.25, stroke_width=14, stroke_linecap="round")
    return (120, 150, 160, 230), (130, 90, 30)


def pack_jar(svg, c):
    svg.rect(80, 210, 240, 74, r=14, fill=svg.linear([(0, tint(c, 0.2)), (1, shade(c, 0.25))]))
    svg.rect(92, 284, 216, 236, r=30, fill=svg.linear([(0, WHITE), (1, MIST)], 0, 0, 1, 0))
    svg.rect(92, 300, 216, 26, r=0, fill=c)
    return (108, 336, 184, 164), (104, 218, 0)


def pack_spray(svg, c):
    svg.rect(150, 100, 100, 110, r=18, fill=shade(c, 0.3))
    svg.rect(246, 126, 52, 22, r=8, fill=shade(c, 0.45))
    svg.rect(168, 56, 64, 50, r=10, fill=tint(c, 0.5))
    svg.rect(110, 200, 180, 320, r=34, fill=svg.linear([(0, tint(c, 0.12)), (1, shade(c, 0.08))], 0, 0, 1, 0))
    svg.rect(124, 220, 16, 270, r=8, fill=WHITE, fill_opacity=0.22)
    return (122, 260, 156, 210), (122, 210, 0)


def pack_dropper(svg, c):
    svg.path("M176 150 V70 A24 24 0 0 1 224 70 V150 Z", fill=shade(c, 0.4))
    svg.rect(160, 150, 80, 80, r=8, fill=shade(c, 0.25))
    svg.rect(112, 230, 176, 290, r=40, fill=svg.linear([(0, tint(c, 0.15)), (1, shade(c, 0.1))], 0, 0, 1, 0))
    svg.rect(126, 250, 16, 240, r=8, fill=WHITE, fill_opacity=0.25)
    return (124, 292, 152, 190), (126, 240, 0)


def pack_stick(svg, c):
    svg.rect(136, 40, 128, 200, r=22, fill=shade(c, 0.3))
    svg.rect(130, 232, 140, 14, r=4, fill=tint(c, 0.4))
    svg.rect(136, 246, 128, 274, r=22, fill=svg.linear([(0, tint(c, 0.1)), (1, shade(c, 0.1))], 0, 0, 1, 0))
    return (144, 280, 112, 200), (150, 70, 0)


def pack_pouch(svg, c):
    zig = " ".join("L%d %d" % (50 + i * 15, 150 if i % 2 else 132) for i in range(21))
    svg.path("M50 150 %s L350 150 V470 A50 50 0 0 1 300 520 H100 A50 50 0 0 1 50 470 Z" % zig,
             fill=svg.linear([(0, tint(c, 0.12)), (1, shade(c, 0.05))]))
    svg.path("M70 200 C60 330 60 420 84 490", stroke=WHITE, stroke_opacity=0.22, stroke_width=16,
             stroke_linecap="round", fill="none")
    return (86, 232, 228, 236), (94, 170, 0)


def pack_blister(svg, c, item):
    svg.rect(64, 40, 272, 480, r=24, fill=svg.linear([(0, tint(c, 0.1)), (1, c)]))
    svg.rect(170, 62, 60, 22, r=11, fill=NAVY_950, fill_opacity=0.65)
    svg.rect(100, 110, 200, 190, r=20, fill=WHITE, fill_opacity=0.55, stroke=WHITE, stroke_width=4)
    if item == "termometro":
        svg.rect(130, 188, 140, 30, r=15, fill=WHITE, stroke=SLATE, stroke_width=4)
        svg.rect(130, 188, 54, 30, r=15, fill=shade(c, 0.2))
        svg.rect(196, 194, 44, 18, r=4, fill=NAVY_800)
    else:
        svg.rect(124, 196, 152, 16, r=8, fill=WHITE, stroke=SLATE, stroke_width=4)
        for i in range(5):
            svg.rect(228 + i * 9, 168, 6, 30, r=3, fill=BLUE_LIGHT)
    return (88, 320, 224, 180), (96, 470, 0)


def draw_pack(svg, product):
    c = product.colour
    shape = product.shape
    if shape == "blister":
        return pack_blister(svg, c, "termometro" if "termometro" in product.name.lower() else "spazzolino")
    return {"box": pack_box, "bottle": pack_bottle, "tube": pack_tube, "jar": pack_jar, "spray": pack_spray,
            "dropper": pack_dropper, "stick": pack_stick, "pouch": pack_pouch}[shape](svg, c)


def brand_mark(svg, product, x, y, height, on_colour):
    if product.brixo:
        brixo_wordmark(svg, x, y, height, WHITE if on_colour else BRIXO_DEEP)
    else:
        pharmacy_mark(svg, x, y, height, WHITE if on_colour else INK)


def pack_picture(product, with_name):
    """The pack in its 400 x 520 design box, with the label filled in."""
    svg = Svg(400, 560)
    svg.ellipse(200, 528, 170, 22, fill=svg.radial([(0, "#000000", 0.35), (1, "#000000", 0)]))
    (lx, ly, lw, lh), (bx, by, bh) = draw_pack(svg, product)
    svg.rect(lx, ly, lw, lh, r=RADIUS, fill=WHITE, stroke=shade(product.colour, 0.2), stroke_width=2)
    if bh:
        brand_mark(svg, product, bx, by, bh, True)
    else:
        brand_mark(svg, product, lx + 12, ly + 12, 24, False)
    top = ly + (48 if not bh else 14)
    if with_name:
        title, size = product.title_and_size()
        room = ly + lh - top - 12 - (30 if size else 0)
        text_size, lines = font(True).fit(title, lw - 24, room, 44, 15)
        block = len(lines) * text_size * 1.18
        svg.text_block(lx + lw / 2, top + (room - block) / 2, lines, text_size, True, INK)
        if size:
            # Left of the category badge in the label's lower right corner.
            width = lw - 66
            fitted, size_lines = font(False).fit(size, width, 30, 22, 12)
            svg.text(lx + 8 + width / 2, ly + lh - 12, size_lines[0], fitted, bold=False, fill=SLATE, anchor="middle")
    else:
        for i in range(3):
            w = (lw - 40) * (1.0, 0.8, 0.55)[i]
            svg.rect(lx + 20, top + 14 + i * 28, w, 12, r=6, fill=MIST)
    badge(svg, lx + lw - 6, ly + lh - 6, 30, product.colour, product.pictogram)
    return svg


def large_picture(product):
    width, height = LARGE
    svg = Svg(width, height)
    pack = pack_picture(product, True)
    svg.defs.update(pack.defs)
    scale = min(width / 400.0, (height - 10) / 560.0)
    svg.add('<g transform="translate(%.1f 5) scale(%.4f)">%s</g>' % ((width - 400 * scale) / 2, scale, pack.fragment()))
    return svg


def thumbnail(product):
    svg = Svg(THUMBNAIL, THUMBNAIL)
    pack = pack_picture(product, False)
    svg.defs.update(pack.defs)
    scale = 128 / 560.0
    svg.add('<g transform="translate(%.1f 2) scale(%.4f)">%s</g>' % ((THUMBNAIL - 400 * scale) / 2, scale, pack.fragment()))
    title, _ = product.title_and_size()
    size, lines = font(True).fit(short_name(title), THUMBNAIL - 4, 58, 24, 17)
    if len(lines) > 2:
        lines = lines[:2]
    svg.text_block(THUMBNAIL / 2, 134 + (58 - len(lines) * size * 1.18) / 2, lines, size, True, INK)
    return svg


DETAIL_WORDS = {"taglia", "con", "per", "senza", "al", "alla", "da", "dopo", "tipo"}


def short_name(title):
    """The first words that name the product, without strengths and details."""
    words = title.split()
    kept = []
    for word in words:
        if kept and (any(ch.isdigit() for ch in word) or word.upper() == word and len(word) > 1
                     or word.lower() in DETAIL_WORDS):
            break
        kept.append(word)
        if len([w for w in kept if len(w) > 3]) == 2:
            break
    return " ".join(kept)


# --- slides, banner, events --------------------------------------------------------------
def shop_name(root):
    settings = configparser.ConfigParser(interpolation=None)
    settings.read(os.path.join(root, "demo", "Korvane", "VM24.ini"))
    return settings.get("General", "user-text", fallback="La tua farmacia")


def slide_background(svg, top, bottom):
    w, h = SLIDE
    svg.rect(0, 0, w, h, r=0, fill=svg.linear([(0, top), (1, bottom)]))
    svg.circle(w * 0.85, h * 0.12, 300, fill=WHITE, fill_opacity=0.05)
    svg.circle(w * 0.1, h * 0.9, 380, fill=WHITE, fill_opacity=0.04)


def place(svg, picture, x, y, size):
    svg.defs.update(picture.defs)
    svg.add('<g transform="translate(%.1f %.1f) scale(%.4f)">%s</g>' % (x, y, size / picture.width, picture.fragment()))


def text_lines(svg, cx, top, text, width, height, largest, bold=True, fill=WHITE):
    size, lines = font(bold).fit(text, width, height, largest)
    svg.text_block(cx, top, lines, size, bold, fill)
    return top + len(lines) * size * 1.18


def slide_welcome(root, products):
    svg = Svg(*SLIDE)
    slide_background(svg, "#0f7a43", "#0a4f2c")
    w, h = SLIDE
    cross = 300
    arm = cross / 3
    svg.path("M{a} {b} h{m} v{m} h{m} v{m} h-{m} v{m} h-{m} v-{m} h-{m} v-{m} h{m} z".format(
        a=w / 2 - arm / 2, b=150, m=arm), fill=WHITE)
    y = text_lines(svg, w / 2, 540, shop_name(root), 800, 180, 72)
    y = text_lines(svg, w / 2, y + 40, "Quando la farmacia è chiusa, siamo qui per te", 760, 200, 46, False)
    svg.rect(150, 1000, 600, 110, r=55, fill=WHITE)
    svg.text(w / 2, 1073, "APERTO 24 ORE SU 24", 44, fill="#0a5f33", anchor="middle")
    return svg


def slide_products(title, subtitle, top, bottom, chosen, text=WHITE):
    svg = Svg(*SLIDE)
    slide_background(svg, top, bottom)
    w, _ = SLIDE
    y = text_lines(svg, w / 2, 90, title, 800, 200, 72, fill=text)
    text_lines(svg, w / 2, y + 20, subtitle, 760, 140, 40, False, fill=text)
    for i, product in enumerate(chosen[:4]):
        col, row = i % 2, i // 2
        place(svg, large_picture(product), 90 + col * 380, 420 + row * 400, 320)
    return svg


def slide_how_to(root, products):
    svg = Svg(*SLIDE)
    slide_background(svg, NAVY_700, NAVY_950)
    w, _ = SLIDE
    text_lines(svg, w / 2, 90, "Come acquistare", 800, 100, 72)
    steps = [("1", "Tocca lo schermo e scegli il prodotto", BLUE_LIGHT),
             ("2", "Inserisci monete o banconote, o avvicina la carta", GREEN_DARK),
             ("3", "Conferma e ritira il prodotto qui sotto", RED)]
    for i, (number, text, colour) in enumerate(steps):
        y = 300 + i * 300
        svg.rect(60, y, 781, 240, fill=WHITE, fill_opacity=0.08, stroke=WHITE, stroke_opacity=0.25, stroke_width=2)
        svg.circle(170, y + 120, 76, fill=colour, stroke=WHITE, stroke_width=4)
        svg.text(170, y + 148, number, 80, anchor="middle")
        size, lines = font(True).fit(text, 520, 200, 44)
        block = len(lines) * size * 1.18
        svg.text_block(290, y + (240 - block) / 2, lines, size, True, WHITE, anchor="start", x=290)
    svg.text(w / 2, 1160, "Il resto viene restituito in monete", 38, bold=False, anchor="middle")
    return svg


def slides(root, products):
    by_category = lambda names: [p for p in products if p.category in names]
    brixo = [p for p in products if p.brixo]
    return {
        "01-benvenuti": slide_welcome(root, products),
        "02-come-acquistare": slide_how_to(root, products),
        "03-estate": slide_products("Pronti per il sole", "Protezione e cura dopo l'esposizione", "#ee8f1c", "#b4560c",
                                    by_category({"Protezione solare", "Brixo Sole", "Cura della pelle"})),
        "04-brixo": slide_products("La linea Brixo", "Benessere per viso e corpo, ogni giorno", WHITE, MIST,
                                   brixo, BRIXO_DEEP),
        "05-primo-soccorso": slide_products("Sempre a portata di mano", "Primo soccorso e dolore, anche di notte",
                                            NAVY_700, NAVY_950, by_category({"Primo soccorso", "Dolore e febbre"})),
    }


def brixo_banner(products):
    w, h = BANNER
    svg = Svg(w, h)
    svg.rect(0, 0, w, h, r=0, fill=svg.linear([(0, BRIXO_ACCENT), (1, BRIXO_DEEP)], 0, 0, 1, 0))
    svg.circle(w - 80, -40, 220, fill=WHITE, fill_opacity=0.08)
    brixo_wordmark(svg, 30, 30, 64, WHITE)
    svg.text(34, 140, "Scopri la linea viso e corpo", 34, bold=False)
    for i, product in enumerate([p for p in products if p.brixo][:3]):
        place(svg, large_picture(product), w - 150 - i * 120, 10, 124)
    return svg


def brixo_events(products):
    w, h = EVENTS
    svg = Svg(w, h)
    svg.rect(0, 0, w, h, r=0, fill=svg.linear([(0, BRIXO_DEEP), (1, NAVY_900)]))
    svg.circle(w, 0, 420, fill=BRIXO_ACCENT, fill_opacity=0.25)
    brixo_wordmark(svg, 80, 80, 110, WHITE)
    text_lines(svg, w / 2, 280, "Giornate del benessere in farmacia", 900, 200, 64)
    events = [("12", "OTT", "Analisi della pelle", "Consulenza gratuita con un'esperta Brixo"),
              ("19", "OTT", "Pelle e freddo", "Come proteggere viso e mani in inverno"),
              ("26", "OTT", "Routine della sera", "Detersione e idratazione, passo per passo")]
    for i, (day, month, title, text) in enumerate(events):
        y = 520 + i * 240
        svg.rect(80, y, 920, 200, fill=WHITE)
        svg.rect(80, y, 180, 200, r=RADIUS, fill=BRIXO_ACCENT)
        svg.text(170, y + 110, day, 80, anchor="middle")
        svg.text(170, y + 165, month, 40, anchor="middle")
        svg.text(290, y + 80, title, 46, fill=INK)
        size, lines = font(False).fit(text, 680, 80, 32)
        svg.text_block(290, y + 104, lines, size, False, SLATE, anchor="start", x=290)
    for i, product in enumerate([p for p in products if p.brixo][:3]):
        place(svg, large_picture(product), 150 + i * 280, 1230, 220)
    svg.text(w / 2, 1560, "Chiedi in farmacia per prenotare", 38, bold=False, anchor="middle")
    return svg


# --- output -----------------------------------------------------------------------------
def generate(root, svg_root):
    data = os.path.join(root, "demo", "data")
    products = read_catalogues(os.path.join(data, "products"))
    if not products:
        raise SystemExit("no demo catalogue under %s/products" % data)
    outputs = []
    for product in products:
        base = os.path.join(product.directory, product.local_id)
        svg_base = os.path.join(svg_root, "products", product.catalogue, product.local_id)
        outputs.append((thumbnail(product), svg_base + ".svg", base + ".png"))
        outputs.append((large_picture(product), svg_base + "_large.svg", base + "_large.png"))
    for name, svg in slides(root, products).items():
        outputs.append((svg, os.path.join(svg_root, "media", name + ".svg"), os.path.join(data, "media", name + ".png")))
    outputs.append((brixo_banner(products), os.path.join(svg_root, "brixo-banner.svg"),
                    os.path.join(data, "brixo-banner", "brixo-banner.png")))
    outputs.append((brixo_events(products), os.path.join(svg_root, "brixo-events.svg"),
                    os.path.join(data, "brixo-events", "brixo-events.jpg")))
    from svgkit import write_and_render
    for svg, svg_path, out in outputs:
        write_and_render(svg, svg_path, out)
    return len(outputs)

"""Line glyphs on a 96 x 96 grid, white on the coloured disc or tile of an icon.

Each glyph is an SVG fragment drawn with the current stroke (round caps and
joins, 8 units wide) unless it fills its own shapes.
"""

from svgkit import WHITE, FONT_FAMILY

STROKE = 'fill="none" stroke="%s" stroke-width="8" stroke-linecap="round" stroke-linejoin="round"' % WHITE
THIN = 'fill="none" stroke="%s" stroke-width="5" stroke-linecap="round" stroke-linejoin="round"' % WHITE
FILL = 'fill="%s"' % WHITE


def lines(d, style=STROKE):
    return '<path d="%s" %s/>' % (d, style)


def label(text, size=56, y=None):
    baseline = 48 + size * 0.36 if y is None else y
    return ('<text x="48" y="%.1f" font-family="%s" font-size="%d" font-weight="bold" fill="%s" '
            'text-anchor="middle">%s</text>' % (baseline, FONT_FAMILY, size, WHITE, text))


def slash(gap):
    """A diagonal bar, cut out of the glyph below it by a band of the icon's colour."""
    return lines("M22 22 L74 74", STROKE.replace(WHITE, gap).replace('"8"', '"18"')) + lines("M22 22 L74 74")


# --- actions -----------------------------------------------------------------
def check():
    return lines("M27 50 L42 65 L70 33")


def cross():
    return lines("M33 33 L63 63 M63 33 L33 63")


def plus():
    return lines("M48 26 V70 M26 48 H70")


def minus():
    return lines("M26 48 H70")


def chevron_right():
    return lines("M40 26 L62 48 L40 70")


def chevron_left():
    return lines("M56 26 L34 48 L56 70")


def chevron_down():
    return lines("M26 40 L48 62 L70 40")


def exit_door():
    return lines("M46 24 H28 V72 H46") + lines("M42 48 H74 M62 36 L74 48 L62 60")


def floppy():
    return (lines("M25 23 H62 L73 34 V73 H25 Z", THIN)
            + lines("M35 23 V38 H58 V23", THIN)
            + lines("M34 73 V54 H64 V73", THIN))


def question():
    return lines("M36 37 C36 22 60 22 60 37 C60 48 48 48 48 58", STROKE) + '<circle cx="48" cy="72" r="5.5" %s/>' % FILL


def power():
    return lines("M48 22 V46") + lines("M34 31 A24 24 0 1 0 62 31")


def circular_arrow():
    return lines("M70 50 A22 22 0 1 1 62 31") + lines("M62 19 V33 H48")


def refresh_arrows():
    return (lines("M25 44 A23 23 0 0 1 67 34") + lines("M69 22 V36 H55")
            + lines("M71 52 A23 23 0 0 1 29 62") + lines("M27 74 V60 H41"))


def headset():
    return (lines("M24 56 V48 A24 24 0 0 1 72 48 V56")
            + '<rect x="18" y="50" width="14" height="22" rx="5" %s/>' % FILL
            + '<rect x="64" y="50" width="14" height="22" rx="5" %s/>' % FILL
            + lines("M71 72 C71 80 62 82 52 82", THIN))


def coins():
    out = ""
    for i, y in enumerate((66, 54, 42)):
        out += '<ellipse cx="48" cy="%d" rx="22" ry="8" %s/>' % (y, THIN)
        out += '<path d="M26 %d V%d M70 %d V%d" %s/>' % (y, y + 8, y, y + 8, THIN) if i else ""
    return out + '<path d="M26 66 V74 A22 8 0 0 0 70 74 V66" %s/>' % THIN


def bell():
    return (lines("M30 64 V46 A18 18 0 0 1 66 46 V64 L72 70 H24 Z", THIN)
            + '<path d="M42 74 A6 6 0 0 0 54 74 Z" %s/>' % FILL + lines("M48 22 V28", THIN))


def bell_ringing():
    return bell() + lines("M18 36 A30 30 0 0 1 26 24 M78 36 A30 30 0 0 0 70 24", THIN)


# --- flags (filled, drawn over the whole 96 grid, clipped by the caller) ---
def flag_it():
    return ('<rect x="0" y="0" width="32" height="96" fill="#009246"/>'
            '<rect x="32" y="0" width="32" height="96" fill="#f4f5f0"/>'
            '<rect x="64" y="0" width="32" height="96" fill="#ce2b37"/>')


def flag_en():
    blue, red, white = "#012169", "#c8102e", "#ffffff"
    return ('<rect x="0" y="0" width="96" height="96" fill="%s"/>' % blue
            + '<path d="M-10 -4 L106 100 M106 -4 L-10 100" stroke="%s" stroke-width="18"/>' % white
            + '<path d="M-10 -4 L48 48 M106 100 L48 48" stroke="%s" stroke-width="6" transform="translate(-3 3)"/>' % red
            + '<path d="M106 -4 L48 48 M-10 100 L48 48" stroke="%s" stroke-width="6" transform="translate(3 3)"/>' % red
            + '<path d="M48 -4 V100 M-4 48 H100" stroke="%s" stroke-width="28"/>' % white
            + '<path d="M48 -4 V100 M-4 48 H100" stroke="%s" stroke-width="16"/>' % red)


def globe():
    return ('<circle cx="48" cy="48" r="26" %s/>' % THIN
            + lines("M22 48 H74 M48 22 C34 36 34 60 48 74 M48 22 C62 36 62 60 48 74", THIN))


# --- event log -----------------------------------------------------------------
def list_lines():
    out = ""
    for y in (30, 48, 66):
        out += '<circle cx="27" cy="%d" r="5" %s/>' % (y, FILL)
    return out + lines("M40 30 H72 M40 48 H72 M40 66 H72")


def basket():
    return (lines("M20 42 H76 L69 72 H27 Z", THIN) + lines("M34 42 L44 22 M62 42 L52 22", THIN)
            + lines("M38 52 V62 M48 52 V62 M58 52 V62", THIN))


def cart():
    return (lines("M16 24 H27 L35 60 H70 L76 36 H30", THIN)
            + '<circle cx="40" cy="72" r="5.5" %s/><circle cx="65" cy="72" r="5.5" %s/>' % (FILL, FILL))


def card(extra=""):
    return (lines("M18 30 H78 V68 H18 Z", THIN) + '<rect x="18" y="38" width="60" height="9" %s/>' % FILL
            + lines("M26 59 H44", THIN) + extra)


def card_recharge():
    return (lines("M14 38 H62 V72 H14 Z", THIN) + '<rect x="14" y="45" width="48" height="7" %s/>' % FILL
            + lines("M76 44 V18 M66 28 L76 18 L86 28", THIN))


def coins_out():
    return ('<ellipse cx="36" cy="66" rx="18" ry="7" %s/>' % THIN
            + '<path d="M18 66 V72 A18 7 0 0 0 54 72 V66" %s/>' % THIN
            + '<ellipse cx="36" cy="54" rx="18" ry="7" %s/>' % THIN
            + lines("M72 22 V62 M62 52 L72 62 L82 52", THIN))


def receipt():
    return (lines("M28 18 H68 V78 L61 72 L54 78 L48 72 L42 78 L35 72 L28 78 Z", THIN)
            + lines("M37 34 H59 M37 46 H59 M37 58 H51", THIN))


def siren():
    return (lines("M30 66 V50 A18 18 0 0 1 66 50 V66", THIN) + '<rect x="22" y="66" width="52" height="10" rx="3" %s/>' % FILL
            + lines("M48 18 V24 M22 28 L27 33 M74 28 L69 33", THIN) + lines("M44 48 A6 6 0 0 1 50 42", THIN))


def info():
    return '<circle cx="48" cy="26" r="6" %s/>' % FILL + lines("M40 42 H49 V72 M40 72 H58")


def warning():
    return lines("M48 20 L78 72 H18 Z", THIN) + lines("M48 40 V56") + '<circle cx="48" cy="65" r="4.5" %s/>' % FILL


def plug():
    return (lines("M36 18 V32 M60 18 V32", THIN) + lines("M28 32 H68 V46 A20 20 0 0 1 28 46 Z", THIN)
            + lines("M48 66 V80", THIN))


def coin_into_slot():
    return ('<circle cx="48" cy="36" r="16" %s/>' % THIN + label("€", 22, 44)
            + lines("M22 66 H74", STROKE) + lines("M48 54 V60", THIN))


def banknote():
    return (lines("M14 30 H82 V66 H14 Z", THIN) + '<circle cx="48" cy="48" r="10" %s/>' % THIN
            + lines("M24 40 V56 M72 40 V56", THIN))


def contactless():
    return (lines("M30 34 A20 20 0 0 1 30 62", THIN) + lines("M42 26 A32 32 0 0 1 42 70", THIN)
            + lines("M54 18 A44 44 0 0 1 54 78", THIN) + '<circle cx="20" cy="48" r="5" %s/>' % FILL)


def terminal():
    keys = ""
    for row in range(3):
        for col in range(3):
            keys += '<rect x="%d" y="%d" width="8" height="6" rx="1.5" %s/>' % (35 + col * 10, 50 + row * 9, FILL)
    return lines("M28 16 H68 V82 H28 Z", THIN) + '<rect x="35" y="24" width="26" height="16" rx="2" %s/>' % FILL + keys


def play():
    return '<path d="M36 26 L70 48 L36 70 Z" %s/>' % FILL


def stop_square():
    return '<rect x="30" y="30" width="36" height="36" rx="5" %s/>' % FILL


def euro():
    return label("€", 60)


def battery():
    return (lines("M16 32 H72 V64 H16 Z", THIN) + '<rect x="72" y="42" width="8" height="12" rx="2" %s/>' % FILL
            + '<rect x="23" y="39" width="16" height="18" rx="2" %s/>' % FILL)


def shield(inner):
    return lines("M48 16 L74 26 V46 C74 62 62 74 48 80 C34 74 22 62 22 46 V26 Z", THIN) + inner


def badge_check():
    return ('<circle cx="72" cy="72" r="17" fill="#1f9d57" stroke="#ffffff" stroke-width="4"/>'
            '<path d="M64 72 L70 78 L80 66" fill="none" stroke="#ffffff" stroke-width="5" '
            'stroke-linecap="round" stroke-linejoin="round"/>')

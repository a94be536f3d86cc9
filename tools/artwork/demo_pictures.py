"""Demo content pictures: product thumbnails and large pictures read from the
demo catalogues, home-page slides, the partner banner and events picture."""

from svgkit import Svg, font, WHITE, INK

BRIXO_ACCENT = "#14a3a8"
BRIXO_DEEP = "#0b5e66"


def brixo_leaf(svg, x, y, size, colour):
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
    brixo_leaf(svg, x, y, height, WHITE)
    size = height * 0.92
    svg.text(x + height * 1.18, y + height * 0.80, "brixo", size, fill=colour)
    return height * 1.18 + font(True).width("brixo", size)

"""Small kit shared by every drawing of the artwork generator.

Palette, the one shadow, the one corner radius, an SVG document builder and
text measurement read straight from the DejaVu Sans font files, so that words
can be wrapped and fitted before rsvg-convert renders the document.
"""

import itertools
import os
import shutil
import struct
import subprocess
from xml.sax.saxutils import escape

# --- palette ---------------------------------------------------------------
NAVY_950 = "#060e20"
NAVY_900 = "#0a1630"
NAVY_800 = "#0e1e42"
NAVY_700 = "#142a5a"
NAVY_600 = "#1b3670"
BLUE = "#00238c"          # normal dispenser state, product cards
BLUE_LIGHT = "#1f4fd1"
RED = "#ba292e"           # banners and calls to action: fill
RED_DARK = "#70030b"      # banners: outline
RED_LIGHT = "#d9474c"
GREEN = "#1f9d57"         # health accent (icons, available states)
GREEN_DARK = "#0b6b3a"    # green that carries white text
GREEN_LIGHT = "#37c173"
OCHRE = "#ba972d"         # empty column
OCHRE_DARK = "#8a6d14"
ERROR_RED = "#b82c2c"     # dispenser in error
SLATE = "#3a475e"
SLATE_LIGHT = "#56647d"
INK = "#0b1633"           # text on light surfaces
WHITE = "#ffffff"
PAPER = "#f4f6fa"
MIST = "#dfe5ef"

RADIUS = 11               # the one corner radius of the whole look
FONT_FAMILY = "DejaVu Sans"

FONT_DIR = "/usr/share/fonts/truetype/dejavu"


class Font:
    """Advance widths of a TrueType font, enough to measure and wrap text."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        tables = {}
        count = struct.unpack(">H", data[4:6])[0]
        for i in range(count):
            tag, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
            tables[tag.decode("latin-1")] = (offset, length)
        self.units_per_em = struct.unpack(">H", data[tables["head"][0] + 18:tables["head"][0] + 20])[0]
        metric_count = struct.unpack(">H", data[tables["hhea"][0] + 34:tables["hhea"][0] + 36])[0]
        hmtx = tables["hmtx"][0]
        self.advances = [struct.unpack(">H", data[hmtx + 4 * i:hmtx + 4 * i + 2])[0] for i in range(metric_count)]
        self.glyph_of = self._read_cmap(data, tables["cmap"][0])

    @staticmethod
    def _read_cmap(data, cmap):
        subtables = struct.unpack(">H", data[cmap + 2:cmap + 4])[0]
        for i in range(subtables):
            platform, encoding, offset = struct.unpack(">HHI", data[cmap + 4 + 8 * i:cmap + 12 + 8 * i])
            sub = cmap + offset
            if platform == 3 and encoding == 1 and struct.unpack(">H", data[sub:sub + 2])[0] == 4:
                return Font._read_format4(data, sub)
        raise ValueError("font without a Unicode BMP character map")

    @staticmethod
    def _read_format4(data, sub):
        segments = struct.unpack(">H", data[sub + 6:sub + 8])[0] // 2
        def array(start):
            return struct.unpack(">%dH" % segments, data[start:start + 2 * segments])
        ends = array(sub + 14)
        starts = array(sub + 16 + 2 * segments)
        deltas = array(sub + 16 + 4 * segments)
        range_base = sub + 16 + 6 * segments
        ranges = array(range_base)
        mapping = {}
        for s in range(segments):
            for code in range(starts[s], ends[s] + 1):
                if code == 0xFFFF:
                    continue
                if ranges[s] == 0:
                    glyph = (code + deltas[s]) & 0xFFFF
                else:
                    at = range_base + 2 * s + ranges[s] + 2 * (code - starts[s])
                    glyph = struct.unpack(">H", data[at:at + 2])[0]
                    if glyph:
                        glyph = (glyph + deltas[s]) & 0xFFFF
                mapping[code] = glyph
        return mapping

    def width(self, text, size):
        units = 0
        for ch in text:
            glyph = self.glyph_of.get(ord(ch), 0)
            units += self.advances[min(glyph, len(self.advances) - 1)]
        return units * size / self.units_per_em

    def wrap(self, text, size, max_width):
        """Greedy word wrap; explicit newlines are kept. A word wider than
        max_width stays whole on its own line (fit() then picks a smaller size)."""
        lines = []
        for paragraph in text.split("\n"):
            line = ""
            for word in paragraph.split():
                candidate = word if not line else line + " " + word
                if line and self.width(candidate, size) > max_width:
                    lines.append(line)
                    line = word
                else:
                    line = candidate
            lines.append(line)
        return lines

    def fit(self, text, max_width, max_height, largest, smallest=12, leading=1.18):
        """The largest size (and its lines) whose wrapped text fits the box."""
        size = largest
        while size > smallest:
            lines = self.wrap(text, size, max_width)
            fits_width = all(self.width(l, size) <= max_width for l in lines)
            if fits_width and len(lines) * size * leading <= max_height:
                return size, lines
            size -= 1
        return smallest, self.wrap(text, smallest, max_width)


_fonts = {}
_ids = itertools.count(1)


def font(bold=True):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    if name not in _fonts:
        _fonts[name] = Font(os.path.join(FONT_DIR, name))
    return _fonts[name]


def contrast_ratio(a, b):
    """WCAG contrast ratio of two "#rrggbb" colours."""
    def luminance(c):
        channels = [int(c[i:i + 2], 16) / 255 for i in (1, 3, 5)]
        linear = [v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in channels]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    ca = [int(a[i:i + 2], 16) for i in (1, 3, 5)]
    cb = [int(b[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join("%02x" % round(x + (y - x) * t) for x, y in zip(ca, cb))


def num(v):
    return ("%.2f" % v).rstrip("0").rstrip(".") if isinstance(v, float) else str(v)


def attrs(**kw):
    out = []
    for k, v in kw.items():
        if v is None:
            continue
        out.append('%s="%s"' % (k.rstrip("_").replace("_", "-"), escape(num(v) if isinstance(v, (int, float)) else v)))
    return " ".join(out)


class Svg:
    """An SVG document built element by element."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.defs = {}
        self.body = []

    def unique(self, prefix):
        """An id no other document of this run uses, so documents embedded in
        one another never share a gradient or clip path by mistake."""
        return "%s%d" % (prefix, next(_ids))

    def add(self, element):
        self.body.append(element)
        return self

    def element(self, tag, content=None, **kw):
        if content is None:
            return self.add("<%s %s/>" % (tag, attrs(**kw)))
        return self.add("<%s %s>%s</%s>" % (tag, attrs(**kw), content, tag))

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1):
        """Gradient in the bounding box of the shape (0..1), stops as (offset, colour[, opacity])."""
        gid = self.unique("g")
        self.defs[gid] = '<linearGradient id="%s" x1="%s" y1="%s" x2="%s" y2="%s">%s</linearGradient>' % (
            gid, num(x1), num(y1), num(x2), num(y2), self._stops(stops))
        return "url(#%s)" % gid

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5):
        gid = self.unique("g")
        self.defs[gid] = '<radialGradient id="%s" cx="%s" cy="%s" r="%s">%s</radialGradient>' % (
            gid, num(cx), num(cy), num(r), self._stops(stops))
        return "url(#%s)" % gid

    @staticmethod
    def _stops(stops):
        out = []
        for stop in stops:
            offset, colour = stop[0], stop[1]
            opacity = stop[2] if len(stop) > 2 else 1
            out.append('<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % (num(offset), colour, num(opacity)))
        return "".join(out)

    def shadow_of(self, x, y, w, h, r=RADIUS):
        """The one drop shadow of the look under a rounded rectangle: 4 px down,
        6 px blur, 45 % black. Drawn apart from the shape so that the shape's own
        colours never pass through a filter."""
        return self.rect(x, y + 4, w, h, r=r, fill="#000000", fill_opacity=0.45, filter=self.blur(6))

    def blur(self, deviation):
        fid = "blur%s" % num(deviation).replace(".", "_")
        if fid not in self.defs:
            self.defs[fid] = ('<filter id="%s" x="-50%%" y="-50%%" width="200%%" height="200%%" '
                              'color-interpolation-filters="sRGB">'
                              '<feGaussianBlur stdDeviation="%s"/></filter>' % (fid, num(deviation)))
        return "url(#%s)" % fid

    def clip_rect(self, x, y, w, h, r=RADIUS):
        cid = self.unique("c")
        self.defs[cid] = '<clipPath id="%s"><rect %s/></clipPath>' % (cid, attrs(x=x, y=y, width=w, height=h, rx=r))
        return "url(#%s)" % cid

    def rect(self, x, y, w, h, r=RADIUS, **kw):
        return self.element("rect", x=x, y=y, width=w, height=h, rx=r if r else None, **kw)

    def circle(self, cx, cy, r, **kw):
        return self.element("circle", cx=cx, cy=cy, r=r, **kw)

    def ellipse(self, cx, cy, rx, ry, **kw):
        return self.element("ellipse", cx=cx, cy=cy, rx=rx, ry=ry, **kw)

    def path(self, d, **kw):
        return self.element("path", d=d, **kw)

    def group(self, svg_fragment, **kw):
        return self.add("<g %s>%s</g>" % (attrs(**kw), svg_fragment))

    def text(self, x, y, content, size, bold=True, fill=WHITE, anchor="start", **kw):
        return self.element("text", escape(content), x=x, y=y, font_family=FONT_FAMILY,
                            font_size=size, font_weight="bold" if bold else "normal",
                            fill=fill, text_anchor=anchor, **kw)

    def text_block(self, cx, top, lines, size, bold=True, fill=WHITE, leading=1.18, anchor="middle", x=None):
        """Lines of text, the first baseline one ascent below top."""
        for i, line in enumerate(lines):
            baseline = top + size * 0.93 + i * size * leading
            self.text(cx if x is None else x, baseline, line, size, bold, fill, anchor)
        return self

    def fragment(self):
        """The body, to be embedded in another document."""
        return "".join(self.body)

    def document(self):
        defs = "<defs>%s</defs>" % "".join(self.defs.values()) if self.defs else ""
        return ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
                'width="%d" height="%d" viewBox="0 0 %d %d">\n%s\n%s\n</svg>\n' % (
                    self.width, self.height, self.width, self.height, defs, "\n".join(self.body)))


def write_and_render(svg, svg_path, png_path):
    """Writes the SVG source and renders it at its own size."""
    os.makedirs(os.path.dirname(svg_path), exist_ok=True)
    os.makedirs(os.path.dirname(png_path), exist_ok=True)
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(svg.document())
    render(svg_path, png_path, svg.width, svg.height)
    restart_ids()


def restart_ids():
    """Ids restart with every written picture, so a source only changes when
    its drawing does, whatever was drawn before it in the run."""
    global _ids
    _ids = itertools.count(1)


def render(svg_path, out_path, width, height):
    if not shutil.which("rsvg-convert"):
        raise SystemExit("rsvg-convert is missing: bash tools/install-deps.sh installs it")
    if out_path.endswith(".jpg"):
        png = out_path[:-4] + ".tmp.png"
        subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-o", png, svg_path], check=True)
        subprocess.run(["convert", png, "-background", "white", "-flatten", "-quality", "88", out_path], check=True)
        os.remove(png)
    else:
        subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-o", out_path, svg_path], check=True)

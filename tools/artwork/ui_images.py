"""Pictures of the screens (":/images/<name>"), at the sizes the screen
rectangles need. LAYOUT gives, for the pictures that carry text or other
pictures, the rectangles the pages should use (tools/artwork/README.md)."""

import glyphs as g
from svgkit import (Svg, NAVY_950, NAVY_900, NAVY_800, NAVY_700, NAVY_600, BLUE, BLUE_LIGHT, RED,
                    RED_DARK, RED_LIGHT, GREEN, GREEN_DARK, GREEN_LIGHT, OCHRE, OCHRE_DARK,
                    ERROR_RED, SLATE, SLATE_LIGHT, INK, WHITE, PAPER, MIST, RADIUS, mix)

SCREEN_W, SCREEN_H = 1080, 1920

# Rectangles (x, y, w, h) inside each picture where pages put text or pictures.
LAYOUT = {
    "media-frame": {"window": (70, 34, 901, 1231)},
    "language-toolbar": {"slot0": (0, 0, 80, 80), "slot1": (114, 0, 80, 80)},
    "home-button": {"text": (27, 27, 448, 182)},
    "promo-button": {"text": (129, 26, 398, 163)},
    "product-button-base": {"card": (7, 5, 255, 297), "thumbnail": (17, 15, 235, 205),
                            "price-frame": (17, 228, 235, 62), "selection-number": (17, 15, 64, 52)},
    "button-price-frame": {"text": (8, 4, 219, 54)},
    "info-pane": {"heading": (14, 12, 506, 60), "credit": (14, 78, 506, 82), "countdown": (14, 160, 506, 54),
                  "change": (14, 214, 506, 58), "ticket": (14, 272, 506, 26), "close": (14, 302, 506, 58),
                  "close-text": (66, 305, 446, 52)},
    "description-frame": {"heading": (24, 14, 452, 60), "text": (28, 96, 444, 650)},
    "product-base": {"picture": (40, 60, 420, 520)},
    "price-frame": {"heading": (16, 10, 284, 80), "value": (16, 106, 284, 130)},
    "quantity-frame": {"heading": (16, 10, 332, 80), "value": (128, 106, 108, 130),
                       "decrement": (20, 123, 96, 96), "increment": (248, 123, 96, 96)},
    "cancel-button": {"icon": (26, 28, 108, 108), "text": (150, 20, 330, 126)},
    "confirm-button": {"icon": (26, 28, 108, 108), "text": (150, 20, 330, 126)},
    "brixo-banner-frame": {"window": (20, 16, 952, 176), "title": (98, 20, 796, 168)},
    "brixo-tagline": {},
    "large-shadow": {},
    "arrows-down": {},
}

# The style class of the text each zone carries (resources/main-style.qss).
TEXT_CLASSES = {
    "home-button": {"text": "home-button"},
    "promo-button": {"text": "promo-button"},
    "button-price-frame": {"text": "price-tag"},
    "info-pane": {"heading": "info-heading", "credit": "info-credit", "countdown": "info-countdown",
                  "change": "info-change", "ticket": "info-ticket", "close-text": "info-close"},
    "description-frame": {"heading": "details-heading", "text": "details-description"},
    "price-frame": {"heading": "details-heading", "value": "details-value"},
    "quantity-frame": {"heading": "details-heading", "value": "details-value"},
    "cancel-button": {"text": "action-button"},
    "confirm-button": {"text": "action-button"},
    "brixo-banner-frame": {"title": "title"},
}


def layout_document():
    """LAYOUT and TEXT_CLASSES as one JSON-ready mapping (tools/artwork/layout.json)."""
    out = {}
    for name, zones in LAYOUT.items():
        entry = {}
        for zone, rect in zones.items():
            entry[zone] = {"rect": list(rect)}
            css_class = TEXT_CLASSES.get(name, {}).get(zone)
            if css_class:
                entry[zone]["class"] = css_class
        out[name] = entry
    return {"pictures": out, "places": PLACES}


# Suggested places of the pictures on the 1080 x 1920 screen.
PLACES = {
    "details": {"product-base": (40, 440), "description-frame": (540, 440),
                "price-frame": (24, 1260), "quantity-frame": (358, 1260), "total-frame": (740, 1260),
                "cancel-button": (24, 1716), "confirm-button": (548, 1716)},
    "dispensing": {"brixo-tagline": (40, 70), "product": (300, 330, 480, 600), "large-shadow": (140, 862),
                   "arrows-down": (430, 1100), "collect-text": (0, 1440, 1080, 80)},
    "product-page": {"brixo-banner-frame": (44, 1670)},
}


def card_shadowed(svg, x, y, w, h, fill, stroke=None, stroke_width=2, r=RADIUS):
    svg.shadow_of(x, y, w, h, r)
    svg.rect(x, y, w, h, r=r, fill=fill, stroke=stroke, stroke_width=stroke_width if stroke else None)


TEXT_GLOSS = 0.08   # highlight on surfaces that carry white text: keeps 4.5 : 1


def gloss(svg, x, y, w, h, opacity=TEXT_GLOSS, r=RADIUS):
    """The soft highlight on the upper half of raised surfaces."""
    svg.rect(x + 3, y + 3, w - 6, h * 0.46, r=r - 2,
             fill=svg.linear([(0, WHITE, opacity), (1, WHITE, 0)]))


def pharmacy_cross(svg, cx, cy, size, **kw):
    arm = size / 3.0
    d = ("M{a} {b} h{arm} v{arm} h{arm} v{arm} h-{arm} v{arm} h-{arm} v-{arm} h-{arm} v-{arm} h{arm} z"
         .format(a=cx - arm / 2, b=cy - size / 2, arm=arm))
    svg.path(d, **kw)


def soft_falloff(colour, opacity):
    """Radial stops that fade out smoothly, with no visible rim."""
    return [(t, colour, opacity * (1 - t) ** 2.2) for t in (0, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9, 1)]


# --- backgrounds and home page ---------------------------------------------------
def generic_background():
    svg = Svg(SCREEN_W, SCREEN_H)
    svg.rect(0, 0, SCREEN_W, SCREEN_H, r=0, fill=svg.linear([(0, NAVY_800), (0.55, NAVY_900), (1, NAVY_950)]))
    svg.ellipse(540, 0, 1000, 760, fill=svg.radial(soft_falloff(BLUE_LIGHT, 0.30)))
    svg.ellipse(1080, 1920, 760, 620, fill=svg.radial(soft_falloff(GREEN, 0.09)))
    crosses = []
    for row in range(22):
        for col in range(13):
            x = 42 + col * 84 + (42 if row % 2 else 0)
            y = 40 + row * 88
            crosses.append("M%d %dh6v6h6v6h-6v6h-6v-6h-6v-6h6z" % (x - 3, y - 9))
    svg.path(" ".join(crosses), fill=WHITE, fill_opacity=0.035)
    return svg


def media_frame():
    svg = Svg(1035, 1301)
    bx, by, bw, bh = 14, 9.5, 1013, 1280
    wx, wy, ww, wh = LAYOUT["media-frame"]["window"]
    card_shadowed(svg, bx, by, bw, bh, svg.linear([(0, NAVY_600), (1, NAVY_800)]), stroke=mix(NAVY_600, WHITE, 0.25))
    gloss(svg, bx, by, bw, 200, 0.10)
    svg.rect(wx - 8, wy - 8, ww + 16, wh + 16, r=RADIUS + 4, fill="none", stroke=GREEN, stroke_width=3, stroke_opacity=0.9)
    svg.rect(wx, wy, ww, wh, r=4, fill=NAVY_950)
    svg.rect(wx, wy, ww, wh, r=4, fill="none", stroke=WHITE, stroke_opacity=0.35, stroke_width=2)
    pharmacy_cross(svg, wx + ww / 2, wy + wh / 2, 240, fill=WHITE, fill_opacity=0.06)
    return svg


def language_toolbar():
    import icons
    svg = Svg(422, 80)
    svg.rect(1, 1, 420, 78, r=40, fill=NAVY_700, fill_opacity=0.85, stroke=mix(NAVY_700, WHITE, 0.3), stroke_width=2)
    for slot, name in enumerate(("it", "en")):
        flag = icons.draw(name)
        svg.defs.update(flag.defs)
        scale = 0.70   # a 62 px flag centred in its 80 px slot
        svg.add('<g transform="translate(%.1f %.1f) scale(%.2f)">%s</g>'
                % (114 * slot + 40 - 48 * scale, 40 - 48 * scale, scale, flag.fragment()))
    # No translation sits in the last two slots: one globe marks the bar as the
    # language choice without looking like a button.
    svg.add('<g transform="translate(289 4) scale(0.75)" opacity="0.45">%s</g>' % g.globe())
    return svg


def home_button():
    svg = Svg(502, 236)
    x, y, w, h = 6, 4, 490, 218
    card_shadowed(svg, x, y, w, h, svg.linear([(0, "#0f7a43"), (1, "#0a5f33")]), stroke=mix(GREEN_DARK, WHITE, 0.3))
    gloss(svg, x, y, w, h)
    pharmacy_cross(svg, x + w - 80, y + h / 2, 150, fill=WHITE, fill_opacity=0.10, clip_path=svg.clip_rect(x, y, w, h))
    return svg


def promo_button():
    svg = Svg(656, 260)
    x, y, w, h = 8, 6, 640, 204
    svg.ellipse(328, 228, 280, 18, fill=svg.radial([(0, "#000000", 0.55), (1, "#000000", 0)]))
    card_shadowed(svg, x, y, w, h, svg.linear([(0, "#c4323a"), (0.55, RED), (1, "#a8222a")]), stroke=RED_DARK, stroke_width=3)
    gloss(svg, x, y, w, h)
    for cx in (x + 66, x + w - 66):
        svg.circle(cx, y + h / 2, 34, fill="none", stroke=WHITE, stroke_opacity=0.55, stroke_width=3)
        pharmacy_cross(svg, cx, y + h / 2, 30, fill=WHITE, fill_opacity=0.75)
    return svg


# --- product grid ------------------------------------------------------------------
def product_button_base(colour, stripes=False):
    svg = Svg(269, 317)
    cx, cy, cw, ch = LAYOUT["product-button-base"]["card"]
    tx, ty, tw, th = LAYOUT["product-button-base"]["thumbnail"]
    card_shadowed(svg, cx, cy, cw, ch, svg.linear([(0, mix(colour, WHITE, 0.16)), (1, colour)]),
                  stroke=mix(colour, WHITE, 0.35))
    if stripes:
        pattern = svg.unique("stripes")
        svg.defs[pattern] = ('<pattern id="%s" width="22" height="22" patternUnits="userSpaceOnUse" '
                             'patternTransform="rotate(45)"><rect width="9" height="22" fill="#ffffff" '
                             'fill-opacity="0.16"/></pattern>' % pattern)
        svg.rect(cx, cy, cw, ch, fill="url(#%s)" % pattern)
    svg.rect(tx, ty, tw, th, r=RADIUS - 3, fill=svg.linear([(0, WHITE), (1, PAPER)]),
             stroke=mix(colour, "#000000", 0.25), stroke_width=1.5)
    return svg


def button_price_frame():
    svg = Svg(235, 62)
    svg.rect(1, 1, 233, 60, r=RADIUS - 2, fill=svg.linear([(0, WHITE), (1, MIST)]), stroke=NAVY_700,
             stroke_opacity=0.35, stroke_width=2)
    return svg


def info_pane():
    svg = Svg(534, 386)
    L = LAYOUT["info-pane"]
    card_shadowed(svg, 6, 4, 522, 367, svg.linear([(0, NAVY_600), (1, NAVY_800)]), stroke=mix(NAVY_600, WHITE, 0.3))
    hx, hy, hw, hh = L["heading"]
    svg.rect(hx, hy, hw, hh, r=RADIUS - 3, fill=svg.linear([(0, "#c4323a"), (1, RED)]), stroke=RED_DARK, stroke_width=2)
    gloss(svg, hx, hy, hw, hh, r=RADIUS - 3)
    for name in ("countdown", "change"):
        x, y, w, _ = L[name]
        svg.path("M%d %d H%d" % (x + 10, y, x + w - 10), stroke=WHITE, stroke_opacity=0.18, stroke_width=2)
    x, y, w, h = L["credit"]
    svg.rect(x + 4, y + 6, w - 8, h - 10, r=RADIUS - 3, fill=NAVY_950, fill_opacity=0.55)
    x, y, w, h = L["close"]
    svg.rect(x, y, w, h, r=RADIUS - 3, fill=svg.linear([(0, SLATE_LIGHT), (1, SLATE)]),
             stroke=mix(SLATE, WHITE, 0.35), stroke_width=2)
    svg.add('<g transform="translate(%d %d) scale(0.42)">%s</g>' % (x + 12, y + 11, g.cross()))
    return svg


# --- details page -------------------------------------------------------------------
def headed_card(width, height, heading_height, body_fill=None):
    svg = Svg(width, height)
    x, y, w, h = 6, 4, width - 12, height - 18
    card_shadowed(svg, x, y, w, h, body_fill or svg.linear([(0, WHITE), (1, PAPER)]), stroke=MIST)
    clip = svg.clip_rect(x, y, w, h)
    svg.rect(x, y, w, heading_height, r=0, fill=svg.linear([(0, BLUE_LIGHT), (1, BLUE)]), clip_path=clip)
    svg.path("M%d %d H%d" % (x, y + heading_height, x + w), stroke=NAVY_700, stroke_width=2)
    return svg


def description_frame():
    return headed_card(500, 780, 74)


def price_frame():
    return headed_card(316, 260, 96)


def quantity_frame():
    svg = headed_card(364, 260, 96)
    x, y, w, h = LAYOUT["quantity-frame"]["value"]
    svg.rect(x, y + 12, w, h - 24, r=RADIUS - 3, fill=MIST, fill_opacity=0.7)
    return svg


def product_base():
    svg = Svg(500, 780)
    x, y, w, h = 6, 4, 488, 762
    card_shadowed(svg, x, y, w, h, svg.radial([(0, WHITE), (0.75, PAPER), (1, MIST)], cy=0.42, r=0.7), stroke=MIST)
    svg.ellipse(250, 650, 190, 34, fill=svg.radial([(0, NAVY_700, 0.35), (1, NAVY_700, 0)]))
    svg.ellipse(250, 640, 170, 22, fill="none", stroke=BLUE, stroke_opacity=0.25, stroke_width=3)
    return svg


def action_button(colour, glyph):
    svg = Svg(508, 168)
    x, y, w, h = 6, 4, 496, 150
    card_shadowed(svg, x, y, w, h, svg.linear([(0, mix(colour, WHITE, 0.05)), (1, colour)]),
                  stroke=mix(colour, "#000000", 0.35), stroke_width=3)
    gloss(svg, x, y, w, h)
    ix, iy, iw, _ = LAYOUT["confirm-button"]["icon"]
    svg.circle(ix + iw / 2, iy + iw / 2, iw / 2, fill=WHITE, fill_opacity=0.16, stroke=WHITE,
               stroke_opacity=0.7, stroke_width=3)
    svg.add('<g transform="translate(%d %d) scale(%.3f)">%s</g>' % (ix + 8, iy + 8, (iw - 16) / 96.0, glyph()))
    return svg


def confirm_button():
    return action_button(GREEN_DARK, g.check)


def cancel_button():
    return action_button(SLATE, g.cross)


# --- delivery page -------------------------------------------------------------------
def brixo_tagline():
    import demo_pictures
    svg = Svg(1000, 170)
    svg.rect(2, 10, 996, 150, r=RADIUS, fill=WHITE, fill_opacity=0.06, stroke=WHITE, stroke_opacity=0.18, stroke_width=2)
    width = demo_pictures.brixo_wordmark(svg, 50, 40, 90, WHITE)
    svg.path("M%d 85 H%d" % (50 + width + 26, 50 + width + 60), stroke=demo_pictures.BRIXO_ACCENT, stroke_width=6,
             stroke_linecap="round")
    svg.text(50 + width + 86, 100, "benessere ogni giorno", 42, bold=False, fill=WHITE)
    return svg


def large_shadow():
    svg = Svg(800, 140)
    svg.ellipse(400, 70, 390, 62, fill=svg.radial([(0, "#000000", 0.62), (0.6, "#000000", 0.28), (1, "#000000", 0)]))
    return svg


def arrows_down():
    svg = Svg(220, 300)
    for i, opacity in enumerate((0.35, 0.65, 1.0)):
        y = 20 + i * 88
        svg.path("M30 %d L110 %d L190 %d" % (y, y + 70, y), fill="none", stroke=GREEN_LIGHT if i == 2 else WHITE,
                 stroke_opacity=opacity, stroke_width=26, stroke_linecap="round", stroke_linejoin="round")
    return svg


def brixo_banner_frame():
    svg = Svg(992, 243)
    x, y, w, h = 4, 4, 984, 200
    svg.ellipse(496, 220, 440, 16, fill=svg.radial([(0, "#000000", 0.5), (1, "#000000", 0)]))
    card_shadowed(svg, x, y, w, h, svg.linear([(0, "#c4323a"), (0.55, RED), (1, "#a8222a")]), stroke=RED_DARK, stroke_width=3)
    gloss(svg, x, y, w, h)
    wx, wy, ww, wh = LAYOUT["brixo-banner-frame"]["window"]
    svg.rect(wx - 3, wy - 3, ww + 6, wh + 6, r=RADIUS - 3, fill="none", stroke=WHITE, stroke_opacity=0.55, stroke_width=2)
    return svg


IMAGES = {
    "generic-background": generic_background,
    "media-frame": media_frame,
    "language-toolbar": language_toolbar,
    "home-button": home_button,
    "promo-button": promo_button,
    "product-button-base": lambda: product_button_base(BLUE),
    "product-button-base-empty": lambda: product_button_base(OCHRE, stripes=True),
    "product-button-base-error": lambda: product_button_base(ERROR_RED),
    "button-price-frame": button_price_frame,
    "info-pane": info_pane,
    "description-frame": description_frame,
    "price-frame": price_frame,
    "quantity-frame": quantity_frame,
    "product-base": product_base,
    "cancel-button": cancel_button,
    "confirm-button": confirm_button,
    "brixo-tagline": brixo_tagline,
    "large-shadow": large_shadow,
    "arrows-down": arrows_down,
    "brixo-banner-frame": brixo_banner_frame,
}

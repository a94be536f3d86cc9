"""Icons (":/icons/<name>"): a white glyph on a coloured disc (actions) or on a
rounded tile (event-log entries), drawn on a 96 grid and rendered at the size
each place needs (log entries 80, combo items 48, buttons 96)."""

import glyphs as g
from svgkit import (Svg, BLUE, BLUE_LIGHT, GREEN, GREEN_DARK, RED, RED_DARK, SLATE, OCHRE_DARK,
                    NAVY_700, WHITE, RADIUS, mix)

ACTION = 96
LOG = 80
SMALL = 48

# name: (shape, colour, glyph, size)
ICONS = {
    "yes": ("disc", GREEN_DARK, g.check, ACTION),
    "no": ("disc", RED, g.cross, ACTION),
    "checked": ("disc", GREEN_DARK, g.check, ACTION),
    "plus": ("disc", BLUE_LIGHT, g.plus, ACTION),
    "minus": ("disc", BLUE_LIGHT, g.minus, ACTION),
    "next-page": ("disc", BLUE_LIGHT, g.chevron_right, ACTION),
    "previous-page": ("disc", BLUE_LIGHT, g.chevron_left, ACTION),
    "drop-down": ("disc", BLUE_LIGHT, g.chevron_down, SMALL),
    "exit": ("disc", SLATE, g.exit_door, ACTION),
    "save": ("disc", GREEN_DARK, g.floppy, ACTION),
    "help": ("disc", BLUE_LIGHT, g.question, ACTION),
    "reboot": ("disc", RED, g.power, ACTION),
    "refresh": ("disc", BLUE_LIGHT, g.refresh_arrows, ACTION),
    "support": ("disc", BLUE_LIGHT, g.headset, ACTION),
    "coins": ("disc", GREEN_DARK, g.coins, ACTION),
    "no-coins": ("disc", RED, lambda: g.coins() + g.slash(RED), ACTION),
    "alarm-on": ("disc", RED, g.bell_ringing, ACTION),
    "alarm-off": ("disc", SLATE, lambda: g.bell() + g.slash(SLATE), ACTION),
    "it": ("flag", None, g.flag_it, ACTION),
    "en": ("flag", None, g.flag_en, ACTION),
    "log/all": ("tile", SLATE, g.list_lines, SMALL),
    "log/session": ("tile", BLUE, g.basket, SMALL),
    "log/purchase": ("tile", BLUE, g.cart, LOG),
    "log/purchase-small": ("tile", BLUE, g.cart, SMALL),
    "log/recharge": ("tile", BLUE, g.card_recharge, LOG),
    "log/recharge-small": ("tile", BLUE, g.card_recharge, SMALL),
    "log/change": ("tile", GREEN_DARK, g.coins_out, LOG),
    "log/change-small": ("tile", GREEN_DARK, g.coins_out, SMALL),
    "log/overpay": ("tile", GREEN_DARK, g.receipt, LOG),
    "log/overpay-small": ("tile", GREEN_DARK, g.receipt, SMALL),
    "log/alarm": ("tile", RED, g.siren, LOG),
    "log/alarm-small": ("tile", RED, g.siren, SMALL),
    "log/alarm-clear": ("tile", GREEN_DARK, lambda: g.siren() + g.badge_check(), LOG),
    "log/alarms-activated": ("tile", RED, lambda: g.shield(g.lines("M48 34 V52") + '<circle cx="48" cy="62" r="4.5" fill="#fff"/>'), LOG),
    "log/alarms-deactivated": ("tile", SLATE, lambda: g.shield(g.lines("M38 48 L46 56 L60 40", g.THIN)), LOG),
    "log/info": ("tile", BLUE_LIGHT, g.info, LOG),
    "log/info-small": ("tile", BLUE_LIGHT, g.info, SMALL),
    "log/warning": ("tile", OCHRE_DARK, g.warning, LOG),
    "log/warning-small": ("tile", OCHRE_DARK, g.warning, SMALL),
    "log/power-management": ("tile", SLATE, g.plug, LOG),
    "log/power-management-small": ("tile", SLATE, g.plug, SMALL),
    "log/power-on": ("tile", GREEN_DARK, g.power, LOG),
    "log/restart": ("tile", SLATE, g.circular_arrow, LOG),
    "log/halt": ("tile", RED, g.power, LOG),
    "log/battery-power": ("tile", OCHRE_DARK, g.battery, LOG),
    "log/cash": ("tile", GREEN_DARK, g.banknote, LOG),
    "log/cash-inserted": ("tile", BLUE, g.coin_into_slot, LOG),
    "log/nfc": ("tile", BLUE, lambda: g.contactless(), LOG),
    "log/pos": ("tile", BLUE, g.terminal, LOG),
    "log/session-begin": ("tile", GREEN_DARK, g.play, LOG),
    "log/current-credit": ("tile", BLUE, g.euro, LOG),
    "log/session-end": ("tile", SLATE, g.stop_square, LOG),
}


def draw(name):
    shape, colour, glyph, size = ICONS[name]
    svg = Svg(size, size)
    scale = size / 96.0
    body = Svg(96, 96)
    if shape == "disc":
        body.circle(48, 48, 45, fill=body_gradient(svg, colour), stroke=mix(colour, WHITE, 0.35), stroke_width=2)
    elif shape == "tile":
        body.rect(3, 3, 90, 90, r=RADIUS * 96 / 80, fill=body_gradient(svg, colour),
                  stroke=mix(colour, WHITE, 0.3), stroke_width=2)
    else:
        clip = svg.unique("flag")
        svg.defs[clip] = '<clipPath id="%s"><circle cx="48" cy="48" r="44"/></clipPath>' % clip
        body.add('<g clip-path="url(#%s)">%s</g>' % (clip, glyph()))
        body.circle(48, 48, 44, fill="none", stroke=NAVY_700, stroke_width=3, stroke_opacity=0.6)
        glyph = None
    if glyph is not None:
        body.add(glyph())
    svg.add('<g transform="scale(%.4f)">%s</g>' % (scale, body.fragment()))
    return svg


def body_gradient(svg, colour):
    return svg.linear([(0, mix(colour, WHITE, 0.12)), (1, colour)])

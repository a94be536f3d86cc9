"""Contact sheets of every picture and mock-ups of the main screens, composed
from the rendered pictures at the places the pages use, to judge the look."""

import base64
import glob
import os
import struct

import ui_images
from svgkit import Svg, render, font, WHITE, INK, NAVY_900, RED, RED_DARK, MIST

L = ui_images.LAYOUT
P = ui_images.PLACES


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


def image(svg, path, x, y, w=None, h=None, preserve="none"):
    if w is None:
        w, h = png_size(path)
    with open(path, "rb") as f:
        data = base64.b64encode(f.read()).decode("ascii")
    svg.add('<image x="%s" y="%s" width="%s" height="%s" preserveAspectRatio="%s" xlink:href="data:image/%s;base64,%s"/>'
            % (x, y, w, h, preserve, "jpeg" if path.endswith(".jpg") else "png", data))


def centred_text(svg, rect, text, size, fill=WHITE, bold=True, largest=None):
    x, y, w, h = rect
    size, lines = font(bold).fit(text, w, h, largest or size)
    block = len(lines) * size * 1.18
    svg.text_block(x + w / 2, y + (h - block) / 2, lines, size, bold, fill)


def contact_sheet(folder, out_svg, title, columns, cell):
    files = sorted(glob.glob(os.path.join(folder, "**", "*.png"), recursive=True))
    rows = (len(files) + columns - 1) // columns
    cw, ch = cell
    svg = Svg(columns * cw + 40, rows * (ch + 50) + 110)
    svg.rect(0, 0, svg.width, svg.height, r=0, fill="#7a8496")
    svg.text(20, 60, title, 40)
    for i, path in enumerate(files):
        col, row = i % columns, i // columns
        x, y = 20 + col * cw, 90 + row * (ch + 50)
        w, h = png_size(path)
        scale = min(1.0, (cw - 20) / w, (ch - 10) / h)
        svg.rect(x, y, cw - 10, ch, r=6, fill=NAVY_900 if i % 2 else MIST)
        image(svg, path, x + (cw - 10 - w * scale) / 2, y + (ch - h * scale) / 2, w * scale, h * scale)
        name = os.path.relpath(path, folder)[:-4]
        svg.text(x + (cw - 10) / 2, y + ch + 30, "%s  %dx%d" % (name, w, h), min(18, (cw - 16) / (0.62 * (len(name) + 9))), anchor="middle")
    with open(out_svg, "w") as f:
        f.write(svg.document())
    return svg


def screen():
    return Svg(1080, 1920)


def mock_home(root, images):
    svg = screen()
    image(svg, images + "/generic-background.png", 0, 0)
    image(svg, images + "/media-frame.png", 22, 390, 1035, 1301)
    slides = sorted(glob.glob(os.path.join(root, "demo", "**", "media", "*.*"), recursive=True))
    if slides:
        image(svg, slides[0], 92, 424, 901, 1231)
    for top in (278, 1705):
        svg.rect(60, top, 959, 97, fill=RED, stroke=RED_DARK, stroke_width=2)
        centred_text(svg, (60, top, 959, 97), "TOCCA LO SCHERMO PER ACQUISTARE", 42)
    for x, text in ((36, "INFORMAZIONI"), (542, "FARMACIE\nDI TURNO")):
        image(svg, images + "/home-button.png", x, 14)
        bx, by, bw, bh = L["home-button"]["text"]
        centred_text(svg, (x + bx, 14 + by, bw, bh), text, 48)
    image(svg, images + "/language-toolbar.png", 329, 1819, 422, 80)
    return svg


def product_button(svg, images, x, y, thumb, price, base="product-button-base"):
    image(svg, images + "/%s.png" % base, x, y)
    tx, ty, tw, th = L["product-button-base"]["thumbnail"]
    if thumb:
        image(svg, thumb, x + tx + (tw - 192) / 2, y + ty + (th - 192) / 2, 192, 192)
    px, py, pw, ph = L["product-button-base"]["price-frame"]
    image(svg, images + "/button-price-frame.png", x + px, y + py)
    centred_text(svg, (x + px, y + py, pw, ph), price, 27, fill=INK)


def info_panel(svg, images):
    image(svg, images + "/info-pane.png", 276, 16)
    def zone(name):
        x, y, w, h = L["info-pane"][name]
        return (276 + x, 16 + y, w, h)
    centred_text(svg, zone("heading"), "INSERISCI DENARO", 34)
    x, y, w, h = zone("credit")
    svg.text(x + 18, y + 52, "CREDITO EURO:", 28)
    svg.text(x + w - 18, y + 62, "3,50", 60, anchor="end")
    x, y, w, h = zone("countdown")
    svg.text(x + 18, y + 40, "TEMPO RIMANENTE", 28)
    svg.text(x + w - 18, y + 44, "''45", 40, anchor="end")
    centred_text(svg, zone("change"), "RESTO MASSIMO EROGABILE\n€ 5,00", 26)
    centred_text(svg, zone("close"), "CHIUDI OPERAZIONE", 30)


def thumbnails(root):
    return sorted(p for p in glob.glob(os.path.join(root, "demo", "**", "*.png"), recursive=True)
                  if "_large" not in p and "/media/" not in p and "brixo-banner" not in p)


def mock_products(root, images):
    svg = screen()
    image(svg, images + "/generic-background.png", 0, 0)
    thumbs = thumbnails(root)
    cells = [(0, 0), (0, 3)] + [(r, c) for r in range(1, 5) for c in range(4)]
    for s, (r, c) in enumerate(cells):
        base = "product-button-base"
        product_button(svg, images, 269 * c + 2, 317 * r + 85, thumbs[s % len(thumbs)] if thumbs else None,
                       "€ %d,%02d" % (2 + s % 7, (s * 35) % 100), base)
    info_panel(svg, images)
    image(svg, images + "/brixo-banner-frame.png", 44, 1670)
    banner = glob.glob(os.path.join(root, "demo", "**", "brixo-banner.png"), recursive=True)
    if banner:
        wx, wy, ww, wh = L["brixo-banner-frame"]["window"]
        image(svg, banner[0], 44 + wx, 1670 + wy, ww, wh)
    return svg


def mock_details(root, images):
    svg = screen()
    place = P["details"]
    image(svg, images + "/generic-background.png", 0, 0)
    info_panel(svg, images)
    x, y = place["product-base"]
    image(svg, images + "/product-base.png", x, y)
    large = [p for p in glob.glob(os.path.join(root, "demo", "**", "*_large.png"), recursive=True)]
    if large:
        px, py, pw, ph = L["product-base"]["picture"]
        image(svg, sorted(large)[0], x + px, y + py, pw, ph, "xMidYMid meet")
    x, y = place["description-frame"]
    image(svg, images + "/description-frame.png", x, y)
    hx, hy, hw, hh = L["description-frame"]["heading"]
    centred_text(svg, (x + hx, y + hy, hw, hh), "DESCRIZIONE:", 34)
    tx, ty, tw, th = L["description-frame"]["text"]
    text = ("Compresse effervescenti per il trattamento sintomatico degli stati febbrili e delle "
            "sindromi influenzali. Leggere attentamente il foglio illustrativo.")
    size, lines = font(False).fit(text, tw, th, 30)
    svg.text_block(x + tx, y + ty, lines, size, False, INK, anchor="start", x=x + tx)
    for key, heading, value in (("price-frame", "PREZZO UNITARIO:", "€ 4,90"), ("total-frame", "TOTALE:", "€ 9,80")):
        fx, fy = place[key]
        image(svg, images + "/price-frame.png", fx, fy)
        centred_text(svg, tuple(a + b for a, b in zip((fx, fy, 0, 0), L["price-frame"]["heading"])), heading, 30)
        centred_text(svg, tuple(a + b for a, b in zip((fx, fy, 0, 0), L["price-frame"]["value"])), value, 60, INK)
    fx, fy = place["quantity-frame"]
    image(svg, images + "/quantity-frame.png", fx, fy)
    q = L["quantity-frame"]
    centred_text(svg, (fx + q["heading"][0], fy + q["heading"][1], q["heading"][2], q["heading"][3]), "QUANTITA':", 30)
    centred_text(svg, (fx + q["value"][0], fy + q["value"][1], q["value"][2], q["value"][3]), "02", 64, INK)
    image(svg, images + "/../icons/minus.png", fx + q["decrement"][0], fy + q["decrement"][1])
    image(svg, images + "/../icons/plus.png", fx + q["increment"][0], fy + q["increment"][1])
    for key, text in (("cancel-button", "ANNULLA"), ("confirm-button", "CONFERMA")):
        bx, by = place[key]
        image(svg, images + "/%s.png" % key, bx, by)
        tx, ty, tw, th = L[key]["text"]
        centred_text(svg, (bx + tx, by + ty, tw, th), text, 44)
    return svg


def mock_dispensing(root, images):
    svg = screen()
    place = P["dispensing"]
    image(svg, images + "/generic-background.png", 0, 0)
    image(svg, images + "/brixo-tagline.png", *place["brixo-tagline"])
    image(svg, images + "/large-shadow.png", *place["large-shadow"])
    large = sorted(glob.glob(os.path.join(root, "demo", "**", "*_large.png"), recursive=True))
    if large:
        image(svg, large[-1], *place["product"])
    image(svg, images + "/arrows-down.png", *place["arrows-down"])
    centred_text(svg, place["collect-text"], "RITIRA PRODOTTO", 50)
    return svg


def mock_suggestions(root, images):
    svg = screen()
    image(svg, images + "/generic-background.png", 0, 0)
    info_panel(svg, images)
    large = sorted(glob.glob(os.path.join(root, "demo", "**", "*_large.png"), recursive=True))
    for i in range(3):
        x = 20 + i * 350
        svg.shadow_of(x, 490, 340, 560)
        svg.rect(x, 490, 340, 560, fill=WHITE)
        if large:
            image(svg, large[(i * 7) % len(large)], x + 50, 510, 240, 300)
        centred_text(svg, (x, 960, 340, 70), "€ %d,50" % (3 + i), 44, INK)
    for y, text in ((1220, "ALTRI PRODOTTI"), (1554, "NO GRAZIE")):
        image(svg, images + "/promo-button.png", 212, y)
        centred_text(svg, (212 + 129, y + 26, 398, 163), text, 40)
    return svg


def mock_display(root, images):
    svg = screen()
    image(svg, images + "/generic-background.png", 0, 0)
    image(svg, images + "/brixo-banner-frame.png", 44, 20)
    centred_text(svg, (44 + 98, 20 + 20, 796, 168), "FARMACIE\nDI TURNO", 48)
    body = ("Farmacia Centrale - Via Roma 12 - aperta fino alle 24:00\n\nFarmacia San Marco - Piazza Garibaldi 3"
            " - servizio notturno")
    size, lines = font(False).fit(body, 960, 900, 32)
    svg.text_block(60, 320, lines, size, False, WHITE, anchor="start", x=60)
    image(svg, images + "/promo-button.png", 212, 1594)
    centred_text(svg, (212 + 129, 1594 + 26, 398, 163), "TORNA INDIETRO", 40)
    return svg


MOCKS = {"home": mock_home, "products": mock_products, "details": mock_details,
         "dispensing": mock_dispensing, "suggestions": mock_suggestions, "display": mock_display}


def generate(root, out):
    os.makedirs(out, exist_ok=True)
    images = os.path.join(root, "resources", "images")
    written = []
    sheets = (("images", os.path.join(root, "resources", "images"), 4, (520, 520)),
              ("icons", os.path.join(root, "resources", "icons"), 7, (250, 130)))
    for name, folder, columns, cell in sheets:
        svg_path = os.path.join(out, "sheet-%s.svg" % name)
        svg = contact_sheet(folder, svg_path, "vm24 %s" % name, columns, cell)
        render(svg_path, svg_path[:-4] + ".png", svg.width, svg.height)
        written.append(svg_path[:-4] + ".png")
    demo_root = os.path.join(root, "demo")
    if glob.glob(os.path.join(demo_root, "**", "*.png"), recursive=True):
        svg_path = os.path.join(out, "sheet-demo.svg")
        svg = contact_sheet(demo_root, svg_path, "vm24 demo pictures", 6, (330, 330))
        render(svg_path, svg_path[:-4] + ".png", svg.width, svg.height)
        written.append(svg_path[:-4] + ".png")
    for name, mock in MOCKS.items():
        svg = mock(root, images)
        svg_path = os.path.join(out, "mock-%s.svg" % name)
        with open(svg_path, "w") as f:
            f.write(svg.document())
        render(svg_path, svg_path[:-4] + ".png", 1080, 1920)
        written.append(svg_path[:-4] + ".png")
    return written

#!/usr/bin/env python3
"""Draws every picture of vm24 and of its demo content.

    python3 tools/artwork/generate.py ui      # resources/images, resources/icons
    python3 tools/artwork/generate.py demo    # demo pictures from the demo catalogues
    python3 tools/artwork/generate.py sheet   # contact sheets and screen mock-ups (build/artwork)
    python3 tools/artwork/generate.py all

The drawings are Python functions that emit SVG; the SVG sources are written
under tools/artwork/svg and rendered with rsvg-convert (librsvg2-bin). Change
the Python, not the SVG: the next run rewrites it.
"""

import json
import re
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)

import icons  # noqa: E402
import ui_images  # noqa: E402
from svgkit import write_and_render  # noqa: E402

SVG_DIR = os.path.join(HERE, "svg")
RESOURCES = os.path.join(ROOT, "resources")


def generate_ui():
    for name, draw in ui_images.IMAGES.items():
        write_and_render(draw(), os.path.join(SVG_DIR, "images", name + ".svg"),
                         os.path.join(RESOURCES, "images", name + ".png"))
    for name in icons.ICONS:
        write_and_render(icons.draw(name), os.path.join(SVG_DIR, "icons", name + ".svg"),
                         os.path.join(RESOURCES, "icons", name + ".png"))
    with open(os.path.join(HERE, "layout.json"), "w") as f:
        text = json.dumps(ui_images.layout_document(), indent=1, sort_keys=True)
        f.write(re.sub(r"\[\s+([^\]]*?)\s+\]", lambda m: "[" + " ".join(m.group(1).split()) + "]", text) + "\n")
    print("ui: %d images, %d icons" % (len(ui_images.IMAGES), len(icons.ICONS)))


def generate_demo():
    import demo_pictures
    count = demo_pictures.generate(ROOT, os.path.join(SVG_DIR, "demo"))
    print("demo: %d pictures" % count)


def generate_sheet():
    import sheet
    out = os.path.join(ROOT, "build", "artwork")
    for path in sheet.generate(ROOT, out):
        print(path)


COMMANDS = {"ui": [generate_ui], "demo": [generate_demo], "sheet": [generate_sheet],
            "all": [generate_ui, generate_demo, generate_sheet]}

if __name__ == "__main__":
    command = sys.argv[1] if len(sys.argv) > 1 else "all"
    if command not in COMMANDS:
        raise SystemExit(__doc__)
    for step in COMMANDS[command]:
        step()

#!/usr/bin/python3
"""Draws kelvra map line files on an equirectangular picture for checking.

    /usr/bin/python3 tools/mapdata/plot_lnb.py OUT.png DATDIR [W E S N] [--awx FILE]

Without --awx the box (default 70 140 15 55) is drawn at 20 pixels per
degree on black. With --awx the last 1900 x 1300 bytes of an equal lat/lon
0.05-degree product centred at 97.5E 27.5N are the background and the
world file is drawn over it. Needs python3-pil.
"""

import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lnbformat  # noqa: E402

LAYERS = [  # file, colour: the viewer's pens
    ("WORLD.LNB", (128, 255, 128)),
    ("CHINAM.MPB", (255, 192, 192)),
    ("PROVS.LNB", (255, 192, 192)),
    ("RIVER.LNB", (0, 0, 255)),
]


def draw_file(draw, path, colour, to_pixel, box):
    with open(path, "rb") as f:
        records, _ = lnbformat.decode(lnbformat.kind_of(path), f.read())
    w, e, s, n = box
    for rec in records:
        prev = None
        for lat100, lon100 in rec:
            lat, lon = lat100 * 0.01, lon100 * 0.01
            if not (s < lat < n and w < lon < e):
                prev = None
                continue
            p = to_pixel(lat, lon)
            if prev is not None:
                draw.line([prev, p], fill=colour)
            prev = p


def main():
    args = sys.argv[1:]
    awx = None
    if "--awx" in args:
        i = args.index("--awx")
        awx = args[i + 1]
        del args[i:i + 2]
    out, datdir = args[0], args[1]
    if awx:
        width, height = 1900, 1300
        with open(awx, "rb") as f:
            raw = f.read()[-width * height:]
        img = Image.frombytes("L", (width, height), raw).convert("RGB")
        box = (97.5 - 950 * 0.05, 97.5 + 950 * 0.05,
               27.5 - 650 * 0.05, 27.5 + 650 * 0.05)

        def to_pixel(lat, lon):
            return (int(949.5 + (lon - 97.5) / 0.05),
                    int(649.5 - (lat - 27.5) / 0.05))
        layers = LAYERS[:1]
    else:
        w, e, s, n = map(float, args[2:6]) if len(args) >= 6 \
            else (70.0, 140.0, 15.0, 55.0)
        box = (w, e, s, n)
        scale = float(os.environ.get("PLOT_SCALE", "20"))
        img = Image.new("RGB", (int((e - w) * scale), int((n - s) * scale)))

        def to_pixel(lat, lon):
            return (int((lon - w) * scale), int((n - lat) * scale))
        layers = LAYERS
    draw = ImageDraw.Draw(img)
    for name, colour in layers:
        path = os.path.join(datdir, name)
        if os.path.exists(path):
            draw_file(draw, path, colour, to_pixel, box)
    img.save(out)


if __name__ == "__main__":
    main()

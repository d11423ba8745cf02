#!/usr/bin/python3
"""Draws kelvra's small icons pixel by pixel in the classic 16-colour manner.

Run with Debian's python3 (it has PIL); writes the PNG files into
src/app/icons/, which src/app/kelvra.qrc lists:
    /usr/bin/python3 tools/icons/make_icons.py
"""

import math
import os
import sys

from PIL import Image

# The classic 16-colour palette, plus transparency.
PALETTE = {
    ".": (0, 0, 0, 0),
    "K": (0, 0, 0, 255),
    "G": (128, 128, 128, 255),
    "L": (192, 192, 192, 255),
    "W": (255, 255, 255, 255),
    "B": (0, 0, 128, 255),
    "b": (0, 0, 255, 255),
    "T": (0, 128, 128, 255),
    "c": (0, 255, 255, 255),
    "g": (0, 128, 0, 255),
    "l": (0, 255, 0, 255),
    "O": (128, 128, 0, 255),
    "Y": (255, 255, 0, 255),
    "R": (128, 0, 0, 255),
    "r": (255, 0, 0, 255),
}

# "云图浏览": a geostationary view of the earth, clouds over land and sea.
FOLDER_CLOUD = [
    "................",
    ".LLLLLLLLLLLLLLG",
    ".LKKKKKKKKKKKKKG",
    ".LKKKKBbbbBKKKKG",
    ".LKKBbWWbbbbKKKG",
    ".LKBbWWWWbgbbKKG",
    ".LKbgbbWWggbbbKG",
    ".LBbggbbbgWWWbKG",
    ".LbWWgbbbbbWWbKG",
    ".LBbWWWbbgbbbBKG",
    ".LKbbbWWggbbbKKG",
    ".LKKbbbbWWbbBKKG",
    ".LKKKBbbbbBKKKKG",
    ".LKKKKKKKKKKKKKG",
    ".GGGGGGGGGGGGGGG",
    "................",
]

# "动画显示": a film strip whose two frames show a cloud moving on.
FOLDER_MOVIE = [
    "................",
    "................",
    "KKKKKKKKKKKKKKKK",
    "KWWKKWWKKWWKKWWK",
    "KKKKKKKKKKKKKKKK",
    "KcccccKKKKcccccK",
    "KcWWccKKKKccWWcK",
    "KWWWWcKKKKcWWWWK",
    "KccccgKKKKcccggK",
    "KcgggggKKKcggggK",
    "KggggggKKKgggggK",
    "KKKKKKKKKKKKKKKK",
    "KWWKKWWKKWWKKWWK",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
]

# Toolbar buttons, 16 x 15: open, save, print, about.
TOOL_OPEN = [
    "................",
    "..........KKK...",
    ".........K...K.K",
    "..............KK",
    ".KKK.........KKK",
    "KWYWKKKKKKK.....",
    "KYWYWYWYWYK.....",
    "KWYWYWYWYWK.....",
    "KYWYWYKKKKKKKKKK",
    "KWYWYKOOOOOOOOOK",
    "KYWYKOOOOOOOOOK.",
    "KWYKOOOOOOOOOK..",
    "KYKOOOOOOOOOK...",
    "KKKKKKKKKKKKK...",
    "................",
]

TOOL_SAVE = [
    "................",
    ".KKKKKKKKKKKKKK.",
    ".KTKWWWWWWWWKTK.",
    ".KTKWWWWWWWWKKK.",
    ".KTKWWWWWWWWKTK.",
    ".KTKWWWWWWWWKTK.",
    ".KTKWWWWWWWWKTK.",
    ".KTTKKKKKKKKTTK.",
    ".KTTTTTTTTTTTTK.",
    ".KTTKKKKKKKKTTK.",
    ".KTTKLLKKLLKTTK.",
    ".KTTKLLKKLLKTTK.",
    ".KTTKLLKKLLKTTK.",
    "..KKKKKKKKKKKKK.",
    "................",
]

TOOL_PRINT = [
    "................",
    "....KKKKKKKKK...",
    "....KWWWWWWWK...",
    "....KWKKKKKWK...",
    "....KWWWWWWWK...",
    "...KKKKKKKKKKK..",
    "..KWWWWWWWWWWLK.",
    ".KKKKKKKKKKKKKLK",
    ".KLLLLLLLLLYYLKK",
    ".KLLLLLLLLLLLLKK",
    ".KGGGGGGGGGGGGK.",
    "..KWWWWWWWWWWK..",
    "..KWKKKKKKKKWK..",
    "..KKKKKKKKKKKK..",
    "................",
]

TOOL_ABOUT = [
    "................",
    ".....KKKKKK.....",
    "...KKbbbbbbKK...",
    "..KbbbWWWWbbBK..",
    ".KbbbWWbBWWbBBK.",
    ".KbbbbbBBWWBBBK.",
    ".KbbbbBBWWBBBBK.",
    ".KbbbBBWWBBBBBK.",
    ".KbbBBBWWBBBBBK.",
    ".KbBBBBBBBBBBBK.",
    "..KBBBBWWBBBBK..",
    "...KKBBWWBBKK...",
    ".....KKKKKK.....",
    "................",
    "................",
]


# The selection list of the NWP overlay dialog: a ticked box ("Yes") and an
# empty one ("No").
NWP_YES = [
    "................",
    "................",
    "..GGGGGGGGGGGG..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWgWL..",
    "..GWWWWWWWggWL..",
    "..GWgWWWWgggWL..",
    "..GWggWWgggWWL..",
    "..GWgggggggWWL..",
    "..GWWgggggWWWL..",
    "..GWWWgggWWWWL..",
    "..GWWWWgWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GLLLLLLLLLLL..",
    "................",
    "................",
]

NWP_NO = [
    "................",
    "................",
    "..GGGGGGGGGGGG..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GWWWWWWWWWWL..",
    "..GLLLLLLLLLLL..",
    "................",
    "................",
]


def from_art(art, width, height):
    if len(art) != height or any(len(row) != width for row in art):
        sys.exit(f"art is not {width} x {height}: {[len(r) for r in art]}")
    image = Image.new("RGBA", (width, height))
    for y, row in enumerate(art):
        for x, key in enumerate(row):
            image.putpixel((x, y), PALETTE[key])
    return image


def app_icon():
    """32 x 32: the earth disc under clouds, with the satellite above it."""
    size = 32
    image = Image.new("RGBA", (size, size), PALETTE["."])
    cx, cy, radius = 14.5, 17.5, 13.0
    for y in range(size):
        for x in range(size):
            dx, dy = x - cx, y - cy
            d = math.hypot(dx, dy)
            if d > radius + 0.5:
                continue
            if d > radius - 0.6:
                key = "B"  # the limb
            else:
                key = "b"
                land = ((dx + 3) / 7.0) ** 2 + ((dy + 2) / 5.0) ** 2 < 1.0 or \
                       ((dx - 5) / 4.0) ** 2 + ((dy - 6) / 3.0) ** 2 < 1.0
                if land:
                    key = "g"
                # Spiral cloud bands, as a cloud image shows them.
                angle = math.atan2(dy, dx)
                band = math.sin(3.0 * angle + d * 0.55)
                if band > 0.72:
                    key = "W"
                elif band > 0.55:
                    key = "L"
                if dx + dy < -14 and key == "b":
                    key = "c"  # the lit edge
            image.putpixel((x, y), PALETTE[key])
    satellite = [
        "bbK.KK.Kbb",
        "bbKKLLKKbb",
        "bbK.GG.Kbb",
    ]
    for y, row in enumerate(satellite):
        for x, key in enumerate(row):
            if key != ".":
                image.putpixel((21 + x, 1 + y), PALETTE[key])
    return image


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = os.path.join(root, "src", "app", "icons")
    os.makedirs(out, exist_ok=True)
    icons = {
        "folder-cloud.png": from_art(FOLDER_CLOUD, 16, 16),
        "folder-movie.png": from_art(FOLDER_MOVIE, 16, 16),
        "tool-open.png": from_art(TOOL_OPEN, 16, 15),
        "tool-save.png": from_art(TOOL_SAVE, 16, 15),
        "tool-print.png": from_art(TOOL_PRINT, 16, 15),
        "tool-about.png": from_art(TOOL_ABOUT, 16, 15),
        "kelvra.png": app_icon(),
        "nwp-yes.png": from_art(NWP_YES, 16, 16),
        "nwp-no.png": from_art(NWP_NO, 16, 16),
    }
    for name, image in icons.items():
        image.save(os.path.join(out, name))


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""The job of `kelvra-cli render PRODUCT -o OUT.bmp` done with numpy and
matplotlib (the Agg back end), to time the whole command against: the same
product and map reading as tools/bench-render-pil-peer.py, the counts shown
1:1 through a grey colour map on a figure of the image's size, the map lines
as line collections, the dashed grid, the title with a CJK font, and the
canvas saved as a 24-bit BMP.

    /usr/bin/python3 tools/bench-render-matplotlib-peer.py PRODUCT OUT.bmp [DATA_DIR]
"""

import os
import runpy
import sys
import types

import matplotlib

matplotlib.use("Agg")

import numpy as np  # noqa: E402
from matplotlib import font_manager  # noqa: E402
from matplotlib.collections import LineCollection  # noqa: E402
from matplotlib.figure import Figure  # noqa: E402
from matplotlib.backends.backend_agg import FigureCanvasAgg  # noqa: E402
from PIL import Image  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
# The product and map reading of the numpy+PIL peer, shared as they are.
peer = types.SimpleNamespace(
    **runpy.run_path(os.path.join(HERE, "bench-render-pil-peer.py"), run_name="pil_peer"))

DPI = 100


def rgb(colour):
    return tuple(c / 255.0 for c in colour)


def map_segments(product, path, half_count):
    """Polylines of the runs of consecutive points inside the image's box."""
    pieces = []
    for lat, lon in peer.map_records(path, half_count):
        inside = ((product.south < lat) & (lat < product.north) & (product.west < lon) &
                  (lon < product.east))
        if not inside.any():
            continue
        x, y = product.project(lon.astype(np.float64), lat)
        x = np.trunc(x) + 0.5
        y = np.trunc(y) + 0.5
        edges = np.flatnonzero(np.diff(np.concatenate(([0], inside.view(np.int8), [0]))))
        for start, stop in zip(edges[::2], edges[1::2]):
            if stop - start > 1:
                pieces.append(np.column_stack((x[start:stop], y[start:stop])))
    return pieces


def grid_segments(product):
    lon_start = 10 * int(np.trunc(product.west * 0.1))
    lon_end = 10 * (1 - int(np.trunc(-product.east * 0.1)))
    lat_start = 10 * int(np.trunc(product.south * 0.1))
    lat_end = 10 * (1 - int(np.trunc(-product.north * 0.1)))
    lons = np.arange(product.west, product.east, 0.1, dtype=np.float32) + np.float32(0.1)
    lats = np.arange(product.south, product.north, 0.1, dtype=np.float32) + np.float32(0.1)
    lines = []
    for lat in range(lat_start, lat_end + 1, 10):
        x, y = product.project(lons.astype(np.float64), float(lat))
        lines.append(np.column_stack((np.trunc(x + 0.5), np.trunc(np.full_like(x, y) + 0.5))))
    for lon in range(lon_start, lon_end + 1, 10):
        x, y = product.project(float(lon), lats.astype(np.float64))
        lines.append(np.column_stack((np.trunc(np.full_like(y, x) + 0.5), np.trunc(y + 0.5))))
    return lines


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    data_dir = sys.argv[3] if len(sys.argv) > 3 else os.path.join(HERE, "..", "dat")
    product = peer.Product(sys.argv[1])
    w, h = product.width, product.height

    figure = Figure(figsize=(w / DPI, h / DPI), dpi=DPI)
    canvas = FigureCanvasAgg(figure)
    axes = figure.add_axes((0, 0, 1, 1))
    axes.set_axis_off()
    axes.imshow(product.counts, cmap="gray", vmin=0, vmax=255, interpolation="nearest",
                extent=(0, w, h, 0))
    layers = [("WORLD.LNB", True, peer.WORLD), ("CHINAM.MPB", False, peer.CHINA),
              ("RIVER.LNB", True, peer.RIVER)]
    for name, half_count, colour in layers:
        segments = map_segments(product, os.path.join(data_dir, name), half_count)
        axes.add_collection(LineCollection(segments, colors=[rgb(colour)], linewidths=0.72,
                                           antialiaseds=False))
    axes.add_collection(LineCollection(grid_segments(product), colors=[rgb(peer.GRID)],
                                       linewidths=0.72, linestyles="dashed",
                                       antialiaseds=False))
    axes.set_xlim(0, w)
    axes.set_ylim(h, 0)
    font = font_manager.FontProperties(fname=peer.CJK_FONT, size=16 * 72 / DPI)
    title = product.title(peer.region_name(os.path.join(data_dir, "region.txt")))
    axes.text(6, 6, title, color=rgb(peer.TITLE), fontproperties=font, va="top", ha="left")
    canvas.draw()
    picture = Image.frombuffer("RGBA", canvas.get_width_height(), canvas.buffer_rgba())
    picture.convert("RGB").save(sys.argv[2], "BMP")


if __name__ == "__main__":
    main()

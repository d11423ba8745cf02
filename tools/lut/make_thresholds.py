#!/usr/bin/python3
"""Writes the four seasonal rain/no-rain threshold tables of the
precipitation estimate into dat/lut/ (or the folder given).

Each table is 512 x 512 signed 16-bit little-endian integers, row by row,
no header, in tenths of kelvin: row r is latitude 59.6 - 0.1 r, column c
longitude 73.28 + 0.12 c.

A pixel is a rain candidate when its infrared-1 brightness temperature is
below the table's value. The model (see dat/README.md for the reasoning and
the sources):

    T = 235 K                                  GPI threshold (Arkin and Meisner 1987)
        + season offset                        warmer in summer, colder in winter
        - latitude gradient * (lat - 25)       colder toward the north
        - 3 K per km * terrain height          colder over high ground
        + 4 K * sea fraction                   warmer over the sea
    clipped to 205..245 K and rounded to 0.1 K.

Terrain and sea come from simple outlines drawn in this file (the main
highlands of the domain and the coast at about half a degree), smoothed over
about a degree so that the thresholds change gradually. Only +, -, *, / and
comparisons are used on the grid, so the output is the same byte for byte on
every run and machine.

    /usr/bin/python3 tools/lut/make_thresholds.py [OUT_DIR]
"""

import os
import sys

import numpy as np

SIDE = 512
NORTH_LAT = 59.6
WEST_LON = 73.28
ROW_STEP = 0.1
COLUMN_STEP = 0.12

# Anchor: the Global Precipitation Index threshold, 235 K, at 25 N over low
# land in spring.
GPI_THRESHOLD_K = 235.0
REFERENCE_LAT = 25.0

# Per season: file name, offset (K), latitude gradient (K per degree).
SEASONS = [
    ("yuzhi_1212.dat", -6.0, 0.35),   # December-February
    ("yuzhi_345.dat", 0.0, 0.25),     # March-May
    ("yuzhi_678.dat", 3.0, 0.15),     # June-August
    ("yuzhi_91011.dat", 1.0, 0.25),   # September-November
]

TERRAIN_K_PER_KM = 3.0
SEA_WARMING_K = 4.0
LOWEST_K = 205.0
HIGHEST_K = 245.0

# Highlands: (height in km, outline as (lon, lat) vertices).
HIGHLANDS = [
    # Tibetan Plateau with the Pamir, Karakoram, Kunlun, Qilian and Hengduan
    # ranges at its edges; Qaidam basin included.
    (4.5, [(73.0, 36.5), (75.0, 37.5), (78.0, 37.0), (80.0, 36.3), (85.0, 36.2),
           (90.0, 37.8), (95.0, 38.8), (99.0, 38.2), (102.0, 37.5), (103.0, 35.0),
           (103.5, 32.5), (102.0, 29.5), (100.5, 27.5), (98.5, 27.5), (96.0, 28.5),
           (92.0, 27.8), (88.0, 27.5), (84.0, 28.5), (81.0, 29.8), (79.0, 31.0),
           (77.0, 32.5), (75.0, 34.5), (73.0, 35.0)]),
    # Tian Shan.
    (2.8, [(73.0, 39.5), (76.0, 40.3), (80.0, 41.8), (86.0, 43.0), (90.0, 43.5),
           (94.0, 43.3), (94.0, 42.5), (88.0, 42.2), (82.0, 41.2), (76.0, 39.3),
           (73.0, 38.8)]),
    # Tarim basin.
    (1.1, [(76.5, 39.5), (80.0, 41.0), (85.0, 41.7), (88.0, 40.5), (88.5, 39.0),
           (85.0, 37.3), (80.0, 36.8), (77.0, 37.5)]),
    # Yunnan-Guizhou Plateau.
    (1.8, [(99.0, 27.0), (102.0, 27.5), (105.0, 27.5), (108.0, 26.5), (108.0, 25.0),
           (104.5, 23.5), (101.0, 23.0), (99.0, 24.0)]),
    # Loess Plateau.
    (1.3, [(102.0, 37.0), (104.0, 38.5), (107.0, 39.0), (111.0, 39.0), (112.0, 37.0),
           (111.0, 35.0), (108.0, 34.5), (104.0, 34.5)]),
    # Mongolian Plateau with the Altai and Inner Mongolia.
    (1.4, [(86.0, 48.5), (90.0, 50.5), (96.0, 50.5), (104.0, 50.5), (112.0, 49.5),
           (118.0, 47.0), (116.0, 44.0), (112.0, 42.0), (105.0, 41.5), (98.0, 42.5),
           (91.0, 45.0)]),
    # Greater Khingan.
    (0.9, [(119.0, 53.0), (122.0, 52.0), (123.0, 48.0), (121.0, 45.0), (119.0, 44.0),
           (117.0, 46.0), (118.0, 50.0)]),
]

# Land: the Asian mainland inside the box 72-136 E, 7-61 N, traced along the
# coast from the Indian west coast eastward, then the larger islands.
MAINLAND = [
    (72.0, 22.0), (72.6, 21.2), (72.9, 19.0), (73.5, 16.5), (74.3, 14.5), (75.0, 12.5),
    (76.2, 10.0), (77.5, 8.1), (78.2, 9.0), (79.3, 10.3), (79.9, 12.0), (80.3, 13.5),
    (80.1, 15.5), (81.3, 16.3), (82.3, 17.0), (84.1, 18.3), (85.7, 19.8), (86.9, 20.8),
    (87.0, 21.6), (88.2, 21.7), (89.5, 21.9), (90.6, 22.3), (91.8, 22.3), (92.3, 21.0),
    (92.9, 20.0), (94.0, 18.5), (94.5, 16.2), (95.3, 15.8), (96.8, 16.5), (97.6, 16.5),
    (97.8, 14.5), (98.5, 12.5), (98.6, 10.0), (98.4, 7.0), (100.4, 7.0), (100.3, 8.5),
    (99.3, 9.3), (99.2, 10.5), (99.5, 12.0), (100.0, 13.4), (100.9, 13.4), (100.9, 12.7),
    (102.3, 12.1), (103.0, 11.0), (104.5, 10.4), (104.8, 8.6), (106.6, 9.5), (107.2, 10.4),
    (109.0, 11.4), (109.3, 12.9), (109.2, 15.0), (108.5, 16.0), (107.1, 17.1),
    (105.7, 18.8), (106.0, 20.0), (106.8, 20.8), (108.0, 21.5), (109.6, 21.5),
    (109.9, 20.3), (110.5, 20.4), (110.7, 21.4), (111.8, 21.7), (113.3, 22.2),
    (114.2, 22.4), (115.5, 22.8), (116.7, 23.3), (117.7, 24.4), (118.7, 24.8),
    (119.6, 25.6), (119.6, 26.7), (120.4, 27.5), (121.0, 28.5), (121.9, 29.8),
    (121.3, 30.5), (121.9, 31.0), (121.3, 32.0), (120.9, 32.7), (120.3, 34.4),
    (119.2, 35.0), (120.3, 36.0), (121.0, 36.6), (122.5, 37.2), (121.0, 37.8),
    (119.5, 37.2), (118.9, 37.7), (118.0, 38.4), (117.6, 39.0), (118.9, 39.2),
    (119.5, 39.8), (121.0, 40.8), (122.3, 40.5), (121.2, 39.6), (121.3, 38.8),
    (122.2, 39.2), (123.5, 39.7), (124.4, 39.8), (125.1, 39.5), (125.4, 38.0),
    (126.6, 37.4), (126.5, 36.0), (126.3, 34.6), (127.5, 34.6), (129.1, 35.1),
    (129.5, 36.1), (129.4, 37.2), (128.6, 38.3), (127.5, 39.6), (128.4, 40.0),
    (129.7, 40.9), (129.8, 41.8), (130.7, 42.4), (131.9, 43.1), (133.1, 42.7),
    (135.3, 43.8), (136.0, 44.5), (136.0, 61.0), (72.0, 61.0),
]
ISLANDS = [
    # Kyushu, western Honshu, Shikoku.
    [(129.7, 33.5), (130.2, 31.3), (131.3, 31.4), (132.0, 33.0), (131.0, 34.0)],
    [(130.9, 34.0), (131.5, 34.6), (132.8, 35.5), (134.3, 35.6), (136.0, 35.7),
     (136.0, 34.2), (135.1, 34.6), (133.5, 34.4), (132.2, 34.0)],
    [(132.4, 33.0), (133.0, 32.7), (134.2, 33.3), (134.7, 34.2), (133.5, 34.3),
     (132.6, 33.9)],
    # Taiwan, Hainan, Sri Lanka.
    [(120.1, 23.0), (120.7, 22.0), (121.0, 22.0), (121.9, 24.5), (121.9, 25.3),
     (121.4, 25.3), (120.2, 23.8)],
    [(108.6, 19.1), (109.5, 18.2), (110.1, 18.3), (111.0, 19.6), (110.7, 20.1),
     (109.7, 20.0), (108.7, 19.7)],
    [(79.7, 7.0), (81.8, 7.0), (81.3, 8.5), (80.2, 9.8), (79.9, 8.8)],
    # Luzon, and the Visayas with Mindanao.
    [(120.6, 18.5), (122.2, 18.5), (122.0, 17.0), (121.6, 15.8), (122.0, 14.0),
     (120.6, 14.3), (120.0, 16.0), (120.3, 17.5)],
    [(122.0, 10.5), (123.3, 12.5), (124.5, 12.5), (125.7, 11.2), (126.6, 7.0),
     (122.0, 7.0), (122.0, 9.5)],
]

# Smoothing: a box of this many rows and columns (about 1.2 degrees), twice.
SMOOTH_ROWS = 13
SMOOTH_COLUMNS = 11
SMOOTH_PASSES = 2


def grid():
    """Latitude and longitude of every table entry, each 512 x 512."""
    rows = np.arange(SIDE, dtype=np.float64)
    lat = NORTH_LAT - ROW_STEP * rows
    lon = WEST_LON + COLUMN_STEP * rows
    return np.meshgrid(lat, lon, indexing="ij")


def inside(polygon, lat, lon):
    """Even-odd point-in-polygon test of every grid point."""
    result = np.zeros(lat.shape, dtype=bool)
    n = len(polygon)
    for k in range(n):
        x0, y0 = polygon[k]
        x1, y1 = polygon[(k + 1) % n]
        if y0 == y1:
            continue
        crosses = (lat >= min(y0, y1)) & (lat < max(y0, y1))
        x_at = x0 + (lat - y0) * ((x1 - x0) / (y1 - y0))
        result ^= crosses & (lon < x_at)
    return result


def box_smooth(field):
    """Mean over a box of SMOOTH_ROWS x SMOOTH_COLUMNS, edges repeated."""
    out = field.astype(np.float64)
    for _ in range(SMOOTH_PASSES):
        for axis, size in ((0, SMOOTH_ROWS), (1, SMOOTH_COLUMNS)):
            half = size // 2
            pad = [(0, 0), (0, 0)]
            pad[axis] = (half, half)
            padded = np.pad(out, pad, mode="edge")
            total = np.zeros_like(out)
            for k in range(size):
                total += np.take(padded, np.arange(k, k + SIDE), axis=axis)
            out = total / size
    return out


def terrain_km(lat, lon):
    height = np.zeros(lat.shape)
    for km, outline in HIGHLANDS:
        height = np.maximum(height, km * box_smooth(inside(outline, lat, lon)))
    return height


def sea_fraction(lat, lon):
    land = inside(MAINLAND, lat, lon)
    for island in ISLANDS:
        land |= inside(island, lat, lon)
    return box_smooth(~land)


def table(lat, offset, gradient, height, sea):
    kelvin = (GPI_THRESHOLD_K + offset - gradient * (lat - REFERENCE_LAT)
              - TERRAIN_K_PER_KM * height + SEA_WARMING_K * sea)
    kelvin = np.clip(kelvin, LOWEST_K, HIGHEST_K)
    tenths = np.floor(kelvin * 10.0 + 0.5).astype("<i2")
    return tenths


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = argv[1] if len(argv) > 1 else os.path.join(here, "..", "..", "dat", "lut")
    os.makedirs(out_dir, exist_ok=True)
    lat, lon = grid()
    height = terrain_km(lat, lon)
    sea = sea_fraction(lat, lon)
    for name, offset, gradient in SEASONS:
        values = table(lat, offset, gradient, height, sea)
        path = os.path.join(out_dir, name)
        with open(path, "wb") as f:
            f.write(values.tobytes())
        print("%s: %.1f..%.1f K" % (name, values.min() / 10.0, values.max() / 10.0))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/python3
"""Writes the sample NWP data: diamond type-4 files of a regional 0.25 degree
grid (500 hPa height, sea-level pressure, 850 hPa temperature, rows written
north to south) and a global 2.5 degree grid (500 hPa height, 0 to 357.5
degrees, rows written south to north) at the times of the sample catalogue,
with the nwp.txt catalogue that lists their folders.

    /usr/bin/python3 tools/make-sample-nwp.py DIR

The fields are the generator's own model: a subtropical high, westerlies with
travelling troughs and ridges, a cut-off low moving east, a Siberian high and
a cyclone over the East China Sea. Files that exist already are kept;
nwp.txt is written last, so its presence means the set is complete.
"""
import datetime
import os
import sys

import numpy as np

# The sample catalogue's products run hourly from 2022-03-30 12:00 UTC for
# 30 hours; the model runs every six hours inside that span.
FIRST_RUN = datetime.datetime(2022, 3, 30, 12)
RUNS = [FIRST_RUN + datetime.timedelta(hours=6 * n) for n in range(5)]

REGIONAL = dict(west=70.0, east=145.0, south=5.0, north=60.0, step=0.25)
GLOBAL = dict(west=0.0, east=357.5, south=-90.0, north=90.0, step=2.5)

# Data classes of the catalogue: (class folder, title, [(type folder, title,
# [levels])]). Titles and descriptions are GBK, as the system reads them.
CATALOGUE = [
    ("upper", "高空形势", [("height", "500hPa位势高度", ["500"]),
                         ("temper", "850hPa温度", ["850"])]),
    ("surface", "地面形势", [("pressure", "海平面气压", [])]),
    ("global", "全球形势", [("height", "全球500hPa位势高度", ["500"])]),
]


def gaussian(lon, lat, lon0, lat0, width):
    dlon = (lon - lon0 + 180.0) % 360.0 - 180.0
    return np.exp(-(dlon ** 2 + (lat - lat0) ** 2) / (2.0 * width ** 2))


def height500(lon, lat, hours):
    phi = np.radians(lat)
    z = 5900.0 - 650.0 * np.sin(phi) ** 2 * (1.0 + 0.25 * np.sign(lat) * np.sin(phi))
    westerlies = np.sin(2.0 * phi) ** 2
    z += 90.0 * westerlies * np.cos(np.radians(5.0 * (lon - 0.45 * hours)))
    z += 40.0 * westerlies * np.cos(np.radians(8.0 * (lon + 0.3 * hours) + 40.0))
    z -= 260.0 * gaussian(lon, lat, 92.0 + 0.55 * hours, 46.0 - 0.05 * hours, 4.5)
    z += 35.0 * gaussian(lon, lat, 128.0 - 0.1 * hours, 21.0, 9.0)
    return z


def sea_level_pressure(lon, lat, hours):
    p = 1012.0 + 6.0 * np.cos(np.radians(2.0 * lat))
    p += 26.0 * gaussian(lon, lat, 102.0 + 0.25 * hours, 50.0 - 0.12 * hours, 9.0)
    p -= 17.0 * gaussian(lon, lat, 121.0 + 0.7 * hours, 29.0 + 0.35 * hours, 4.0)
    p -= 8.0 * gaussian(lon, lat, 78.0, 30.0, 6.0)  # the heat low over the plateau
    return p


def temperature850(lon, lat, hours):
    t = 27.0 - 0.85 * (lat - 8.0)
    t += 4.0 * np.sin(np.radians(2.0 * lat)) * np.cos(np.radians(5.0 * (lon - 0.45 * hours) + 25.0))
    t -= 7.0 * gaussian(lon, lat, 94.0 + 0.55 * hours, 44.0, 6.0)
    return t


# (class folder, type folder, level folder or None, grid, field, name,
# interval, first, last, decimals, rows south first, line end)
PRODUCTS = [
    ("upper", "height", "500", REGIONAL, height500, "500hPa高度", 40, 5000, 5880, 1, False, "\n"),
    ("upper", "temper", "850", REGIONAL, temperature850, "850hPa温度", 4, -40, 32, 1, False,
     "\r\n"),
    ("surface", "pressure", None, REGIONAL, sea_level_pressure, "海平面气压", 2.5, 960, 1050, 1,
     False, "\r\n"),
    ("global", "height", "500", GLOBAL, height500, "全球500hPa高度", 40, 4800, 5920, 1, True, "\n"),
]


def axis(first, last, step):
    return first + step * np.arange(int(round((last - first) / step)) + 1)


def diamond_text(grid, field, name, run, level, interval, first, last, decimals, south_first, eol):
    lons = axis(grid["west"], grid["east"], grid["step"])
    lats = axis(grid["south"], grid["north"], grid["step"])
    if not south_first:
        lats = lats[::-1]
    hours = (run - FIRST_RUN).total_seconds() / 3600.0
    lon, lat = np.meshgrid(lons, lats)
    values = field(lon, lat, hours)
    lat_step = grid["step"] if south_first else -grid["step"]
    description = f"{run:%y}年{run:%m}月{run:%d}日{run:%H}时{name}"
    header = (f"diamond 4 {description}{eol}"
              f"{run:%y} {run:%m} {run:%d} {run:%H} 0 {level}{eol}"
              f"{grid['step']:g} {lat_step:g} {lons[0]:g} {lons[-1]:g} {lats[0]:g} {lats[-1]:g} "
              f"{len(lons)} {len(lats)} {interval:g} {first:g} {last:g} 1 0{eol}")
    # Ten values to a line, as many writers lay them out.
    flat = values.ravel()
    fmt = f"%.{decimals}f"
    lines = [" ".join(fmt % v for v in flat[n:n + 10]) for n in range(0, flat.size, 10)]
    return (header + eol.join(lines) + eol).encode("gbk")


def write_catalogue(path):
    lines = []
    for number, (folder, title, types) in enumerate(CATALOGUE, start=1):
        lines.append(f"class{number}")
        lines.append(f"{folder} {title} {len(types)}")
        for type_folder, type_title, levels in types:
            lines.append(f"{type_folder} {type_title} {len(levels)}")
            lines.extend(levels)
    with open(path + ".part", "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n").encode("gbk"))
    os.replace(path + ".part", path)


def main():
    if len(sys.argv) != 2:
        print(f"usage: {sys.argv[0]} DIR", file=sys.stderr)
        return 2
    root = sys.argv[1]
    written = 0
    for cls, kind, level, grid, field, name, interval, first, last, decimals, south_first, eol \
            in PRODUCTS:
        folder = os.path.join(root, cls, kind, level) if level else os.path.join(root, cls, kind)
        os.makedirs(folder, exist_ok=True)
        for run in RUNS:
            path = os.path.join(folder, f"{run:%y%m%d%H}.000")
            if os.path.exists(path):
                continue
            data = diamond_text(grid, field, name, run, int(level or 0), interval, first, last,
                                decimals,
                                south_first, eol)
            with open(path + ".part", "wb") as out:
                out.write(data)
            os.replace(path + ".part", path)
            written += 1
    write_catalogue(os.path.join(root, "nwp.txt"))
    print(f"{written} diamond files written under {root}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""The job of `kelvra-cli render PRODUCT -o OUT.bmp` done with numpy and PIL,
to time the whole command against: read the AWX product (headers and counts
with numpy), show the counts through the grey ramp, draw the world map, the
China outline and the rivers strictly inside the image's box, the dashed
10-degree grid in steps of 0.1 degree and the title with a CJK font, and
save a 24-bit BMP. Equal latitude/longitude products only (the real sample
is one).

    /usr/bin/python3 tools/bench-render-pil-peer.py PRODUCT OUT.bmp [DATA_DIR]

DATA_DIR defaults to the repository's dat folder.
"""

import os
import struct
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
CHANNELS = {1: "红外一", 2: "水汽", 3: "红外二", 4: "可见光", 5: "红外三"}

WORLD = (128, 255, 128)
CHINA = (255, 192, 192)
RIVER = (0, 0, 255)
GRID = (255, 255, 128)
TITLE = (232, 64, 64)


class Product:
    """Headers, counts and the equal latitude/longitude geolocation."""

    def __init__(self, path):
        data = open(path, "rb").read()
        record_length, header_records = struct.unpack_from("<2h", data, 20)
        (self.satellite, self.year, self.month, self.day, self.hour, self.minute,
         self.channel, self.projection, self.width, self.height) = struct.unpack_from(
             "<8s7h2H", data, 40)
        center_lat, center_lon, std_lat1, _, _, v_res = struct.unpack_from("<6h", data, 80)
        if struct.unpack_from("<h", data, 40 + 58)[0] == 2048:
            table = np.frombuffer(data, "<u2", 1024, 104)[::4] * 0.01
        else:
            table = np.zeros(256)
        self.calibration = table.astype(np.float32)
        offset = record_length * header_records
        count = self.width * self.height
        self.counts = np.frombuffer(data, np.uint8, count, offset).reshape(self.height, self.width)

        resolution = v_res * 0.01
        if resolution > 1.0:
            resolution *= 0.01
        self.center_lon = center_lon * 0.01
        self.center_lat = center_lat * 0.01
        self.scale = 1.0 / resolution
        spacing = std_lat1 * 0.01
        self.lon_scale = 1.0 / spacing if 0.0 < spacing < 10.0 else self.scale
        rounded = 4 * int(np.floor(self.width / 4.0 + 0.5))
        self.origin_x = (rounded - 1) * 0.5 - self.lon_scale * self.center_lon
        self.origin_y = (self.height - 1) * 0.5 + self.scale * self.center_lat
        self.west = (0.0 - self.origin_x) / self.lon_scale
        self.east = (rounded - 1.1 - self.origin_x) / self.lon_scale
        self.north = self.origin_y / self.scale
        self.south = (self.origin_y - (self.height - 1.1)) / self.scale

    def project(self, lon, lat):
        return self.lon_scale * lon + self.origin_x, self.origin_y - self.scale * lat

    def title(self, region):
        return "%s %s %04d年%02d月%02d日%02d时%02d分 %s" % (
            self.satellite.split(b"\0")[0].decode(), region, self.year, self.month, self.day,
            self.hour, self.minute, CHANNELS.get(self.channel, ""))


def region_name(path, index=0):
    """The name of one record of the region file (GBK): keyword, count, ten
    tokens a record."""
    tokens = open(path, "rb").read().decode("gbk", "replace").split()
    at = 2 + 10 * index
    return tokens[at] if tokens[:1] == ["REGION"] and at < len(tokens) else ""


def map_records(path, half_count):
    """The polylines of a map file as (lat, lon) arrays."""
    data = open(path, "rb").read()
    words = np.frombuffer(data, "<i2")
    pos = 0
    size = len(data)
    while size - pos >= 10:
        count = int(words[pos // 2])
        points = max(count, 0) // 2 if half_count else max(count, 0)
        pos += 10
        end = min(pos + 4 * points, size - (size - pos) % 4)
        pair = words[pos // 2:end // 2].reshape(-1, 2)
        yield pair[:, 0] * 0.01, (pair[:, 1] * 0.01).astype(np.float32)
        pos = end


def draw_map(draw, product, path, half_count, colour):
    for lat, lon in map_records(path, half_count):
        inside = ((product.south < lat) & (lat < product.north) & (product.west < lon) &
                  (lon < product.east))
        if not inside.any():
            continue
        x, y = product.project(lon.astype(np.float64), lat)
        x = x.astype(np.int32)
        y = y.astype(np.int32)
        # Runs of consecutive inside points are drawn as one polyline each.
        edges = np.flatnonzero(np.diff(np.concatenate(([0], inside.view(np.int8), [0]))))
        for start, stop in zip(edges[::2], edges[1::2]):
            if stop - start > 1:
                draw.line(list(zip(x[start:stop].tolist(), y[start:stop].tolist())), fill=colour)


def draw_grid(draw, product):
    def dashed(xs, ys):
        inside = (0 < xs) & (xs < product.width) & (0 < ys) & (ys < product.height)
        points = list(zip(xs[inside].tolist(), ys[inside].tolist()))
        for k in range(0, len(points) - 1, 2):
            draw.line(points[k:k + 2], fill=GRID)

    lon_start = 10 * int(np.trunc(product.west * 0.1))
    lon_end = 10 * (1 - int(np.trunc(-product.east * 0.1)))
    lat_start = 10 * int(np.trunc(product.south * 0.1))
    lat_end = 10 * (1 - int(np.trunc(-product.north * 0.1)))
    lons = np.arange(product.west, product.east, 0.1, dtype=np.float32) + np.float32(0.1)
    lats = np.arange(product.south, product.north, 0.1, dtype=np.float32) + np.float32(0.1)
    for lat in range(lat_start, lat_end + 1, 10):
        x, y = product.project(lons.astype(np.float64), float(lat))
        dashed(np.trunc(x + 0.5), np.trunc(np.full_like(x, y) + 0.5))
    for lon in range(lon_start, lon_end + 1, 10):
        x, y = product.project(float(lon), lats.astype(np.float64))
        dashed(np.trunc(np.full_like(y, x) + 0.5), np.trunc(y + 0.5))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    data_dir = sys.argv[3] if len(sys.argv) > 3 else os.path.join(HERE, "..", "dat")
    product = Product(sys.argv[1])
    ramp = np.repeat(np.arange(256, dtype=np.uint8), 3)
    picture = Image.fromarray(product.counts, "L")
    picture.putpalette(ramp.tolist())
    picture = picture.convert("RGB")
    draw = ImageDraw.Draw(picture)
    draw_map(draw, product, os.path.join(data_dir, "WORLD.LNB"), True, WORLD)
    draw_map(draw, product, os.path.join(data_dir, "CHINAM.MPB"), False, CHINA)
    draw_map(draw, product, os.path.join(data_dir, "RIVER.LNB"), True, RIVER)
    draw_grid(draw, product)
    title = product.title(region_name(os.path.join(data_dir, "region.txt")))
    draw.text((6, 6), title, fill=TITLE, font=ImageFont.truetype(CJK_FONT, 16))
    picture.save(sys.argv[2], "BMP")


if __name__ == "__main__":
    main()

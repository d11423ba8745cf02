"""The projection-region list delivered as dat/region.txt (GBK text).

Columns after the name: projection code (0 full disk, 1 equal lat/lon,
2 Mercator, 3 Lambert, 4 polar stereographic, 5 Albers), centre longitude,
centre latitude, grid step (degrees for equal lat/lon, kilometres otherwise),
width and height in pixels, first and second standard latitude, and the
channels the product comes in (bit 0 infrared 1 ... bit 4 visible). The
viewer only shows the names; the order is the product index (0 LCN, 1 MSS,
2 MLS, then the further regions).
"""

ALL_CHANNELS = 0b11111

REGIONS = [
    # name, proj, lon0, lat0, step, width, height, std1, std2, channels
    ("中国区域", 1, 97.5, 27.5, 0.05, 1900, 1300, 0.0, 0.0, ALL_CHANNELS),
    ("东亚区域", 2, 115.0, 30.0, 5.0, 1024, 1024, 30.0, 0.0, ALL_CHANNELS),
    ("中低纬度", 2, 105.0, 15.0, 10.0, 1600, 1000, 0.0, 0.0, ALL_CHANNELS),
    ("圆盘图", 0, 99.5, 0.0, 5.0, 2288, 2288, 0.0, 0.0, ALL_CHANNELS),
    ("北半球", 4, 105.0, 90.0, 10.0, 1024, 1024, 60.0, 0.0, ALL_CHANNELS),
    ("亚洲区域", 2, 100.0, 25.0, 10.0, 1400, 1000, 0.0, 0.0, ALL_CHANNELS),
    ("中国兰伯托", 3, 110.0, 35.0, 5.0, 1200, 1000, 25.0, 47.0, ALL_CHANNELS),
    ("中国艾尔伯斯", 5, 105.0, 35.0, 5.0, 1200, 1000, 25.0, 47.0,
     ALL_CHANNELS),
]


def region_text():
    lines = ["REGION", str(len(REGIONS))]
    for name, proj, lon0, lat0, step, w, h, s1, s2, ch in REGIONS:
        lines.append(f"{name} {proj} {lon0:.2f} {lat0:.2f} {step:.2f} "
                     f"{w} {h} {s1:.2f} {s2:.2f} {ch}")
    return "\r\n".join(lines) + "\r\n"


def write_region_file(path):
    data = region_text().encode("gbk")
    for r in REGIONS:
        assert len(r[0].encode("gbk")) < 32, r[0]
    with open(path, "wb") as f:
        f.write(data)
    print(f"region.txt: {len(REGIONS)} regions, {len(data)} bytes")

#!/usr/bin/python3
"""Builds kelvra's delivered map data from GMT's GSHHG and DCW databases.

Writes WORLD.LNB, CHINAM.MPB, PROVS.LNB, RIVER.LNB and region.txt into the
output folder (default: the repository's dat/). Needs the Debian packages
gmt, gmt-gshhg-high and gmt-dcw. Standard library only.

    /usr/bin/python3 tools/mapdata/make_mapdata.py [output-folder]
"""

import math
import os
import subprocess
import sys
from collections import defaultdict

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lnbformat  # noqa: E402
import regions  # noqa: E402

# A vertex closer than this to the last kept one is dropped (about 1.5 km);
# the finest product has 0.05-degree pixels, so nothing visible is lost.
TOLERANCE_DEG = 0.015

# GSHHG high resolution; land and lake shores of at least 50 km^2. Wide
# rivers (river-lakes) go with the rivers.
COAST_ARGS = ["-Dh", "-W", "-A50/1/2+l"]
BORDER_ARGS = ["-Dh", "-N1"]
# GSHHG still has Hong Kong and Macao as countries; their boundaries are
# provincial ones here and come with the provinces.
SAR_BOX = (113.4, 114.6, 21.9, 22.7)
# Wide and major rivers of the world, and the next rank of rivers of Asia.
RIVER_WORLD_ARGS = ["-Dh", "-I0", "-I1"]
RIVER_ASIA_ARGS = ["-Dh", "-I2"]
ASIA_BOX = "60/150/0/60"
WORLD_BOX = "-180/180/-90/90"

# Provinces of China in GMT's DCW (ISO 3166-2 style codes).
PROVINCES = [
    "AH", "BJ", "CQ", "FJ", "GD", "GS", "GX", "GZ", "HA", "HB", "HE", "HI",
    "HK", "HL", "HN", "JL", "JS", "JX", "LN", "MO", "NM", "NX", "QH", "SC",
    "SD", "SH", "SN", "SX", "TJ", "TW", "XJ", "XZ", "YN", "ZJ"
]
# A province's vertex lying this close to a neighbour's outline is on their
# common border (the two outlines agree to about 10 m).
SHARED_DEG = 0.003


def gmt_segments(args):
    """Runs gmt coast with -M and returns its segments as (lon, lat) lists."""
    out = subprocess.run(["gmt", "coast", "-M"] + args, check=True,
                         capture_output=True, text=True).stdout
    segments = []
    current = None
    for line in out.splitlines():
        if line.startswith(">"):
            current = []
            segments.append(current)
            continue
        fields = line.split()
        if len(fields) >= 2 and current is not None:
            current.append((float(fields[0]), float(fields[1])))
    return [s for s in segments if len(s) >= 2]


def join_segments(segments):
    """Chains GSHHG's per-bin pieces back into lines.

    Pieces are joined only where exactly two of them end at the same point,
    so junctions of three borders stay junctions.
    """
    ends = defaultdict(list)
    for i, seg in enumerate(segments):
        if seg[0] != seg[-1]:
            ends[seg[0]].append(i)
            ends[seg[-1]].append(i)
    used = [False] * len(segments)

    def next_piece(node):
        users = ends.get(node, [])
        if len(users) != 2:
            return None
        for j in users:
            if not used[j]:
                return j
        return None

    def extend(line):
        while True:
            j = next_piece(line[-1])
            if j is None:
                return line
            used[j] = True
            seg = segments[j]
            line.extend(seg[1:] if seg[0] == line[-1] else seg[-2::-1])

    lines = []
    for i, seg in enumerate(segments):
        if used[i]:
            continue
        used[i] = True
        line = extend(list(seg))
        line.reverse()
        lines.append(extend(line))
    return lines


def outside_sar_box(line):
    w, e, s, n = SAR_BOX
    return not all(w <= lon <= e and s <= lat <= n for lon, lat in line)


def simplify(line, tol=TOLERANCE_DEG):
    """Drops vertices nearer than tol (in degrees of latitude) to the last
    kept one; the first and last vertices are always kept."""
    if len(line) <= 2:
        return list(line)
    kept = [line[0]]
    for lon, lat in line[1:-1]:
        klon, klat = kept[-1]
        dx = (lon - klon) * math.cos(math.radians(lat))
        dy = lat - klat
        if dx * dx + dy * dy >= tol * tol:
            kept.append((lon, lat))
    kept.append(line[-1])
    if len(kept) == 2 and line[0] == line[-1]:
        # A small island would shrink to one point; its far side keeps it
        # visible as a short stroke.
        far = max(line, key=lambda p: (p[0] - line[0][0]) ** 2 +
                  (p[1] - line[0][1]) ** 2)
        kept.insert(1, far)
    return kept


def split_dateline(line):
    """Cuts a line where it jumps across the 180-degree meridian."""
    pieces = [[line[0]]]
    for a, b in zip(line, line[1:]):
        if abs(b[0] - a[0]) > 180.0:
            pieces.append([])
        pieces[-1].append(b)
    return [p for p in pieces if len(p) >= 2]


def quantize(line):
    """Rounds (lon, lat) degrees to (lat x 100, lon x 100) integers and drops
    repeated vertices."""
    out = []
    for lon, lat in line:
        p = (round(lat * 100), round(lon * 100))
        if not out or out[-1] != p:
            out.append(p)
    return out


def prepare(lines):
    """Simplifies, splits at the date line and quantizes lines for writing."""
    result = []
    for line in lines:
        for piece in split_dateline(line):
            q = quantize(simplify(piece))
            if len(q) >= 2:
                result.append(q)
    return result


class SegmentIndex:
    """Finds whether a point lies near any segment of a set of outlines."""

    CELL = 0.02

    def __init__(self):
        self.cells = defaultdict(list)

    def _cell(self, v):
        return int(math.floor(v / self.CELL))

    def add(self, owner, ring):
        for a, b in zip(ring, ring[1:]):
            x0, x1 = sorted((a[0], b[0]))
            y0, y1 = sorted((a[1], b[1]))
            for cx in range(self._cell(x0 - SHARED_DEG),
                            self._cell(x1 + SHARED_DEG) + 1):
                for cy in range(self._cell(y0 - SHARED_DEG),
                                self._cell(y1 + SHARED_DEG) + 1):
                    self.cells[(cx, cy)].append((owner, a, b))

    def owners_near(self, p):
        found = set()
        for owner, a, b in self.cells.get((self._cell(p[0]),
                                           self._cell(p[1])), []):
            if owner not in found and point_segment_distance(p, a, b) \
                    < SHARED_DEG:
                found.add(owner)
        return found


def point_segment_distance(p, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    length2 = dx * dx + dy * dy
    t = 0.0
    if length2 > 0.0:
        t = ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / length2
        t = max(0.0, min(1.0, t))
    ex, ey = a[0] + t * dx - p[0], a[1] + t * dy - p[1]
    return math.hypot(ex, ey)


def kept_runs(ring, keep):
    """Splits a ring into the runs of consecutive vertices that keep() likes."""
    flags = [keep(p) for p in ring]
    if all(flags):
        return [ring]
    closed = ring[0] == ring[-1]
    if closed:
        # Start at a dropped vertex so that a run through the seam stays one.
        start = flags.index(False)
        ring = ring[start:-1] + ring[:start + 1]
        flags = flags[start:-1] + flags[:start + 1]
    runs = []
    current = []
    for p, f in zip(ring, flags):
        if f:
            current.append(p)
        else:
            if len(current) >= 2:
                runs.append(current)
            current = []
    if len(current) >= 2:
        runs.append(current)
    return runs


def province_borders():
    """Returns the borders between provinces, each drawn once.

    DCW gives each province as a closed outline; a stretch of outline that
    lies on another province's outline is a shared border, taken from the
    province whose code sorts first. Coasts and the national border are left
    to the national map file.
    """
    outlines = {code: gmt_segments(["-ECN." + code]) for code in PROVINCES}
    index = SegmentIndex()
    for code, rings in outlines.items():
        for ring in rings:
            index.add(code, ring)
    borders = []
    for code, rings in outlines.items():
        def shared_with_later(p, code=code):
            return any(other > code for other in index.owners_near(p))
        for ring in rings:
            borders.extend(kept_runs(ring, shared_with_later))
    return borders


def write(path, kind, lines):
    data = lnbformat.encode(kind, lines)
    with open(path, "wb") as f:
        f.write(data)
    points = sum(len(line) for line in lines)
    print(f"{os.path.basename(path)}: {len(lines)} lines, {points} points, "
          f"{len(data)} bytes")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = sys.argv[1] if len(sys.argv) > 1 else \
        os.path.join(here, "..", "..", "dat")
    os.makedirs(outdir, exist_ok=True)

    world = join_segments(gmt_segments(["-R" + WORLD_BOX] + COAST_ARGS)) + \
        [line for line in join_segments(
            gmt_segments(["-R" + WORLD_BOX] + BORDER_ARGS))
         if outside_sar_box(line)]
    write(os.path.join(outdir, "WORLD.LNB"), "lnb", prepare(world))

    china = gmt_segments(["-ECN"]) + gmt_segments(["-ECN.TW"])
    write(os.path.join(outdir, "CHINAM.MPB"), "mpb", prepare(china))

    write(os.path.join(outdir, "PROVS.LNB"), "lnb",
          prepare(province_borders()))

    rivers = join_segments(
        gmt_segments(["-R" + WORLD_BOX] + RIVER_WORLD_ARGS)) + \
        join_segments(gmt_segments(["-R" + ASIA_BOX] + RIVER_ASIA_ARGS))
    write(os.path.join(outdir, "RIVER.LNB"), "lnb", prepare(rivers))

    regions.write_region_file(os.path.join(outdir, "region.txt"))


if __name__ == "__main__":
    main()

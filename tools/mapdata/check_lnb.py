#!/usr/bin/python3
"""Reads kelvra map line files back and prints what they hold.

    /usr/bin/python3 tools/mapdata/check_lnb.py dat/WORLD.LNB dat/CHINAM.MPB ...

Per file: records, vertices, latitude/longitude bounds, longest record, and
the number of problems found (reserved bytes that disagree with the record's
bounding box, longitude jumps over 180 degrees, values out of range, bytes
left over). Exits with 1 when a file has problems.
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lnbformat  # noqa: E402


def check(path):
    kind = lnbformat.kind_of(path)
    with open(path, "rb") as f:
        data = f.read()
    records, truncated = lnbformat.decode(kind, data)
    problems = 1 if truncated else 0
    pos = 0
    lats, lons = [], []
    empty = 0
    for rec in records:
        count, s, n, w, e = lnbformat.RECORD_HEAD.unpack_from(data, pos)
        pos += lnbformat.RECORD_HEAD.size + len(rec) * lnbformat.POINT.size
        if len(rec) < 2:
            empty += 1
            continue
        rlat = [p[0] for p in rec]
        rlon = [p[1] for p in rec]
        if (s, n, w, e) != (min(rlat), max(rlat), min(rlon), max(rlon)):
            problems += 1
        if any(abs(a - b) > 18000 for a, b in zip(rlon, rlon[1:])):
            problems += 1
        if min(rlat) < -9000 or max(rlat) > 9000 or min(rlon) < -18000 \
                or max(rlon) > 18000:
            problems += 1
        lats += rlat
        lons += rlon
    vertices = sum(len(r) for r in records)
    longest = max((len(r) for r in records), default=0)
    print(f"{path}: {len(data)} bytes, kind {kind}, {len(records)} records, "
          f"{vertices} vertices, longest {longest}, records under 2 points "
          f"{empty}")
    if lats:
        print(f"  lat {min(lats) / 100:.2f} .. {max(lats) / 100:.2f}, "
              f"lon {min(lons) / 100:.2f} .. {max(lons) / 100:.2f}")
    print(f"  problems: {problems}")
    return problems == 0


def main():
    ok = all([check(p) for p in sys.argv[1:]])
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()

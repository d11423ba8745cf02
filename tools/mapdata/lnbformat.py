"""Reading and writing kelvra's binary polyline files (.LNB and .MPB).

Each record: int16 count, 8 reserved bytes, then count points (.MPB) or
count / 2 points (.LNB) of int16 latitude x 100 and int16 longitude x 100,
all little-endian, no file header. The reserved bytes are not read by the
viewer; the writer fills them with the record's bounding box (south, north,
west, east, each x 100) so that other tools can skip records quickly.
"""

import struct

RECORD_HEAD = struct.Struct("<h4h")
POINT = struct.Struct("<hh")

# The count is an int16: at most 16383 points in a record whose count holds
# two values per point, 32767 where it holds one.
MAX_POINTS = {"lnb": 16383, "mpb": 32767}


def count_for(kind, npoints):
    return 2 * npoints if kind == "lnb" else npoints


def points_for(kind, count):
    if count <= 0:
        return 0
    return count // 2 if kind == "lnb" else count


def kind_of(path):
    return "mpb" if path.upper().endswith(".MPB") else "lnb"


def split_long(line, max_points):
    """Cuts a line into pieces of at most max_points that share their joins."""
    pieces = []
    start = 0
    while len(line) - start > max_points:
        pieces.append(line[start:start + max_points])
        start += max_points - 1
    pieces.append(line[start:])
    return pieces


def encode(kind, lines):
    """Encodes lines of (lat100, lon100) integer pairs into file bytes."""
    out = bytearray()
    for line in lines:
        for piece in split_long(line, MAX_POINTS[kind]):
            lats = [p[0] for p in piece]
            lons = [p[1] for p in piece]
            out += RECORD_HEAD.pack(count_for(kind, len(piece)), min(lats),
                                    max(lats), min(lons), max(lons))
            for lat, lon in piece:
                out += POINT.pack(lat, lon)
    return bytes(out)


def decode(kind, data):
    """Decodes file bytes into a list of records of (lat100, lon100) pairs.

    Returns (records, truncated): a record cut short by the end of the data
    ends the reading, as in the viewer.
    """
    records = []
    pos = 0
    while pos + RECORD_HEAD.size <= len(data):
        count = RECORD_HEAD.unpack_from(data, pos)[0]
        pos += RECORD_HEAD.size
        n = points_for(kind, count)
        if pos + n * POINT.size > len(data):
            return records, True
        records.append([POINT.unpack_from(data, pos + i * POINT.size)
                        for i in range(n)])
        pos += n * POINT.size
    return records, pos != len(data)

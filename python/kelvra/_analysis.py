"""Cold cells, their tracks, cooling, isotherms and NWP contours."""

import math
import os

import numpy as np

from kelvra import _kelvra
from kelvra._product import Product, core_of, open as open_product

_DEFAULT_THRESHOLD_K = 221.0
_DEFAULT_SHIELD_K = 241.0
_DEFAULT_MIN_AREA_KM2 = 2000.0


def _settings(threshold, shield, min_area):
    # As kelvra-cli: a threshold above the default shield raises the shield
    # with it unless a shield is given.
    threshold = _DEFAULT_THRESHOLD_K if threshold is None else float(threshold)
    if shield is None:
        shield = max(_DEFAULT_SHIELD_K, threshold)
    min_area = _DEFAULT_MIN_AREA_KM2 if min_area is None else float(min_area)
    return threshold, float(shield), min_area


def cells(product, threshold=None, shield=None, min_area=None):
    """The cold-cloud cells of a product, largest first, as a DataFrame:
    id, area_km2, min_k, mean_k, lon, lat, pixels, shield_km2."""
    import pandas

    columns = _kelvra.cells(core_of(product), *_settings(threshold, shield, min_area))
    return pandas.DataFrame(columns)


def tracks(products, threshold=None, shield=None, min_area=None):
    """The tracks of the cells through products of one geometry, frames in
    time order: one row per cell and frame (frame, track, area_km2, min_k,
    lon, lat, speed_kmh, dir_deg, growth_pct_h, and the frame's file and
    observation time); motion is NaN on a track's first frame."""
    import pandas

    products = [p if isinstance(p, Product) else open_product(p) for p in products]
    by_core = {id(p._core): p for p in products}
    columns, ordered = _kelvra.tracks([p._core for p in products],
                                      *_settings(threshold, shield, min_area))
    frames = [by_core[id(core)] for core in ordered]
    table = pandas.DataFrame(columns).drop(columns="cell")
    frame = table["frame"].to_numpy() - 1
    table.insert(0, "file", [frames[f].path for f in frame])
    table.insert(1, "observed", [frames[f].observed for f in frame])
    return table


def cooling(old, new):
    """Cloud-top cooling per hour between two products of one geometry and
    channel: a dict with ``rate`` (K/h per pixel of the newer, 0 where
    either has no value), ``hours``, ``fast_pixels`` and
    ``fastest_k_per_hour``."""
    return _kelvra.cooling(core_of(old), core_of(new))


def _line_feature(level, closed, coordinates):
    return {
        "type": "Feature",
        "properties": {"level": level, "closed": closed},
        "geometry": {"type": "LineString", "coordinates": coordinates},
    }


def _located_pieces(lon, lat):
    # A line is cut where its points cannot be located; pieces of fewer than
    # two points are not lines.
    pieces, piece = [], []
    for a, b in zip(lon.tolist(), lat.tolist()):
        if math.isnan(a):
            if piece:
                pieces.append(piece)
            piece = []
        else:
            piece.append([a, b])
    pieces.append(piece)
    return [p for p in pieces if len(p) >= 2]


def isotherms(product):
    """The isotherm lines as a GeoJSON-like FeatureCollection in lon/lat."""
    core = core_of(product)
    features = []
    for level, closed, x, y in _kelvra.isotherm_lines(core):
        lon, lat = core.locate_points(x, y)
        for piece in _located_pieces(lon, lat):
            features.append(_line_feature(round(float(level), 1), bool(closed), piece))
    return {"type": "FeatureCollection", "features": features}


def contours(diamond_path, interval=None):
    """The contour lines of a diamond NWP file in lon/lat, as a GeoJSON-like
    FeatureCollection; interval defaults to the file's own."""
    features = []
    for level, closed, x, y in _kelvra.diamond_contours(os.fspath(diamond_path), interval):
        if len(x) >= 2:
            coordinates = np.stack([x, y], axis=1).astype(float).tolist()
            features.append(_line_feature(float(level), bool(closed), coordinates))
    return {"type": "FeatureCollection", "features": features}


def read_diamond(path):
    """A diamond file's header (dict) and its prepared grid (ny x nx)."""
    return _kelvra.read_diamond(os.fspath(path))

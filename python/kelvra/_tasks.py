"""The work of one partition of an archive run, as Dask runs it on a worker
(and the serial run in the calling process). Each returns its rows as a
DataFrame and the files it skipped with the reason."""

import numpy as np
import pandas

from kelvra import _kelvra
from kelvra._analysis import _settings
from kelvra._product import Product

_CELL_COLUMNS = ["id", "area_km2", "min_k", "mean_k", "lon", "lat", "pixels", "shield_km2"]
_STEP_COLUMNS = ["frame", "track", "area_km2", "min_k", "lon", "lat", "speed_kmh", "dir_deg",
                 "growth_pct_h"]


def observed_text(minutes):
    if minutes is None:
        return ""
    return str(np.datetime64(int(minutes), "m"))


def _read(path):
    """The product, or None and why it cannot be read."""
    try:
        return Product(path, _kelvra.read_product(path)), None
    except (OSError, ValueError) as failure:
        return None, str(failure)


def cells_part(entries, settings):
    tables, skipped = [], []
    for path, minutes in entries:
        product, why = _read(path)
        if product is None:
            skipped.append((path, why))
            continue
        try:
            columns = _kelvra.cells(product._core, *_settings(*settings))
        except ValueError as failure:
            skipped.append((path, str(failure)))
            continue
        table = pandas.DataFrame(columns, columns=_CELL_COLUMNS)
        table.insert(0, "file", path)
        table.insert(1, "observed", observed_text(minutes))
        tables.append(table)
    return _joined(tables, ["file", "observed"] + _CELL_COLUMNS), skipped, len(entries)


def histogram_part(entries):
    tables, skipped = [], []
    for path, minutes in entries:
        product, why = _read(path)
        if product is None:
            skipped.append((path, why))
            continue
        values = product.values
        bins = np.floor(values[np.isfinite(values)]).astype(np.int64)
        lows, counts = np.unique(bins, return_counts=True)
        tables.append(pandas.DataFrame({"file": path, "observed": observed_text(minutes),
                                        "bin_k": lows, "count": counts}))
    return _joined(tables, ["file", "observed", "bin_k", "count"]), skipped, len(entries)


def _joined(tables, columns):
    if not tables:
        return pandas.DataFrame(columns=columns)
    return pandas.concat(tables, ignore_index=True)


def _frame_refusal(product, minutes, reference):
    if minutes is None:
        return "observation time unknown"
    if not _kelvra.same_geometry(product._core, reference._core):
        return "projection or extent differs from the archive's first product"
    return None


def _accepted_before(entries, start, reference):
    """The frame the serial run accepts last before entries[start]: the first
    readable product of the last time before it that has one."""
    i = start - 1
    while i >= 0:
        minutes = entries[i][1]
        first = i
        while first > 0 and entries[first - 1][1] == minutes:
            first -= 1
        for k in range(first, i + 1):
            product, _ = _read(entries[k][0])
            if product is not None and _frame_refusal(product, minutes, reference) is None:
                return k, product
        i = first - 1
    return None, None


def tracks_part(entries, start, end, reference_path, settings):
    """The steps of frames start..end-1 of the whole listing, tracked from the
    frame accepted before them: frame is the listing index of the frame,
    track is local to the partition (0-based frame 'overlap' rows mark the
    cells of that earlier frame), cell the index of the cell in its frame."""
    reference, _ = _read(reference_path)
    frames, skipped = [], []
    before, product = _accepted_before(entries, start, reference)
    if before is not None:
        frames.append((before, product))
    for k in range(start, end):
        path, minutes = entries[k]
        product, why = _read(path)
        if product is None:
            skipped.append((path, why))
            continue
        why = _frame_refusal(product, minutes, reference)
        if why is None and frames and entries[frames[-1][0]][1] == minutes:
            why = "observation time repeats the frame before"
        if why is not None:
            skipped.append((path, why))
            continue
        frames.append((k, product))
    steps = pandas.DataFrame(columns=_STEP_COLUMNS + ["cell"])
    if frames:
        try:
            columns, _ = _kelvra.tracks([p._core for _, p in frames], *_settings(*settings))
            steps = pandas.DataFrame(columns)
        except ValueError as failure:
            skipped += [(p.path, str(failure)) for k, p in frames if k >= start]
            frames = []
    index = np.array([k for k, _ in frames], dtype=np.int64)
    if len(steps):
        steps["frame"] = index[steps["frame"].to_numpy() - 1]
    steps["overlap"] = steps["frame"] < start
    return steps, skipped, end - start

"""The product of one AWX file, as numpy arrays and an xarray DataArray."""

import builtins
import functools

import numpy as np

from kelvra import _kelvra


class Product:
    """One AWX product read by kelvra's own reader.

    ``counts`` shares the product's memory (read-only); ``values`` are the
    calibrated values as float32, NaN where the calibration table holds no
    value for a count.
    """

    def __init__(self, path, core):
        self.path = path
        self._core = core

    @functools.cached_property
    def header(self):
        """The information text's fields, typed."""
        return self._core.header

    @property
    def counts(self):
        return self._core.counts

    @functools.cached_property
    def values(self):
        return self._core.values()

    @property
    def extent(self):
        """West, east, south and north edges, degrees."""
        return self._core.extent

    @property
    def observed(self):
        """The observation time in UTC, NaT when the header gives none."""
        minutes = self._core.observed_minutes
        if minutes is None:
            return np.datetime64("NaT", "m")
        return np.datetime64(minutes, "m")

    def lonlat(self):
        """Longitude and latitude of every pixel, NaN where it has none."""
        return self._core.lonlat()

    def locate(self, x, y):
        """The (lon, lat) of image point (x, y); ValueError without one."""
        return self._core.locate(float(x), float(y))

    def pixel(self, lon, lat):
        """The image point (x, y) of a position; ValueError without one."""
        return self._core.pixel(float(lon), float(lat))

    def to_xarray(self):
        """The calibrated values with latitude/longitude and the header."""
        import xarray

        lon, lat = self.lonlat()
        height, width = self.values.shape
        return xarray.DataArray(
            self.values,
            dims=("y", "x"),
            coords={
                "y": np.arange(height),
                "x": np.arange(width),
                "latitude": (("y", "x"), lat),
                "longitude": (("y", "x"), lon),
                "time": self.observed.astype("datetime64[ns]"),
            },
            attrs=_flat_attributes(self.header, self.path),
            name="values",
        )

    def __repr__(self):
        h = self.header
        return (f"<kelvra.Product {self.path!r} channel {h['channel']} "
                f"{h['width']}x{h['height']} {self.observed}>")


def _flat_attributes(header, path):
    # netCDF attributes are flat: the grid fields get a prefix of their own.
    attrs = {"source": str(path)}
    for key, value in header.items():
        if isinstance(value, dict):
            for inner, item in value.items():
                attrs[f"grid_{inner}"] = list(item) if isinstance(item, tuple) else item
        else:
            attrs[key] = int(value) if isinstance(value, bool) else value
    return attrs


def open(path):
    """Reads an AWX product; OSError or ValueError with the system's message."""
    path = builtins.str(path)
    return Product(path, _kelvra.read_product(path))


def core_of(product):
    """The extension's product of a Product or a path."""
    if isinstance(product, Product):
        return product._core
    return _kelvra.read_product(builtins.str(product))

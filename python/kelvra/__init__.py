"""kelvra's reading, geolocation and analysis of AWX satellite products.

``kelvra.open(path)`` reads a product exactly as the desktop and kelvra-cli
do; ``cells``, ``tracks``, ``cooling``, ``isotherms``, ``contours`` and
``render`` give what the matching kelvra-cli verbs print or draw. Importing
kelvra loads neither Qt nor FreeType: ``render`` loads kelvra-cli's picture
module on its first call. ``python3 -m kelvra.archive`` runs cells, tracks
or histograms over a whole archive on Dask.
"""

from kelvra._product import Product, open
from kelvra._analysis import cells, contours, cooling, isotherms, read_diamond, tracks
from kelvra._render import render

__all__ = [
    "Product",
    "open",
    "cells",
    "tracks",
    "cooling",
    "isotherms",
    "contours",
    "read_diamond",
    "render",
]

"""render: kelvra-cli render's picture as an RGB array."""

import os
import tempfile
import threading

import numpy as np

from kelvra import _kelvra, _locations
from kelvra._product import Product

# stderr is captured while the picture module runs: one render at a time.
_RENDER_LOCK = threading.Lock()

_EXIT_USAGE = 2


def _located(path):
    # The build tree's paths are absolute, an installation's relative to the
    # package.
    return os.path.normpath(os.path.join(os.path.dirname(__file__), path)) if path else ""


def _picture_module():
    return os.environ.get("KELVRA_PICTURE_MODULE") or _located(_locations.PICTURE_MODULE)


def _options(palette, map, grid, title, provinces, isotherms, cells, legend, precip, lut,
             region, nwp, nwp_options):
    args = []
    if palette is not None:
        args += ["--palette", str(palette)]
    for flag, on in (("--no-map", not map), ("--no-grid", not grid), ("--no-title", not title),
                     ("--provinces", provinces), ("--isotherms", isotherms),
                     ("--cells", cells), ("--legend", legend), ("--precip", precip)):
        if on:
            args.append(flag)
    if lut is not None:
        args += ["--lut", str(lut)]
    if region is not None:
        args += ["--region", str(region)]
    for path in nwp:
        args += ["--nwp", os.fspath(path)]
    for key, value in nwp_options.items():
        if value is not None:
            args += ["--nwp-" + key.replace("_", "-"), str(value)]
    return args


def _read_bmp24(path):
    # The picture saved as a 24-bit BMP: BGR rows padded to 4 bytes,
    # bottom-up unless the height is negative.
    data = np.fromfile(path, dtype=np.uint8)
    offset = int.from_bytes(data[10:14].tobytes(), "little")
    width = int.from_bytes(data[18:22].tobytes(), "little", signed=True)
    height = int.from_bytes(data[22:26].tobytes(), "little", signed=True)
    bits = int.from_bytes(data[28:30].tobytes(), "little")
    if bits != 24:
        raise ValueError(f"the picture module wrote a {bits}-bit picture")
    stride = (width * 3 + 3) // 4 * 4
    rows = data[offset:offset + stride * abs(height)].reshape(abs(height), stride)
    pixels = rows[:, :width * 3].reshape(abs(height), width, 3)[:, :, ::-1]
    return np.ascontiguousarray(pixels if height < 0 else pixels[::-1])


def render(product, palette=None, map=True, grid=True, title=True, provinces=False,
           isotherms=False, cells=False, legend=False, precip=False, lut=None, region=None,
           nwp=(), nwp_interval=None, nwp_color=None, nwp_style=None, nwp_label_height=None,
           nwp_decimals=None):
    """The picture kelvra-cli render draws for the product (a Product or a
    path) with the same options, as a height x width x 3 uint8 RGB array."""
    path = product.path if isinstance(product, Product) else os.fspath(product)
    module = _picture_module()
    if not module:
        raise OSError("kelvra was built without kelvra-cli's picture module")
    nwp_options = {"interval": nwp_interval, "color": nwp_color, "style": nwp_style,
                   "label_height": nwp_label_height, "decimals": nwp_decimals}
    options = _options(palette, map, grid, title, provinces, isotherms, cells, legend, precip,
                       lut, region, nwp, nwp_options)
    data = _located(_locations.DATA_DIR)
    if "KELVRA_DATA" not in os.environ and os.path.isdir(data):
        # The interpreter is no kelvra executable: the module is told where
        # the data folder lies beside it.
        os.environ["KELVRA_DATA"] = data
    with tempfile.TemporaryDirectory(prefix="kelvra-render-") as folder:
        out = os.path.join(folder, "picture.bmp")
        with _RENDER_LOCK:
            status, report = _kelvra.run_picture_module(module, "render",
                                                        [path, "-o", out] + options)
        if status != 0:
            message = report.strip() or f"render failed with status {status}"
            if status != _EXIT_USAGE and not os.path.isfile(path):
                raise OSError(message)
            raise ValueError(message)
        return _read_bmp24(out)

"""kelvra.open: values, counts, geolocation and time against kelvra-cli locate
on every projection and the real sample; failures; no Qt or FreeType."""

import math
import subprocess
import sys
import threading

import numpy as np
import pytest

import kelvra
from conftest import PROJECTIONS, cli

POINTS = [(0, 0), (5, 7), (47, 31), (95, 63), (20, 50)]


def cli_locate(path, x, y):
    """LON LAT COUNT VALUE as kelvra-cli prints them, None when it fails."""
    run = cli("locate", path, x, y, "--value", check=False)
    return run.stdout.split() if run.returncode == 0 else None


def check_pixels(path, points):
    product = kelvra.open(path)
    lon, lat = product.lonlat()
    for x, y in points:
        expected = cli_locate(path, x, y)
        if expected is None:
            assert math.isnan(lon[y, x]) and math.isnan(lat[y, x]), (x, y)
            with pytest.raises(ValueError):
                product.locate(x, y)
            continue
        value = product.values[y, x]
        assert [f"{lon[y, x]:.6f}", f"{lat[y, x]:.6f}"] == expected[:2], (x, y)
        assert [f"{v:.6f}" for v in product.locate(x, y)] == expected[:2]
        assert int(expected[2]) == product.counts[y, x]
        assert expected[3] == f"{0.0 if math.isnan(value) else value:.2f}", (x, y)


@pytest.mark.parametrize("name", sorted(PROJECTIONS))
def test_pixels_match_the_command_line(products, name):
    check_pixels(products[name], POINTS)


def test_real_sample_matches_the_command_line(sample):
    check_pixels(sample, [(0, 0), (950, 650), (1899, 1299), (123, 1011)])
    product = kelvra.open(sample)
    assert product.header["width"] == 1900 and product.header["height"] == 1300
    assert product.observed == np.datetime64("2022-03-31T13:00")


@pytest.mark.parametrize("name", ["latlon", "mercator", "lambert", "albers"])
def test_pixel_of_a_position_matches_the_command_line(products, name):
    product = kelvra.open(products[name])
    lon, lat = (f"{v:.6f}" for v in product.locate(40, 30))
    expected = cli("locate", products[name], "--lonlat", lon, lat).stdout
    assert [f"{v:.6f}" for v in product.pixel(float(lon), float(lat))] == expected.split()


def test_counts_are_the_products_own_memory(products):
    product = kelvra.open(products["latlon"])
    counts = product.counts
    assert counts.dtype == np.uint8 and counts.shape == (64, 96)
    assert not counts.flags.owndata and not counts.flags.writeable
    assert np.shares_memory(counts, product.counts)
    assert product.values.dtype == np.float32


def test_xarray_carries_positions_time_and_header(products):
    product = kelvra.open(products["lambert"])
    array = product.to_xarray()
    lon, lat = product.lonlat()
    np.testing.assert_array_equal(array["longitude"].values, lon)
    np.testing.assert_array_equal(array["latitude"].values, lat)
    assert array.attrs["projection"] == 3
    assert array["time"].values == product.observed.astype("datetime64[ns]")


@pytest.mark.parametrize("content, error", [
    (None, OSError),
    (b"", ValueError),
    (b"not a product at all" * 10, ValueError),
])
def test_failures_raise_with_the_systems_message(tmp_path, content, error):
    path = tmp_path / "bad.AWX"
    if content is not None:
        path.write_bytes(content)
    with pytest.raises(error, match="获取图像文件描述信息失败"):
        kelvra.open(path)


def test_two_threads_read_different_products_at_once(products):
    names = ["latlon", "lambert", "albers", "mercator"]
    alone = {n: kelvra.open(products[n]).values for n in names}
    seen = {}

    def read(name):
        for _ in range(20):
            seen[name] = kelvra.open(products[name]).values

    threads = [threading.Thread(target=read, args=(n,)) for n in names]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for name in names:
        np.testing.assert_array_equal(seen[name], alone[name])


def test_import_and_open_load_neither_qt_nor_freetype(products):
    script = ("import kelvra, sys; p = kelvra.open(sys.argv[1]); p.values; p.lonlat(); "
              "maps = open('/proc/self/maps').read(); "
              "print('libQt6' in maps, 'libfreetype' in maps)")
    run = subprocess.run([sys.executable, "-c", script, products["latlon"]],
                         capture_output=True, text=True, check=True)
    assert run.stdout.split() == ["False", "False"]

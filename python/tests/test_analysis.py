"""cells, tracks, isotherms and render against the kelvra-cli verbs that
print or draw the same."""

import json
import math
import subprocess
import sys

import numpy as np
import pytest

import kelvra
from conftest import cli, synth

# Hourly frames in which the synthetic weather's cold tops move and grow.
FRAME_OPTIONS = ["--projection", "1", "--size", "200x150", "--resolution", "0.32",
                 "--center", "105,32"]


@pytest.fixture(scope="module")
def frames(tmp_path_factory):
    folder = tmp_path_factory.mktemp("frames")
    return [synth(folder / f"f{hour}.AWX", *FRAME_OPTIONS, "--time", f"2022033{hour // 24}"
                  f"{hour % 24:02d}00") for hour in range(10, 14)]


def cell_lines(table):
    return [f"{r.id} {r.area_km2:.0f} {r.min_k:.2f} {r.mean_k:.2f} {r.lon:.3f} {r.lat:.3f} "
            f"{r.pixels}" for r in table.itertuples()]


@pytest.mark.parametrize("options, keywords", [
    ([], {}),
    (["--threshold", "230"], {"threshold": 230}),
    (["--threshold", "215", "--shield", "250", "--min-area", "500"],
     {"threshold": 215, "shield": 250, "min_area": 500}),
])
def test_cells_equal_the_command_lines(frames, options, keywords):
    table = kelvra.cells(kelvra.open(frames[0]), **keywords)
    expected = cli("cells", frames[0], *options).stdout.splitlines()
    assert expected, "the frames should hold cells"
    assert cell_lines(table) == expected


def test_cells_of_the_real_sample_equal_the_command_lines(sample):
    assert cell_lines(kelvra.cells(sample)) == cli("cells", sample).stdout.splitlines()


def test_tracks_equal_the_command_lines(frames):
    table = kelvra.tracks(list(reversed(frames)))
    lines = []
    for r in table.itertuples():
        motion = ("- - -" if math.isnan(r.speed_kmh) else
                  f"{r.speed_kmh:.1f} {r.dir_deg:.0f} {r.growth_pct_h:.1f}")
        lines.append(f"{r.frame} {r.track} {r.area_km2:.0f} {r.min_k:.2f} {r.lon:.3f} "
                     f"{r.lat:.3f} {motion}")
    assert lines == cli("cells", *frames, "--track").stdout.splitlines()
    assert list(table["file"].unique()) == frames


def texts(coordinates, decimals):
    """Positions as the command line prints them."""
    return [[f"{v:.{decimals}f}" for v in point] for point in coordinates]


def test_isotherms_equal_the_command_lines_geojson(frames):
    ours = kelvra.isotherms(frames[1])
    theirs = json.loads(cli("isotherms", frames[1], "--geojson").stdout)
    assert len(ours["features"]) == len(theirs["features"]) > 0
    for a, b in zip(ours["features"], theirs["features"]):
        assert a["properties"] == b["properties"]
        assert texts(a["geometry"]["coordinates"], 6) == texts(b["geometry"]["coordinates"], 6)


@pytest.mark.parametrize("first, second, problem", [
    (0, 0, "观测时间相同"),
    (0, 1, None),
])
def test_cooling_needs_two_times(frames, first, second, problem):
    if problem:
        with pytest.raises(ValueError, match=problem):
            kelvra.cooling(frames[first], frames[second])
        return
    cooling = kelvra.cooling(frames[first], frames[second])
    summary = cli("trend", frames[first], frames[second], "--summary").stdout.split()
    assert cooling["rate"].shape == (150, 200)
    assert str(cooling["fast_pixels"]) in summary


def read_picture(path):
    from PIL import Image

    return np.asarray(Image.open(path).convert("RGB"))


@pytest.mark.parametrize("options, keywords", [
    ([], {}),
    (["--palette", "color1", "--no-grid", "--isotherms", "--cells", "--legend"],
     {"palette": "color1", "grid": False, "isotherms": True, "cells": True,
      "legend": True}),
    (["--no-map", "--no-title", "--provinces"], {"map": False, "title": False,
                                                 "provinces": True}),
])
def test_render_equals_the_command_lines_picture(frames, tmp_path, options, keywords):
    pytest.importorskip("PIL")
    out = tmp_path / "cli.bmp"
    cli("render", frames[2], "-o", out, *options)
    picture = kelvra.render(kelvra.open(frames[2]), **keywords)
    assert picture.dtype == np.uint8 and picture.ndim == 3
    np.testing.assert_array_equal(picture, read_picture(out))


def test_render_refuses_with_the_systems_message(tmp_path):
    with pytest.raises((OSError, ValueError)):
        kelvra.render(tmp_path / "missing.AWX")
    with pytest.raises(ValueError, match="region"):
        kelvra.render(tmp_path / "missing.AWX", region=-1)


def write_diamond(path):
    # 70-100 E, 20-40 N by 1 degree, a height field with a low in the middle.
    lons, lats = np.meshgrid(np.arange(70, 101), np.arange(40, 19, -1))
    field = 5600 - 120 * np.exp(-((lons - 85) ** 2 + (lats - 30) ** 2) / 40) + 2 * (40 - lats)
    rows = "\n".join(" ".join(f"{v:.1f}" for v in row) for row in field)
    path.write_text("diamond 4 height 22 03 31 12 0 500\n"
                    f"1 -1 70 100 40 20 31 21 20 5400 5700 1 0\n{rows}\n")
    return path


def test_diamond_grid_and_contours_equal_the_command_lines(tmp_path):
    path = write_diamond(tmp_path / "h.000")
    header, grid = kelvra.read_diamond(path)
    assert (header["nx"], header["ny"]) == grid.shape[::-1] == (31, 21)
    cli_grid = np.loadtxt(cli("nwp", path, "--grid").stdout.splitlines())
    np.testing.assert_allclose(grid, cli_grid, atol=5e-5)
    for interval, options in ((None, []), (10.0, ["--interval", "10"])):
        ours = kelvra.contours(path, interval=interval)
        theirs = json.loads(cli("nwp", path, "--contours", "--geojson", *options).stdout)
        assert len(ours["features"]) == len(theirs["features"]) > 0
        for a, b in zip(ours["features"], theirs["features"]):
            assert a["properties"]["closed"] == b["properties"]["closed"]
            assert f"{a['properties']['level']:.3f}" == f"{b['properties']['level']:.3f}"
            assert texts(a["geometry"]["coordinates"], 3) == \
                texts(b["geometry"]["coordinates"], 3)
    with pytest.raises(OSError):
        kelvra.read_diamond(tmp_path / "missing.000")


def test_render_leaves_the_interpreters_interrupt_alone(frames):
    script = ("import kelvra, os, signal, sys, time; kelvra.render(sys.argv[1])\n"
              "try:\n    os.kill(os.getpid(), signal.SIGINT); time.sleep(5); print('lost')\n"
              "except KeyboardInterrupt:\n    print('kept')")
    run = subprocess.run([sys.executable, "-c", script, frames[0]], capture_output=True,
                         text=True, timeout=60)
    assert run.stdout.strip() == "kept"

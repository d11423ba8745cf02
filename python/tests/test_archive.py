"""python3 -m kelvra.archive on 240 synthetic products: a 2-worker
LocalCluster gives the serial run's file row for row, tracks across the
partitions' edges included."""

import datetime
import subprocess
import sys

import pytest

from conftest import CLI

PRODUCTS = 240
FIRST = datetime.datetime(2022, 3, 30, 0, 0)


@pytest.fixture(scope="module")
def archive(tmp_path_factory):
    if not CLI:
        pytest.skip("KELVRA_CLI names no kelvra-cli")
    root = tmp_path_factory.mktemp("archive")
    commands = []
    for n in range(PRODUCTS):
        stamp = (FIRST + datetime.timedelta(minutes=30 * n)).strftime("%Y%m%d%H%M")
        folder = root / stamp[:8]  # one folder a day: the listing is recursive
        folder.mkdir(exist_ok=True)
        commands.append([CLI, "synth", str(folder / f"FY2G_LCN_IR1_{stamp}.AWX"),
                         "--projection", "1", "--size", "120x90", "--resolution", "0.5",
                         "--center", "105,32", "--time", stamp])
    for start in range(0, PRODUCTS, 16):
        running = [subprocess.Popen(c) for c in commands[start:start + 16]]
        assert all(p.wait() == 0 for p in running)
    return root


def run_archive(archive, out, what, *options):
    command = [sys.executable, "-m", "kelvra.archive", str(archive), "--what", what,
               "--channel", "IR1", "-o", str(out), *options]
    run = subprocess.run(command, capture_output=True, text=True, timeout=240)
    assert run.returncode == 0, run.stderr
    return run.stderr


@pytest.mark.parametrize("what", ["cells", "tracks"])
def test_local_cluster_equals_the_serial_run(archive, tmp_path, what):
    serial = tmp_path / "serial.csv"
    spread = tmp_path / "spread.csv"
    run_archive(archive, serial, what, "--serial", "--min-area", "500")
    summary = run_archive(archive, spread, what, "--workers", "2", "--min-area", "500")
    assert f"{PRODUCTS} files" in summary
    rows = serial.read_text().splitlines()
    assert len(rows) > PRODUCTS // 2, "the synthetic weather should hold cells"
    assert spread.read_text().splitlines() == rows


def test_histogram_and_time_bounds(archive, tmp_path):
    out = tmp_path / "histogram.csv"
    summary = run_archive(archive, out, "histogram", "--serial", "--from", "202203300000",
                          "--to", "202203300530")
    assert "12 files" in summary
    lines = out.read_text().splitlines()
    assert lines[0] == "file,observed,bin_k,count"
    counts = {}
    for line in lines[1:]:
        path, _, _, count = line.split(",")
        counts[path] = counts.get(path, 0) + int(count)
    assert len(counts) == 12 and set(counts.values()) == {120 * 90}


def test_unreadable_products_are_named_skipped_and_counted(tmp_path):
    folder = tmp_path / "few"
    folder.mkdir()
    paths = []
    for hour in range(3):
        stamp = f"20220330{hour:02d}00"
        path = folder / f"FY2G_LCN_IR1_{stamp}.AWX"
        subprocess.run([CLI, "synth", str(path), "--size", "60x40", "--time", stamp], check=True)
        paths.append(path)
    broken = bytearray(paths[1].read_bytes())
    broken[60:62] = (99).to_bytes(2, "little")  # a projection no table knows
    paths[1].write_bytes(bytes(broken))
    out = tmp_path / "cells.csv"
    summary = run_archive(folder, out, "histogram", "--serial")
    assert f"skipped {paths[1]}" in summary
    assert "3 files" in summary and "1 skipped" in summary
    assert str(paths[1]) not in out.read_text() and str(paths[2]) in out.read_text()

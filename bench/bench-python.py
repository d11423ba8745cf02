#!/usr/bin/python3
"""Figures of the Python module: files per second of
`python3 -m kelvra.archive --what cells` with 1 and 2 workers on N products
of 1900 x 1300, against a loop of `kelvra-cli cells` processes over the same
files; and kelvra.open(...).values against reading the same product with
numpy alone. Run it on a quiet machine (see `uptime`):

    PYTHONPATH=build/python bench/bench-python.py build/src/cli/kelvra-cli WORKDIR [N]

The archive is made once in WORKDIR: 50 distinct synthetic products, each
linked under 20 names of other times (the reading and the cells are the
same work whatever the name), so N = 1000 costs 50 products of disk.
"""

import os
import subprocess
import sys
import time

import numpy as np

import kelvra

DISTINCT = 50
SIZE = ["--size", "1900x1300", "--resolution", "0.05", "--center", "97.5,27.5"]


def make_archive(cli, folder, count):
    os.makedirs(folder, exist_ok=True)
    seeds = []
    for n in range(DISTINCT):
        path = os.path.join(folder, f"seed_{n:02d}.bin")
        if not os.path.exists(path):
            stamp = f"20220331{n // 4 % 24:02d}{n % 4 * 15:02d}"
            subprocess.run([cli, "synth", path, "--projection", "1", *SIZE, "--time", stamp,
                            "--seed", str(n + 1)], check=True)
        seeds.append(path)
    names = []
    for n in range(count):
        name = os.path.join(folder, f"FY2G_LCN_IR1_2022{n // 96 + 101:04d}{n % 96 // 4:02d}"
                                    f"{n % 4 * 15:02d}.AWX")
        if not os.path.exists(name):
            os.link(seeds[n % DISTINCT], name)
        names.append(name)
    return names


def timed(command):
    began = time.monotonic()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.monotonic() - began


def numpy_values(path):
    # The counts at header records x record length, and the table of every
    # fourth entry of the calibration block that follows the 104 header bytes.
    head = np.fromfile(path, dtype="<i2", count=20)
    record_length, header_records = int(head[10]), int(head[11])
    width, height = np.fromfile(path, dtype="<u2", count=2, offset=40 + 22)
    table = (np.fromfile(path, dtype="<u2", count=1024, offset=104)[::4] * 0.01).astype(np.float32)
    counts = np.fromfile(path, dtype=np.uint8, count=int(width) * int(height),
                         offset=header_records * record_length)
    return table[counts].reshape(int(height), int(width))


def best_of(runs, action):
    best = float("inf")
    for _ in range(runs):
        began = time.perf_counter()
        action()
        best = min(best, time.perf_counter() - began)
    return best


def main():
    cli, folder = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 1000
    names = make_archive(cli, folder, count)
    print(f"load before: {os.getloadavg()}")
    for path in names:  # the page cache holds every product for every run
        with open(path, "rb") as f:
            f.read()
    out = os.path.join(folder, "cells.csv")
    archive = [sys.executable, "-m", "kelvra.archive", folder, "--what", "cells", "-o", out]
    one = timed(archive + ["--workers", "1"])
    two = timed(archive + ["--workers", "2"])
    began = time.monotonic()
    for path in names:
        subprocess.run([cli, "cells", path], check=True, stdout=subprocess.DEVNULL)
    loop = time.monotonic() - began
    print(f"archive cells, 1 worker: {count / one:.1f} files/s ({one:.1f} s)")
    print(f"archive cells, 2 workers: {count / two:.1f} files/s ({two:.1f} s), "
          f"{one / two:.2f} x one worker")
    print(f"loop of kelvra-cli cells: {count / loop:.1f} files/s ({loop:.1f} s); "
          f"one worker is {loop / one:.2f} x the loop")
    path = names[0]
    ours = best_of(20, lambda: kelvra.open(path).values)
    theirs = best_of(20, lambda: numpy_values(path))
    same = np.array_equal(np.nan_to_num(kelvra.open(path).values), numpy_values(path))
    print(f"kelvra.open().values {ours * 1e3:.1f} ms, numpy alone {theirs * 1e3:.1f} ms "
          f"(equal values: {same})")
    print(f"load after: {os.getloadavg()}")


if __name__ == "__main__":
    main()

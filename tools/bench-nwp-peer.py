#!/usr/bin/python3
"""The peers of bench_nwp on the same data: numpy.loadtxt reading the global
0.25 degree diamond file, and contourpy tracing the prepared regional grid at
the same 23 levels (5000..5880 gpm by 40).

    KELVRA_NWP_DIR=/tmp/nwp build-release/bench/bench_nwp
    /usr/bin/python3 tools/bench-nwp-peer.py /tmp/nwp

Prints the best of several runs (wall and CPU time) of each.
"""
import os
import sys
import time

import contourpy
import numpy as np

LEVELS = [5000.0 + 40.0 * n for n in range(23)]
# The diamond header takes three lines in the benchmark's files.
HEADER_LINES = 3


def best_of(runs, work):
    best_wall = best_cpu = float("inf")
    result = None
    for _ in range(runs):
        wall = time.perf_counter()
        cpu = time.process_time()
        result = work()
        best_cpu = min(best_cpu, time.process_time() - cpu)
        best_wall = min(best_wall, time.perf_counter() - wall)
    return result, best_wall, best_cpu


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = sys.argv[1]
    path = os.path.join(folder, "global.000")
    size = os.path.getsize(path)
    values, wall, cpu = best_of(10, lambda: np.loadtxt(path, skiprows=HEADER_LINES,
                                                      dtype=np.float32))
    print(f"numpy {np.__version__} loadtxt {values.shape[1]} x {values.shape[0]}, "
          f"{size / 1e6:.2f} MB: best of 10 {wall * 1e3:.1f} ms wall, {cpu * 1e3:.1f} ms CPU, "
          f"{size / wall / 1e6:.1f} MB/s")

    with open(os.path.join(folder, "regional.000"), "rb") as header:
        tokens = header.read(400).split()
    nx, ny = int(tokens[15]), int(tokens[16])
    z = np.fromfile(os.path.join(folder, "regional.f32"), dtype=np.float32)
    z = z.reshape(ny, nx).astype(np.float64)

    def trace():
        generator = contourpy.contour_generator(z=z)
        return [generator.lines(level) for level in LEVELS]

    lines, wall, cpu = best_of(30, trace)
    total_lines = sum(len(level) for level in lines)
    total_points = sum(len(line) for level in lines for line in level)
    print(f"contourpy {contourpy.__version__} on {nx} x {ny}: set-up + 23 levels "
          f"({total_lines} lines, {total_points} points): best of 30 {wall * 1e3:.2f} ms wall, "
          f"{cpu * 1e3:.2f} ms CPU")
    return 0


if __name__ == "__main__":
    sys.exit(main())

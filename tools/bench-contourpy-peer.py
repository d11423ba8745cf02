#!/usr/bin/python3
"""Traces the grid written by bench_contour (KELVRA_CONTOUR_GRID=<file>) with
contourpy at the same eleven levels and prints lines and points per level and
the time of one generator set-up plus the eleven lines() calls.

Usage: /usr/bin/python3 tools/bench-contourpy-peer.py <grid.f32> [size]
"""
import sys
import time

import contourpy
import numpy as np

LEVELS = [180.0 + 12.0 * n for n in range(11)]


def trace(z):
    generator = contourpy.contour_generator(z=z)
    return [generator.lines(level) for level in LEVELS]


def main():
    path = sys.argv[1]
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 512
    z = np.fromfile(path, dtype=np.float32).reshape(size, size).astype(np.float64)
    total_lines = total_points = 0
    for level, lines in zip(LEVELS, trace(z)):
        points = sum(len(line) for line in lines)
        total_lines += len(lines)
        total_points += points
        print(f"level {level:5.1f}  lines {len(lines):5d}  points {points:7d}")
    print(f"total        lines {total_lines:5d}  points {total_points:7d}")

    best_wall = best_cpu = float("inf")
    for _ in range(30):
        wall = time.perf_counter()
        cpu = time.process_time()
        trace(z)
        best_cpu = min(best_cpu, time.process_time() - cpu)
        best_wall = min(best_wall, time.perf_counter() - wall)
    print(f"contourpy {contourpy.__version__}: set-up + 11 levels, best of 30: "
          f"{best_wall * 1e3:.2f} ms wall, {best_cpu * 1e3:.2f} ms CPU")


if __name__ == "__main__":
    main()

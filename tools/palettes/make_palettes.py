#!/usr/bin/python3
"""Writes the eight cloud palettes of dat/ (see dat/README.md, "Palettes").

Counts follow the synthetic products' calibration (tools/synth/SynthCalibration.h):
a high count is a cold, bright cloud top, T(v) = 330 - 160 (v / 255)^1.6 K.
Every palette is a list of segments (first index, end index, colour at the
first index, colour reached at the end index); each segment becomes two
control points per channel, so bands are flat and ramps interpolate.
"""

import os
import sys

WARMEST_K = 330.0
SPAN_K = 160.0
EXPONENT = 1.6


def count(kelvin):
    """The nearest count of a brightness temperature."""
    fraction = min(max((WARMEST_K - kelvin) / SPAN_K, 0.0), 1.0)
    return int(round(255.0 * fraction ** (1.0 / EXPONENT)))


def grey(v):
    return (v, v, v)


BLACK, WHITE = grey(0), grey(255)


def bands(edges, colours):
    """Flat bands: colours[i] from edges[i] up to edges[i + 1]."""
    return [(edges[i], edges[i + 1], c, c) for i, c in enumerate(colours)]


def ramp(points):
    """A ramp through (index, colour) points."""
    return [(points[i][0], points[i + 1][0], points[i][1], points[i + 1][1])
            for i in range(len(points) - 1)]


PALETTES = {
    # Plain linear grey: entry i = i (the last point closes entry 255).
    "gray1": ramp([(0, BLACK), (255, WHITE), (256, WHITE)]),
    # Warm surfaces compressed into dark greys; everything colder than 0 C
    # stretched over the bright half.
    "gray2": ramp([(0, BLACK), (count(273), grey(60)), (256, WHITE)]),
    # Stronger: the -20 C to -60 C range of deep convection takes most of the
    # grey levels.
    "gray3": ramp([(0, BLACK), (count(253), grey(30)), (count(213), grey(200)),
                   (256, WHITE)]),
    # Water vapour: dry (warm) air dark, moist upper troposphere bright.
    "grayv": ramp([(0, BLACK), (count(265), grey(30)), (count(215), grey(235)),
                   (256, WHITE)]),
    # Grey below -20 C, then one colour per 10 K band towards the coldest tops.
    "color1": ramp([(0, BLACK), (count(253), grey(170))]) + bands(
        [count(253), count(243), count(233), count(223), count(213), count(203), 256],
        [(0, 0, 255), (0, 200, 0), (255, 255, 0), (255, 0, 0), (255, 0, 255),
         (255, 255, 255)]),
    # Grey below 0 C, then a continuous sweep blue - green - yellow - red -
    # magenta - white over the cold tops.
    "color2": ramp([(0, BLACK), (count(273), grey(150))]) + ramp([
        (count(273), (0, 0, 160)), (count(253), (0, 160, 255)), (count(238), (0, 200, 0)),
        (count(223), (255, 255, 0)), (count(213), (255, 0, 0)),
        (count(203), (255, 0, 255)), (count(193), (255, 255, 255)), (256, WHITE)]),
    # Convective enhancement: grey below -40 C, then 5 K bands.
    "color3": ramp([(0, BLACK), (count(233), grey(200))]) + bands(
        [count(233), count(228), count(223), count(218), count(213), count(208),
         count(203), count(198), count(193), 256],
        [(0, 0, 139), (0, 0, 255), (0, 255, 255), (0, 200, 0), (255, 255, 0),
         (255, 140, 0), (255, 0, 0), (255, 0, 255), (255, 255, 255)]),
    # Water vapour colours: dry slots brown, mid-level moisture green and
    # blue, moist upper levels white.
    "colorv": ramp([
        (0, BLACK), (count(265), (120, 60, 20)), (count(250), (200, 160, 90)),
        (count(240), (60, 160, 60)), (count(230), (40, 90, 220)),
        (count(215), (230, 230, 255)), (256, WHITE)]),
}


def control_points(segments, channel):
    points = []
    for first, end, start, finish in segments:
        points.append((first, start[channel]))
        points.append((end, finish[channel]))
    return points


def format_block(points):
    lines = [str(len(points))]
    lines += ["%d %d" % p for p in points]
    return "\n".join(lines)


def render(name, segments):
    if name.startswith("gray"):
        return "BK 256 %s\n%s\n" % (name, format_block(control_points(segments, 0)))
    parts = ["COLOR 256"]
    for channel, title in enumerate(("RED", "GREEN", "BLUE")):
        parts.append("%s %s\n%s" % (title, name, format_block(control_points(segments, channel))))
    return "\n".join(parts) + "\n"


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "dat")
    for name, segments in PALETTES.items():
        with open(os.path.join(out, name + ".lut"), "w", newline="\n") as f:
            f.write(render(name, segments))


if __name__ == "__main__":
    main()

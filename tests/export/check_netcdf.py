"""A loop exported as NetCDF opens in xarray as analysis tools read it: CF
attributes, a time axis in observation-time order, the grid mapping of each
projection family, and at a time and pixel the value `locate --value` of that
file prints.

Usage: check_netcdf.py KELVRA_CLI SAMPLES_DIR
"""
import os
import subprocess
import sys
import tempfile
import unittest

import numpy
import xarray

CLI = sys.argv[1] if len(sys.argv) > 1 else "kelvra-cli"
SAMPLES = sys.argv[2] if len(sys.argv) > 2 else ""

# projection code -> the CF grid mapping the file carries
FAMILIES = {
    1: "latitude_longitude",
    2: "mercator",
    3: "lambert_conformal_conic",
    4: "polar_stereographic",
    5: "albers_conical_equal_area",
}
PIXELS = [(0, 0), (17, 33), (160, 120), (301, 7), (250, 201)]


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, text=True)


def locate_value(path, x, y):
    out = run("locate", path, str(x), str(y), "--value")
    assert out.returncode == 0, out.stderr
    return float(out.stdout.split()[3])


class NetCdfLoop(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def synth(self, name, *options):
        path = os.path.join(self.dir.name, name)
        out = run("synth", path, "--size", "320x240", *options)
        self.assertEqual(out.returncode, 0, out.stderr)
        return path

    def export(self, paths):
        target = os.path.join(self.dir.name, "loop.nc")
        out = run("export", *paths, "-o", target)
        return out, target

    def check_values(self, ds, paths_by_time):
        var = ds["brightness_temperature"]
        for t, path in enumerate(paths_by_time):
            frame = var.isel(time=t).values
            for x, y in PIXELS:
                if x >= frame.shape[1] - 1 or y >= frame.shape[0] - 1:
                    continue
                expected = locate_value(path, x, y)
                got = frame[y, x]
                if numpy.isnan(got):
                    self.assertLessEqual(expected, 0.0)
                else:
                    self.assertEqual("%.2f" % got, "%.2f" % expected, (path, x, y))

    def test_every_family_in_time_order(self):
        times = ["202203311300", "202203311200", "202203311400"]
        for code, mapping in FAMILIES.items():
            with self.subTest(projection=code):
                paths = [self.synth("p%d_%d.awx" % (code, i), "--projection", str(code),
                                    "--time", t) for i, t in enumerate(times)]
                out, target = self.export(paths)
                self.assertEqual(out.returncode, 0, out.stderr)
                with xarray.open_dataset(target) as ds:
                    self.assertEqual(ds.attrs["Conventions"], "CF-1.8")
                    stamps = [str(v)[:16] for v in ds["time"].values]
                    self.assertEqual(stamps, ["2022-03-31T12:00", "2022-03-31T13:00",
                                              "2022-03-31T14:00"])
                    var = ds["brightness_temperature"]
                    self.assertEqual(var.attrs["standard_name"], "toa_brightness_temperature")
                    self.assertEqual(var.attrs["units"], "K")
                    self.assertTrue(var.encoding.get("zlib"))
                    crs = ds[var.attrs["grid_mapping"]]
                    self.assertEqual(crs.attrs["grid_mapping_name"], mapping)
                    self.check_values(ds, [paths[1], paths[0], paths[2]])

    def test_other_geometry_is_refused_by_name(self):
        a = self.synth("a.awx", "--projection", "3")
        b = self.synth("b.awx", "--projection", "3", "--size", "400x240")
        out, target = self.export([a, b])
        self.assertEqual(out.returncode, 1)
        self.assertIn("b.awx", out.stderr)
        self.assertFalse(os.path.exists(target))

    def test_real_sample(self):
        sample = os.path.join(SAMPLES, "ANI_IR1_R04_20220331_2100_FY2G.AWX")
        if not os.path.exists(sample):
            self.skipTest("real sample product not found beside the repository")
        out, target = self.export([sample])
        self.assertEqual(out.returncode, 0, out.stderr)
        with xarray.open_dataset(target) as ds:
            self.assertEqual(str(ds["time"].values[0])[:16], "2022-03-31T13:00")
            self.check_values(ds, [sample])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])

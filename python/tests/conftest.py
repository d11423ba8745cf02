"""What the kelvra pytest suites share: kelvra-cli (the reference every
result is checked against) and synthetic products written by its synth verb."""

import os
import subprocess

import pytest

CLI = os.environ.get("KELVRA_CLI", "")
SHARED = os.environ.get("KELVRA_SHARED_DIR", "")
SAMPLE = os.path.join(SHARED, "samples", "ANI_IR1_R04_20220331_2100_FY2G.AWX")

# One product of every projection code, small enough to check pixel by pixel.
PROJECTIONS = {
    "disk": ["--projection", "0"],
    "latlon": ["--projection", "1"],
    "mercator": ["--projection", "2", "--resolution", "40"],
    "lambert": ["--projection", "3", "--stdlat", "30,60", "--center", "110,35"],
    "polar": ["--projection", "4", "--center", "110,60"],
    "albers": ["--projection", "5", "--stdlat", "25,47", "--center", "105,35"],
}


def cli(*args, check=True):
    if not CLI:
        pytest.skip("KELVRA_CLI names no kelvra-cli")
    return subprocess.run([CLI, *map(str, args)], capture_output=True, text=True, check=check)


def synth(path, *options):
    cli("synth", path, *options)
    return str(path)


@pytest.fixture(scope="session")
def products(tmp_path_factory):
    folder = tmp_path_factory.mktemp("projections")
    return {name: synth(folder / f"{name}.AWX", "--size", "96x64", *options)
            for name, options in PROJECTIONS.items()}


@pytest.fixture(scope="session")
def sample():
    if not os.path.isfile(SAMPLE):
        pytest.skip(f"the real sample is missing: {SAMPLE}")
    return SAMPLE

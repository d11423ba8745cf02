"""The reader entry of the binding on a few thousand mutated products: every
one either reads or raises OSError/ValueError, and what reads can be used."""

import random

import numpy as np

import kelvra
from conftest import synth

MUTANTS = 3000


def mutate(data, rng):
    data = bytearray(data)
    kind = rng.randrange(4)
    if kind == 0:  # flipped bytes, mostly in the headers
        for _ in range(rng.randint(1, 8)):
            at = rng.randrange(min(len(data), 300) if rng.random() < 0.8 else len(data))
            data[at] = rng.randrange(256)
    elif kind == 1:  # cut short
        del data[rng.randrange(len(data)):]
    elif kind == 2:  # extreme header words
        at = rng.randrange(0, min(len(data), 200) - 1, 2)
        data[at:at + 2] = rng.choice([b"\xff\xff", b"\x00\x00", b"\xff\x7f", b"\x00\x80"])
    else:  # a block repeated
        at = rng.randrange(len(data))
        data[at:at] = data[at:at + rng.randint(1, 64)]
    return bytes(data)


def test_mutated_products_never_crash(tmp_path):
    seeds = [open(synth(tmp_path / f"seed{n}.AWX", "--size", "40x30", *options), "rb").read()
             for n, options in enumerate([["--projection", "1"], ["--projection", "3"],
                                          ["--projection", "1", "--grid", "19"],
                                          ["--projection", "4", "--edition", "SAT96"]])]
    rng = random.Random(20260517)
    path = tmp_path / "mutant.AWX"
    read = 0
    for _ in range(MUTANTS):
        path.write_bytes(mutate(rng.choice(seeds), rng))
        try:
            product = kelvra.open(path)
        except (OSError, ValueError):
            continue
        read += 1
        values = product.values
        lon, _ = product.lonlat()
        assert values.shape == lon.shape == product.counts.shape
        assert isinstance(product.header, dict) and np.isnat(product.observed) in (True, False)
    assert read > 0

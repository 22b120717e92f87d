# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""Times the package: one record of each kind through Kind.decode, and
decode_many of 100,000 qos records against numpy's own byteswap of the same
buffer.  Run with the package and the library findable, e.g.
    PYTHONPATH=python STATSCL_LIBRARY=build/release/libstatcl_convert.so.1 \\
        /usr/bin/python3 python/bench.py
"""
from __future__ import annotations

import os
import timeit

import numpy as np

import statscl


def best(fn: object, number: int, repeat: int = 5) -> float:
    """The best of `repeat` runs, in seconds per call."""
    return min(timeit.repeat(fn, number=number, repeat=repeat)) / number  # type: ignore[arg-type]


def main() -> None:
    """Prints both tables."""
    print(f"{'kind':<18}{'bytes':>8}{'decode µs':>12}")
    for k in statscl.kinds():
        payload = os.urandom(k.stats.size)
        print(f"{k.name:<18}{k.stats.size:>8}{best(lambda: k.decode(payload), 200) * 1e6:>12.1f}")

    records = 100_000
    qos = statscl.kind("qos")
    buffer = os.urandom(records * qos.stats.size)
    wire = np.frombuffer(buffer, dtype=qos.dtype())
    ours = best(lambda: statscl.decode_many(qos, buffer), 1)
    theirs = best(lambda: wire.astype(wire.dtype.newbyteorder("=")), 1)
    print(f"\n{records} qos records, {len(buffer) / 1e6:.0f} MB:")
    print(f"  decode_many          {ours * 1e3:8.1f} ms")
    print(f"  numpy byteswap       {theirs * 1e3:8.1f} ms")
    print(f"  speed, decode_many / numpy: {theirs / ours:.2f}x (target: 0.5x or better)")
    assert (statscl.decode_many(qos, buffer) == wire.astype(wire.dtype.newbyteorder("="))).all()


if __name__ == "__main__":
    main()

# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""numpy views of records, and back-to-back records converted in bulk."""
from __future__ import annotations

from typing import Any

import numpy as np

from ._kinds import Kind, _row, dtype_of, kind, library

# statscl_uint64_ntoh takes a 32-bit count of values.
_CHUNK = 1 << 28


def decode_many(which: str | int | Kind, buffer: Any) -> np.ndarray:
    """Back-to-back network-order statistics records, whole ones only, as a
    host-order structured array.  A record of 64-bit values only is converted
    with one call of the library's 64-bit primitive over the whole buffer;
    any other record with one call of the kind's stats_ntoh per record."""
    k = kind(which)
    size = k.stats.size
    src = np.frombuffer(buffer, dtype=np.uint8)
    if src.size % size:
        raise ValueError(f"{k.name}: {src.size} bytes are not whole {size}-byte records")
    out_type = dtype_of(k.stats, "=")
    if all(f.width == 8 for f in k.stats.fields):
        out = np.empty(src.size // size, dtype=out_type)
        ntoh64 = library().statscl_uint64_ntoh
        dst, at, values = out.ctypes.data, src.ctypes.data, src.size // 8
        for start in range(0, values, _CHUNK):
            n = min(_CHUNK, values - start)
            ntoh64(dst + 8 * start, at + 8 * start, n)
        return out
    # Kinds that leave some bytes as they are (bytes of unknown layout) are
    # converted in place over a copy.
    out = src.copy().view(out_type)
    convert, base = _row(k.name)["stats_ntoh"], out.ctypes.data
    for at in range(base, base + src.size, size):
        convert(at, at, size)
    return out

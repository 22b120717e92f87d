# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""Statistics records of the switch's statistics client, decoded, encoded,
diffed and cleared through the conversion library (libstatcl_convert.so.1).

    >>> import statscl
    >>> qos = statscl.kind("qos")
    >>> fields = qos.decode(payload)           # network order -> {name: value}
    >>> payload = qos.encode({"block_0": [1] * 8})

Every conversion is the library's own: a table kind's row
(statscl_get_convert_tbl), or a platform-dependent kind's converters exported
by name.  The library is $STATSCL_LIBRARY, else the one installed beside
this package, else the SONAME through the dynamic loader; the description of
the kinds is $STATSCL_SCHEMA, else the kinds.json installed in this package.
Either missing raises NotFoundError (a FileNotFoundError) naming every path
tried.  The first call of kinds() (or of anything that finds a kind) holds
the description to the library, each table kind's record sizes to its row,
and raises SchemaError (a ValueError) naming the kind, both sizes and the
description's path when they differ, before anything is converted.

Statistics payloads are received as the library's checked receive does it
(see Kind.decode); save and restore of persistent state are not offered
here: the library looks their handlers up in the host process.

kinds(), kind(), Kind and its decode, encode, diff and clear work without
numpy; Kind.dtype and decode_many need it.
"""
from __future__ import annotations

from typing import Any

from ._find import NotFoundError, SchemaError
from ._kinds import Field, Kind, Layout, Record, kind, kinds

__all__ = ["Field", "Kind", "Layout", "NotFoundError", "Record", "SchemaError", "decode_many",
           "kind", "kinds"]


def decode_many(which: str | int | Kind, buffer: Any) -> Any:
    """Back-to-back network-order statistics records of a kind (a Kind, name
    or type id) as a host-order numpy structured array; ValueError when the
    buffer is not whole records."""
    from ._bulk import decode_many as bulk
    return bulk(which, buffer)

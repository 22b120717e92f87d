# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""The kinds as plain data, and their conversions through the library's own functions."""
from __future__ import annotations

import ctypes
import functools
import json
import struct
from dataclasses import dataclass, field
from typing import Any, Callable, Iterable, Mapping

from ._find import load_library, schema_path

Fields = Mapping[str, "int | Iterable[int]"]
_CODES = {1: "B", 2: "H", 4: "I", 8: "Q"}


@dataclass(frozen=True)
class Field:
    """One field of a record: count elements of width bytes from offset on."""

    name: str
    offset: int
    width: int
    count: int

    @property
    def array(self) -> bool:
        """Whether the field's value is a list: an array, or bytes of unknown layout."""
        return self.count > 1 or self.width == 1


@dataclass(frozen=True)
class Layout:
    """A record's size in bytes and its fields, in offset order."""

    size: int
    fields: tuple[Field, ...]
    # The record's host-order values, every element in field order.
    codec: struct.Struct = field(init=False, repr=False, compare=False)

    def __post_init__(self) -> None:
        codes = "".join(f"{f.count}{_CODES[f.width]}" for f in self.fields)
        object.__setattr__(self, "codec", struct.Struct("=" + codes))


class Record(dict):
    """A decoded record: field name -> int, or list of ints for an array or
    for bytes of unknown layout.  `converted` is how many leading bytes of the
    record the conversion produced: the record's size, or less for a short
    payload of a kind that converts the whole values it gets; the fields or
    elements past that are then absent."""

    converted: int


@dataclass(frozen=True)
class Kind:
    """A kind of statistics: its records and how the library treats them.

    `len_rule` is how the statistics conversion treats a payload's length:
    "ignored", ">= size", "whole values" or "== size".  `type_id` is None for
    the platform-dependent kinds, reached by name; `request` is None for a
    kind without a request record."""

    name: str
    type_id: int | None
    len_rule: str
    operations: tuple[str, ...]
    request: Layout | None
    stats: Layout

    def layout(self, record: str = "stats") -> Layout:
        """The stats or request layout; ValueError for a kind without that record."""
        if record == "stats":
            return self.stats
        if record != "request":
            raise ValueError(f"record is 'stats' or 'request', not {record!r}")
        if self.request is None:
            raise ValueError(f"{self.name} has no request record")
        return self.request

    def decode(self, payload: bytes | bytearray | memoryview, record: str = "stats") -> Record:
        """Decodes a network-order payload into host-order values.

        A statistics payload is received as the library's checked receive
        does it, with the kind's len rule: at least the record size (exactly,
        for "== size") converts the record and ignores any bytes past it; a
        shorter one of a "whole values" kind converts the whole 64-bit values
        it holds (`converted` says how many bytes); anything else raises
        ValueError and nothing is read.  The library's stats_ntoh is only
        called when the rule converts, and then on a copy the size of the
        record, so it never reads past the payload.

        A request payload must be at least the request's size; bytes past it
        are ignored, as the tool ignores them."""
        lay = self.layout(record)
        view = memoryview(payload).cast("B")
        got, size = len(view), lay.size
        converted = size
        if record == "request":
            if got < size:
                raise ValueError(f"{self.name}: a request payload of {got} bytes is shorter than "
                                 f"the {size}-byte request record")
        elif not (got == size or (got > size and self.len_rule != "== size")):
            if self.len_rule != "whole values" or got < 8:
                need = "exactly" if self.len_rule == "== size" else (
                    "at least 8 bytes, or" if self.len_rule == "whole values" else "at least")
                raise ValueError(f"{self.name}: a statistics payload of {got} bytes is refused: "
                                 f"its len rule '{self.len_rule}' needs {need} {size} bytes")
            converted = got // 8 * 8
        buf = (ctypes.c_char * size).from_buffer_copy(
            view[:size] if got >= size else bytes(view) + bytes(size - got))
        rows = _row(self.name)
        if record == "request":
            rows["req_ntoh"](buf, buf)
        else:
            rows["stats_ntoh"](buf, buf, got)
        return _unpack(lay, buf, converted)

    def encode(self, fields: Fields, record: str = "stats") -> bytes:
        """Network-order bytes of a record built from host-order values
        (missing fields are 0), through the library's hton.  KeyError for an
        unknown field; ValueError for a value out of its width's range or an
        array of the wrong length."""
        lay = self.layout(record)
        buf = _pack(lay, fields)
        _row(self.name)["req_hton" if record == "request" else "stats_hton"](buf, buf)
        return bytes(buf)

    def diff(self, baseline: Fields, current: Fields, request: Fields | None = None) -> Record:
        """The kind's diff, on host-order statistics: returns the current
        record as the diff leaves it, counts since the baseline where the kind
        keeps any (missing fields and a missing request are 0).

        diag's diff takes its records the other way round: it reads the newer
        record first and overwrites the third, older one with newer - older
        and the newer record's descriptive part.  It is called so here
        (diff(current, request, baseline copy)), so that diag's result means
        what every other kind's does."""
        diff = self._operation("diff")
        old, new, req = _pack(self.stats, baseline), _pack(self.stats, current), self._req(request)
        first, out = (new, old) if "diff(newer-first)" in self.operations else (old, new)
        diff(first, req, out)
        return _unpack(self.stats, out, self.stats.size)

    def clear(self, baseline: Fields, current: Fields, request: Fields | None = None) -> Record:
        """The kind's clear: returns the new baseline, the given one with the
        counters that clear captures (all, or those the request selects)
        copied from current.  A kind that keeps no baseline returns it as given."""
        clear = self._operation("clear")
        base = _pack(self.stats, baseline)
        clear(base, self._req(request), _pack(self.stats, current))
        return _unpack(self.stats, base, self.stats.size)

    def dtype(self, record: str = "stats") -> Any:
        """The numpy structured dtype of the network-order record: big-endian
        fields at their offsets, arrays as subarrays, itemsize the record size."""
        from ._bulk import dtype_of
        return dtype_of(self.layout(record), ">")

    def _operation(self, name: str) -> Callable[..., None]:
        fn = _row(self.name).get(name)
        if fn is None:
            raise ValueError(f"{self.name} has no {name}")
        return fn

    def _req(self, request: Fields | None) -> ctypes.Array:
        # Some kinds' diff and clear return on a null request, so a kind
        # without one still gets a valid, zeroed record.
        if self.request is None:
            return (ctypes.c_char * 8)()
        return _pack(self.request, request or {})


def _unpack(lay: Layout, buf: Any, converted: int) -> Record:
    """The host-order values of the first `converted` bytes of buf."""
    values = lay.codec.unpack_from(buf)
    out = Record()
    out.converted = converted
    at = 0
    for f in lay.fields:
        n = min(f.count, max(0, (converted - f.offset) // f.width))
        if n:
            out[f.name] = list(values[at:at + n]) if f.array else values[at]
        at += f.count
    return out


def _pack(lay: Layout, fields: Fields) -> ctypes.Array:
    """A host-order record of the given values; missing ones are 0."""
    known = {f.name for f in lay.fields}
    for name in fields:
        if name not in known:
            raise KeyError(f"no field {name!r}; the fields are {', '.join(sorted(known))}")
    flat: list[int] = []
    for f in lay.fields:
        value = fields.get(f.name)
        if value is None:
            flat += [0] * f.count
            continue
        array = f.array
        if array != isinstance(value, Iterable):
            raise ValueError(f"{f.name} takes {'a list of ' if array else 'one '}{f.count} "
                             f"value{'s' if array else ''}, not {value!r}")
        items = list(value) if array else [value]
        if len(items) != f.count:
            raise ValueError(f"{f.name} takes {f.count} values, not {len(items)}")
        for v in items:
            if not isinstance(v, int) and not hasattr(v, "__index__") or not (
                    0 <= int(v) < 1 << (8 * f.width)):
                raise ValueError(f"{f.name}: {v!r} is not an unsigned {8 * f.width}-bit value")
        flat += map(int, items)
    buf = (ctypes.c_char * lay.size)()
    lay.codec.pack_into(buf, 0, *flat)
    return buf


_REQ = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_void_p)
_NTOH = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint32)
_DIFF = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p)
_SLOTS = {"req_hton": _REQ, "req_ntoh": _REQ, "stats_hton": _REQ, "stats_ntoh": _NTOH,
          "diff": _DIFF, "clear": _DIFF}


class _Row(ctypes.Structure):
    """statscl_convert_t, field for field."""

    _fields_ = [("req_len", ctypes.c_uint32), ("stats_len", ctypes.c_uint32),
                ("reserved", ctypes.c_uint32)] + list(_SLOTS.items()) + [
                   ("save_pss", ctypes.c_void_p), ("restore_pss", ctypes.c_void_p)]


@functools.cache
def library() -> ctypes.CDLL:
    """The loaded library, its primitives typed."""
    lib = load_library()
    lib.statscl_get_convert_tbl.restype = ctypes.POINTER(_Row)
    lib.statscl_get_convert_tbl.argtypes = [ctypes.c_uint32]
    lib.statscl_uint64_ntoh.restype = None
    lib.statscl_uint64_ntoh.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint32]
    return lib


@functools.cache
def _row(name: str) -> dict[str, Callable[..., None] | None]:
    """The kind's operations: its table row's slots, or for a
    platform-dependent kind the converters exported by name (None where it
    has no such operation)."""
    lib, k = library(), kind(name)
    if k.type_id is not None:
        row = lib.statscl_get_convert_tbl(k.type_id)
        if not row:
            raise LookupError(f"the library has no row for {name} (type {k.type_id})")
        return {slot: getattr(row.contents, slot) for slot in _SLOTS}
    out: dict[str, Callable[..., None] | None] = {}
    for slot, proto in _SLOTS.items():
        try:
            out[slot] = proto((f"statscl_{name}_{slot}", lib))
        except AttributeError:
            out[slot] = None
    return out


def _layout(data: dict | None) -> Layout | None:
    return None if data is None else Layout(data["size"], tuple(Field(**f) for f in data["fields"]))


@functools.cache
def kinds() -> tuple[Kind, ...]:
    """Every kind: the table kinds by type id, then the platform-dependent ones."""
    with open(schema_path(), encoding="utf-8") as f:
        return tuple(Kind(k["name"], k["type"], k["stats_len"], tuple(k["operations"]),
                          _layout(k["request"]), _layout(k["stats"])) for k in json.load(f))


def kind(key: str | int | Kind) -> Kind:
    """The kind of that name or type id; LookupError names the known kinds."""
    if isinstance(key, Kind):
        return key
    for k in kinds():
        if key is not None and key in (k.name, k.type_id):
            return k
    raise LookupError(f"no kind {key!r}; the kinds are "
                      + ", ".join(k.name + (f" ({k.type_id})" if k.type_id else "")
                                  for k in kinds()))

# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""The kinds as plain data, and their conversions through the library's own functions."""
from __future__ import annotations

import ctypes
import functools
import json
import operator
import struct
from dataclasses import dataclass, field
from pathlib import Path
from typing import Any, Callable, Iterable, Mapping

from ._find import SchemaError, load_library, schema_path

Fields = Mapping[str, "int | Iterable[int]"]
_CODES = {1: "B", 2: "H", 4: "I", 8: "Q"}
# The form of kinds.json that this package reads (kinds.schema.json), and its tokens.
SCHEMA_VERSION = 1
_LEN_RULES = {"ignored", "at_least", "whole_values", "exact"}
_REQUEST_USES = {"unused", "non_null", "read"}


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
        at = 0
        for f in self.fields:
            if f.offset != at or f.width not in _CODES or f.count < 1:
                raise ValueError(f"field {f.name} does not follow the one before it at byte {at}")
            at += f.width * f.count
        if at != self.size:
            raise ValueError(f"the fields end at byte {at}, not at the size {self.size}")
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
    """A kind of statistics: its records and how the library treats them,
    as kinds.json states them (its form: kinds.schema.json beside it).

    `len_rule` is how the statistics conversion treats a payload's length:
    "ignored", "at_least", "whole_values" or "exact".  `operations` are the
    slots of the kind's row that do work ("req_hton", ..., "restore_pss").
    `request_use` says for "diff" and "clear" what they do with the request:
    "unused", "non_null" (nothing when it is NULL, none of it read) or
    "read".  diff and clear cover `baseline_fields`, all of them when the
    request field `select_all[0]` holds `select_all[1]`.  `type_id` is None
    for the platform-dependent kinds, reached by name; `request` is None for
    a kind without a request record."""

    name: str
    type_id: int | None
    len_rule: str
    operations: tuple[str, ...]
    diff_newer_first: bool
    request_use: Mapping[str, str] = field(hash=False)
    baseline_fields: tuple[str, ...]
    select_all: tuple[str, int] | None
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
        for "exact") converts the record and ignores any bytes past it; a
        shorter one of a "whole_values" kind converts the whole 64-bit values
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
        elif not (got == size or (got > size and self.len_rule != "exact")):
            if self.len_rule != "whole_values" or got < 8:
                need = "exactly" if self.len_rule == "exact" else (
                    "at least 8 bytes, or" if self.len_rule == "whole_values" else "at least")
                raise ValueError(f"{self.name}: a statistics payload of {got} bytes is refused: "
                                 f"its len rule '{self.len_rule}' needs {need} {size} bytes")
            converted = got // 8 * 8
        buf = (ctypes.c_char * size).from_buffer_copy(
            view[:size] if got >= size else bytes(view) + bytes(size - got))
        rows = _row(self.name)
        if record == "request":
            rows["req_ntoh"](buf, buf)
        else:
            # A len past the record converts as the record's own size does.
            rows["stats_ntoh"](buf, buf, min(got, size))
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

        A kind whose diff takes the newer record first (diag's reads it first
        and overwrites the third, older one with newer - older and the newer
        record's descriptive part) is called so here (diff(current, request,
        baseline copy)), so that its result means what every other kind's
        does.  ValueError for a kind whose diff does nothing."""
        diff = self._operation("diff")
        old, new = _pack(self.stats, baseline), _pack(self.stats, current)
        first, out = (new, old) if self.diff_newer_first else (old, new)
        diff(first, self._req("diff", request), out)
        return _unpack(self.stats, out, self.stats.size)

    def clear(self, baseline: Fields, current: Fields, request: Fields | None = None) -> Record:
        """The kind's clear: returns the new baseline, the given one with the
        counters that clear captures (all, or those the request selects)
        copied from current.  ValueError for a kind whose clear does nothing."""
        clear = self._operation("clear")
        base = _pack(self.stats, baseline)
        clear(base, self._req("clear", request), _pack(self.stats, current))
        return _unpack(self.stats, base, self.stats.size)

    def dtype(self, record: str = "stats") -> Any:
        """The numpy structured dtype of the network-order record: big-endian
        fields at their offsets, arrays as subarrays, itemsize the record size."""
        return dtype_of(self.layout(record), ">")

    def _operation(self, name: str) -> Callable[..., None]:
        if name not in self.operations:
            raise ValueError(f"{self.name} has no {name} that does anything; its operations are "
                             + ", ".join(self.operations))
        return _row(self.name)[name]  # type: ignore[return-value]

    def _req(self, operation: str, request: Fields | None) -> ctypes.Array | None:
        """The request record, or for a kind without one what its operation
        needs: NULL, or any valid pointer when it returns on NULL."""
        if self.request is not None:
            return _pack(self.request, request or {})
        return None if self.request_use[operation] == "unused" else (ctypes.c_char * 1)()


def dtype_of(lay: Layout, order: str) -> Any:
    """A numpy structured dtype of the record with every field in byte order `order`."""
    import numpy as np
    return np.dtype({
        "names": [f.name for f in lay.fields],
        "formats": [(f"{order}u{f.width}", (f.count,)) if f.array else f"{order}u{f.width}"
                    for f in lay.fields],
        "offsets": [f.offset for f in lay.fields],
        "itemsize": lay.size,
    })


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
def _named(name: str) -> dict[str, Callable[..., None] | None]:
    """A platform-dependent kind's converters exported by name (None where
    the library exports none); looked up once, by the load-time check."""
    out: dict[str, Callable[..., None] | None] = {}
    for slot, proto in _SLOTS.items():
        try:
            out[slot] = proto((f"statscl_{name}_{slot}", library()))
        except AttributeError:
            out[slot] = None
    return out


@functools.cache
def _row(name: str) -> dict[str, Callable[..., None] | None]:
    """The kind's operations: its table row's slots, or for a
    platform-dependent kind the converters exported by name."""
    k = kind(name)
    if k.type_id is None:
        return _named(name)
    row = library().statscl_get_convert_tbl(k.type_id).contents
    return {slot: getattr(row, slot) for slot in _SLOTS}


def _layout(data: dict | None) -> Layout | None:
    return None if data is None else Layout(data["size"], tuple(Field(**f) for f in data["fields"]))


def _kind(k: dict) -> Kind:
    """A kind as kinds.json states it; ValueError for a token this package does not know."""
    if k["len_rule"] not in _LEN_RULES or not set(k["request_use"].values()) <= _REQUEST_USES:
        raise ValueError(f"unknown len_rule {k['len_rule']!r} or request_use {k['request_use']}")
    select = k["select_all"]
    return Kind(k["name"], k["type"], k["len_rule"], tuple(k["operations"]),
                k["diff_newer_first"], dict(k["request_use"]), tuple(k["baseline_fields"]),
                None if select is None else (select["field"], select["value"]),
                _layout(k["request"]), _layout(k["stats"]))


def _parse(path: Path) -> tuple[Kind, ...]:
    """The kinds that the file at `path` describes; SchemaError when it is not
    kinds.json of the form this package reads."""
    with open(path, encoding="utf-8") as f:
        try:
            data = json.load(f)
        except ValueError as error:
            raise SchemaError(f"statscl: {path} is not JSON: {error}") from None
    version = data.get("schema_version") if isinstance(data, dict) else None
    if version != SCHEMA_VERSION:
        raise SchemaError(f"statscl: {path} has schema_version {version}, this package reads "
                          f"{SCHEMA_VERSION}. Write one with `statscl list --json`.")
    found = []
    for entry in data["kinds"]:
        try:
            found.append(_kind(entry))
        except (AttributeError, KeyError, TypeError, ValueError) as error:
            raise SchemaError(f"statscl: {path}: cannot read the kind "
                              f"{entry.get('name') if isinstance(entry, dict) else entry!r}: "
                              f"{error!r}") from None
    return tuple(found)


def _check(found: tuple[Kind, ...], path: Path) -> None:
    """Holds the description to the library before anything is converted:
    each table kind's record sizes to its row, each platform-dependent kind's
    operations to the converters the library exports.  (The library states
    those kinds' sizes only in their converters, which cannot be asked
    without writing a record.)"""
    lib = library()

    def refuse(what: str) -> None:
        raise SchemaError(f"statscl: {path} does not describe the library {lib._name}: {what}. "
                          "Write it anew with `statscl list --json`.")

    for k in found:
        if k.type_id is None:
            missing = [slot for slot, fn in _named(k.name).items()
                       if fn is None and slot in k.operations]
            if missing:
                refuse(f"{k.name}'s {', '.join(missing)} are not exported")
            continue
        row = lib.statscl_get_convert_tbl(k.type_id)
        if not row:
            refuse(f"the library has no row for {k.name}'s type {k.type_id}")
        for record, lay, size in (("request", k.request, row.contents.req_len),
                                  ("statistics", k.stats, row.contents.stats_len)):
            if (lay.size if lay else 0) != size:
                refuse(f"{k.name}'s {record} record is {lay.size if lay else 0} bytes there, "
                       f"{size} in the library's row (type {k.type_id})")


@functools.cache
def kinds() -> tuple[Kind, ...]:
    """Every kind: the table kinds by type id, then the platform-dependent
    ones.  The first call reads the description and holds it to the library
    (SchemaError when they disagree)."""
    path = schema_path()
    found = _parse(path)
    _check(found, path)
    return found


def kind(key: str | int | Kind) -> Kind:
    """The kind of that name or type id; LookupError names the known kinds,
    TypeError refuses anything but a str, an int or a Kind (a bool too)."""
    if isinstance(key, Kind):
        return key
    if isinstance(key, bool):
        raise TypeError(f"a kind is a name or a type id, not {key!r}")
    if not isinstance(key, str):
        key = operator.index(key)
    for k in kinds():
        if key in (k.name, k.type_id):
            return k
    raise LookupError(f"no kind {key!r}; the kinds are "
                      + ", ".join(k.name + (f" ({k.type_id})" if k.type_id else "")
                                  for k in kinds()))

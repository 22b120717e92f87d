# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""The Python package against the statscl tool and numpy: the same payloads
must read the same through all three, and bad input must fail loudly.
STATSCL_LIBRARY names the library under test and STATSCL the tool."""
from __future__ import annotations

import json
import os
import random
import subprocess
import sys
from pathlib import Path

import jsonschema
import numpy as np
import pytest
from hypothesis import given, settings, strategies as st

import statscl

KINDS = statscl.kinds()
PACKAGE = Path(statscl.__file__).parent
TOOL = os.environ.get("STATSCL")
needs_tool = pytest.mark.skipif(not TOOL, reason="STATSCL (the tool's path) is not set")
rng = random.Random(7)


def tool_json(*args: str) -> list[dict]:
    """Every JSON object that `statscl decode ARGS --json` prints."""
    text = subprocess.run([TOOL, "decode", "--json", *args], check=True, capture_output=True,
                          text=True).stdout
    out, at, decoder = [], 0, json.JSONDecoder()
    while at < len(text.rstrip()):
        obj, at = decoder.raw_decode(text, at)
        out.append(obj)
        at += 1
    return out


def as_tool(k: statscl.Kind, record: str, fields: dict) -> dict:
    """Fields as the tool prints them: bytes of unknown layout in hex."""
    widths = {f.name: f.width for f in k.layout(record).fields}
    return {n: bytes(v).hex() if widths[n] == 1 else v for n, v in fields.items()}


def records(k: statscl.Kind) -> list[str]:
    return ["stats"] + (["request"] if k.request else [])


@needs_tool
@pytest.mark.parametrize("k", KINDS, ids=lambda k: k.name)
def test_decode_agrees_with_numpy_and_the_tool(k: statscl.Kind, tmp_path) -> None:
    for record in records(k):
        size = k.layout(record).size
        payloads = [rng.randbytes(size) for _ in range(4)] + [bytes(size), b"\xff" * size]
        (tmp_path / "batch").write_bytes(b"".join(payloads))
        extra = ["--request"] if record == "request" else []
        told = tool_json("-t", k.name, "--each", *extra, str(tmp_path / "batch"))
        for payload, tool in zip(payloads, told, strict=True):
            ours = k.decode(payload, record)
            assert ours.converted == size and as_tool(k, record, ours) == tool["fields"]
            wire = np.frombuffer(payload, k.dtype(record))[0]
            assert {n: wire[n].tolist() for n in ours} == ours
        if record == "stats":
            many = statscl.decode_many(k, b"".join(payloads))
            assert [{n: r[n].tolist() for n in ours} for r in many] == [
                k.decode(p) for p in payloads]


@settings(max_examples=60, deadline=None, database=None)
@given(st.sampled_from([(k, r) for k in KINDS for r in records(k)]), st.randoms())
def test_encode_inverts_decode(kr: tuple, r: random.Random) -> None:
    k, record = kr
    payload = r.randbytes(k.layout(record).size)
    assert k.encode(k.decode(payload, record), record) == payload


def with_diff() -> list[statscl.Kind]:
    return [k for k in KINDS if "diff" in k.operations]


def some_request(k: statscl.Kind) -> dict:
    """Request values that select something, nothing, or everything."""
    def one(width: int) -> int:
        return rng.choice([0, 1, 2, 3, (1 << 8 * width) - 1, rng.getrandbits(8 * width)])
    return {f.name: [one(f.width) for _ in range(f.count)] if f.array else one(f.width)
            for f in k.request.fields} if k.request else {}


@needs_tool
@pytest.mark.parametrize("k", with_diff(), ids=lambda k: k.name)
def test_clear_and_diff_match_the_tools_baseline(k: statscl.Kind, tmp_path) -> None:
    now, then = (rng.randbytes(k.stats.size) for _ in range(2))
    (tmp_path / "now").write_bytes(now)
    (tmp_path / "then").write_bytes(then)
    args = ["-t", k.name, str(tmp_path / "now"), "--baseline", str(tmp_path / "then")]
    req = some_request(k)
    if k.request:
        (tmp_path / "req").write_bytes(k.encode(req, "request"))
        args += ["--with-request", str(tmp_path / "req")]
    tool = tool_json(*args)[0]
    reading, current = k.decode(then), k.decode(now)
    base = k.clear({}, reading, req) if "clear" in k.operations else reading
    assert as_tool(k, "stats", base) == tool["baseline"]
    diffed = as_tool(k, "stats", k.diff(base, current, req))
    for name, told in tool["diff"].items():
        ours = diffed[name]
        if isinstance(told, list):
            assert [o for o, t in zip(ours, told) if t is not None] == [t for t in told if t is not None]
        elif told is not None:
            assert ours == told, name


@pytest.mark.parametrize("k", KINDS, ids=lambda k: k.name)
def test_payload_lengths_follow_the_len_rule(k: statscl.Kind) -> None:
    size = k.stats.size
    full = rng.randbytes(size + 9)
    if k.len_rule == "exact":
        with pytest.raises(ValueError, match=f"{k.name}: .* {size + 9} bytes .*exactly {size}"):
            k.decode(full)
    else:
        assert k.decode(full) == k.decode(full[:size])
    for short in {size - 1, 9, 3} - {size}:
        if k.len_rule == "whole_values" and short >= 8:
            got = k.decode(full[:short])
            assert got.converted == short // 8 * 8
            whole = k.decode(full[:size])
            assert all(whole[n][:len(v)] == v for n, v in got.items())
        elif short < size:
            with pytest.raises(ValueError, match=f"{k.name}: .* {short} bytes is refused"):
                k.decode(full[:short])
    if k.request:
        with pytest.raises(ValueError, match="shorter than"):
            k.decode(full[:k.request.size - 1], "request")


def test_bad_input_raises() -> None:
    qos = statscl.kind(3)
    assert statscl.kind("qos") is qos
    with pytest.raises(LookupError, match="pktflow .*fcmac_if_ctrs"):
        statscl.kind("nosuch")
    with pytest.raises(TypeError):
        statscl.kind(True)  # not type 1
    with pytest.raises(KeyError, match="block_9"):
        qos.encode({"block_9": 1})
    for bad in ({"block_0": [1] * 7}, {"block_0": 5}, {"block_0": [-1] + [0] * 7},
                {"block_0": [1 << 64] + [0] * 7}, {"block_0": ["x"] * 8}):
        with pytest.raises(ValueError):
            qos.encode(bad)
    with pytest.raises(ValueError, match="block_select"):
        qos.encode({"block_select": 1 << 32}, "request")
    with pytest.raises(ValueError, match="diag has no request"):
        statscl.kind("diag").decode(bytes(8), "request")
    # A diff or clear that does nothing, in the table or exported or not, is refused alike.
    for name in ("eee_snmp", "fcmac_avg_ctrs", "kelm_fabric_err"):
        with pytest.raises(ValueError, match=f"^{name} has no diff that does anything"):
            statscl.kind(name).diff({}, {})
        with pytest.raises(ValueError, match=f"^{name} has no clear that does anything"):
            statscl.kind(name).clear({}, {})
    with pytest.raises(ValueError, match="not whole 960-byte records"):
        statscl.decode_many("qos", bytes(961))


def run_python(code: str, **env: str) -> subprocess.CompletedProcess:
    return subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                          env={**os.environ, **env})


def test_missing_library_or_schema_names_where_it_looked(tmp_path) -> None:
    gone = str(tmp_path / "nothing.so")
    out = run_python("import statscl; statscl.kind('qos').decode(bytes(960))",
                     STATSCL_LIBRARY=gone)
    assert "NotFoundError" in out.stderr and gone in out.stderr
    out = run_python("import statscl; statscl.kinds()", STATSCL_SCHEMA=gone)
    assert "NotFoundError" in out.stderr and gone in out.stderr


@needs_tool
def test_the_tools_json_keeps_to_its_schema() -> None:
    schema = json.loads((PACKAGE / "kinds.schema.json").read_text())
    validator = jsonschema.Draft202012Validator(schema)
    told = json.loads(subprocess.run([TOOL, "list", "--json"], check=True, capture_output=True,
                                     text=True).stdout)
    validator.validate(told)
    # A schema that let these through would hold no reader to anything.
    qos = next(k for k in told["kinds"] if k["name"] == "qos")
    for bad in ({**qos, "len_rule": ">= size"}, {**qos, "operations": ["req", "stats"]},
                {**qos, "request_use": {"diff": "unused", "clear": "reads"}},
                {k: v for k, v in qos.items() if k != "select_all"}, {**qos, "note": ""}):
        assert not validator.is_valid({**told, "kinds": [bad]}), bad


def test_a_description_that_the_library_contradicts_is_refused(tmp_path) -> None:
    def longer_qos(data: dict, kinds: dict) -> None:
        kinds["qos"]["stats"]["size"] += 8
        kinds["qos"]["stats"]["fields"][-1]["count"] += 1

    def other_name(data: dict, kinds: dict) -> None:
        kinds["kelm_fabric_err"]["name"] = "kelm_fabric_errs"

    cases = [(longer_qos, "qos's statistics record is 968 bytes there, 960 in the library's row"),
             (other_name, "kelm_fabric_errs's stats_hton, stats_ntoh are not exported"),
             (lambda data, kinds: data.update(schema_version=0), "schema_version 0, this package"),
             (lambda data, kinds: kinds["vl"].update(len_rule="at least"), "the kind 'vl'")]
    for edit, said in cases:
        data = json.loads((PACKAGE / "kinds.json").read_text())
        edit(data, {k["name"]: k for k in data["kinds"]})
        path = tmp_path / "kinds.json"
        path.write_text(json.dumps(data))
        # qos's decode would convert a 968-byte record: the load refuses first.
        out = run_python("import statscl; statscl.kind('qos').decode(bytes(968))",
                         STATSCL_SCHEMA=str(path))
        assert "statscl._find.SchemaError" in out.stderr and said in out.stderr, out.stderr
        assert str(path) in out.stderr


def test_works_without_numpy() -> None:
    out = run_python("import sys; sys.modules['numpy'] = None\n"
                     "import statscl; k = statscl.kind('qos')\n"
                     "print(k.decode(k.encode({'block_2': [5] * 8}))['block_2'][7])\n"
                     "k.dtype()")
    assert out.stdout == "5\n" and "import of numpy halted" in out.stderr

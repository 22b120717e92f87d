# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""Where the conversion library and the description of the kinds are found."""
from __future__ import annotations

import ctypes
import ctypes.util
import os
from pathlib import Path

PACKAGE_DIR = Path(__file__).resolve().parent
SONAME = "libstatcl_convert.so.1"


class NotFoundError(FileNotFoundError):
    """The library or the description of the kinds is not where it was looked for."""


def _installed_library() -> str | None:
    """The library beside an installed package, as the install recorded it."""
    try:
        from . import _installed  # written by `cmake --install`, absent in a source tree
    except ImportError:
        return None
    rel = getattr(_installed, "LIBRARY", None)
    return str(PACKAGE_DIR / rel) if rel else None


def load_library() -> ctypes.CDLL:
    """Loads the library: $STATSCL_LIBRARY, else the copy installed beside the
    package, else the SONAME through the dynamic loader's own search, else
    what ctypes.util.find_library finds; raises NotFoundError naming them all."""
    override = os.environ.get("STATSCL_LIBRARY")
    missing: list[str] = []
    if override:
        candidates = [(override, "$STATSCL_LIBRARY")]
    else:
        beside = _installed_library()
        candidates = [(beside, "installed beside the package")] if beside else []
        candidates.append((SONAME, "the dynamic loader's search path"))
        found = ctypes.util.find_library("statcl_convert")
        if found:
            candidates.append((found, "ctypes.util.find_library('statcl_convert')"))
        else:
            missing.append("ctypes.util.find_library('statcl_convert'): nothing")
    tried: list[str] = []
    for path, why in candidates:
        try:
            return ctypes.CDLL(path)
        except OSError as error:
            tried.append(f"{path} ({why}: {error})")
    raise NotFoundError("statscl: cannot load the conversion library " + SONAME +
                        "; tried: " + "; ".join(tried + missing) +
                        ". Set STATSCL_LIBRARY to the library's path.")


def schema_path() -> Path:
    """The description of the kinds: $STATSCL_SCHEMA, else the kinds.json that
    travels with the package; raises NotFoundError naming what was tried."""
    override = os.environ.get("STATSCL_SCHEMA")
    path = Path(override) if override else PACKAGE_DIR / "kinds.json"
    if not path.is_file():
        raise NotFoundError(f"statscl: no description of the kinds at {path}"
                            f" ({'$STATSCL_SCHEMA' if override else 'installed with the package'})"
                            ". Set STATSCL_SCHEMA to a kinds.json (`statscl list --json` writes one).")
    return path

# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""Where the conversion library and the description of the kinds are found."""
from __future__ import annotations

import ctypes
import os
from pathlib import Path

PACKAGE_DIR = Path(__file__).resolve().parent
SONAME = "libstatcl_convert.so.1"


class NotFoundError(FileNotFoundError):
    """The library or the description of the kinds is not where it was looked for."""


class SchemaError(ValueError):
    """The description of the kinds is not one this package reads, or does
    not describe the library that was loaded."""


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
    package, else the SONAME through the dynamic loader's own search; raises
    NotFoundError naming what was tried.  No other name is tried: a library
    of another major version would be misread."""
    path = os.environ.get("STATSCL_LIBRARY")
    why = "$STATSCL_LIBRARY"
    if not path:
        path = _installed_library() or SONAME
        why = "the loader's search path" if path == SONAME else "installed beside the package"
    try:
        return ctypes.CDLL(path)
    except OSError as error:
        raise NotFoundError(f"statscl: cannot load the conversion library {SONAME}: tried {path}"
                            f" ({why}: {error}). Set STATSCL_LIBRARY to the library's path."
                            ) from None


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

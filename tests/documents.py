# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
"""The documents held to the tree: `documents.py SOURCE CHECK`.

links    every relative link of every Markdown file reaches a file, and its
         #anchor a heading there;
lists    the maintainers' guide's gate table names exactly the gate scripts,
         the README's package table exactly the packages that CPack makes,
         and its apt-get lines exactly the build group and everything a
         full build and its tests need (scripts/debian-packages);
version  every version written by hand is the header's.
"""
import re
import sys
from collections import Counter
from pathlib import Path

source, check = Path(sys.argv[1]), sys.argv[2]


def text(name):
    return (source / name).read_text(encoding="utf-8")


version = ".".join(re.search(rf"^#define STATSCL_VERSION_{part} (\d+)$", text("include/statscl_convert.h"),
                             re.M).group(1) for part in ("MAJOR", "MINOR", "PATCH"))


def unfenced(markdown):
    return re.sub(r"^```.*?^```", "", markdown, flags=re.M | re.S)


def anchors(path):
    """The anchors of a Markdown file's headings, as GitHub makes them."""
    found, seen = set(), Counter()
    for heading in re.findall(r"^#{1,6} +(.+?) *$", unfenced(path.read_text(encoding="utf-8")), re.M):
        slug = re.sub(r"[^\w\- ]", "", heading.lower()).replace(" ", "-")
        found.add(f"{slug}-{seen[slug]}" if seen[slug] else slug)
        seen[slug] += 1
    return found


def links():
    for md in source.rglob("*.md"):
        if any(p.startswith((".", "build")) for p in md.relative_to(source).parts):
            continue
        prose = re.sub(r"`[^`\n]*`", "", unfenced(md.read_text(encoding="utf-8")))
        for target in re.findall(r"\]\(([^)\s]+)\)", prose):
            if re.match(r"[a-z]+:", target):
                continue
            name, _, anchor = target.partition("#")
            dest = (md.parent / name) if name else md
            if not dest.exists() or anchor and (dest.suffix != ".md" or anchor not in anchors(dest)):
                yield f"{md.relative_to(source)}: no {target}"


def differ(what, have, want):
    for name in sorted(have - want):
        yield f"{what} names {name}, which is not one"
    for name in sorted(want - have):
        yield f"{what} leaves out {name}"


def lists():
    gates = {p.name for p in (source / "scripts/checks").glob("*.sh")}
    listed = set(re.findall(r"^\| `([\w.-]+\.sh)` \|", text("docs/maintainers-guide.md"), re.M))
    yield from differ("the maintainers' guide's gate table", listed, gates)

    readme = text("README.md")
    cmake = text("packaging/install.cmake") + text("packaging/python.cmake")
    packages = {name.replace("${PROJECT_VERSION_MAJOR}", version.split(".")[0])
                for name in re.findall(r"^set\(statscl_package_\w+ (\S+)\)$", cmake, re.M)}
    table = re.search(r"^\| Debian package \|.*?\n\n", readme, re.M | re.S)
    rows = set(re.findall(r"^\| `([\w.+-]+)` \|", table.group(0) if table else "", re.M))
    yield from differ("README.md's package table", rows, packages)

    groups = dict(re.findall(r"^(\w+): *(.*)$", text("scripts/debian-packages"), re.M))
    full = " ".join(groups[g] for g in ("build", "tests", "tool", "docs", "python"))
    want = {frozenset(groups["build"].split()), frozenset(full.split())}
    lines = re.findall(r"^sudo apt-get install ((?:[^\n\\#]|\\\n)*)", readme, re.M)
    have = {frozenset(line.replace("\\\n", " ").split()) for line in lines}
    if have != want or len(lines) != 2:
        yield f"README.md's apt-get lines {sorted(map(sorted, have))} are not {sorted(map(sorted, want))}"


def versions():
    written = {"README.md": r"^This is version (\S+) ",
               "python/pyproject.toml": r'^version = "(.*)"$',
               "CHANGELOG.md": r"^## \[(\d[^\]]*)\]",  # the newest release
               "examples/qos_host/qos_host.expected": r"^statscl_convert (\S+) \((\S+)\)$",
               "examples/qos_host/qos_host_own_log.expected": r"^statscl_convert (\S+) \((\S+)\)$"}
    for name, pattern in written.items():
        found = re.search(pattern, text(name), re.M)
        if not found or set(found.groups()) != {version}:
            yield f"{name}: {found.group(0) if found else 'no version'}, the header says {version}"


problems = list({"links": links, "lists": lists, "version": versions}[check]())
print("\n".join(problems))
sys.exit(1 if problems else 0)

#!/usr/bin/env python3
"""Fails when a file includes a folder that its own folder may not include (see layers.txt).

usage: check_layers.py [root]   (root defaults to the repository holding this script)
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
CHECKED_ROOTS = ("platform/", "sdk/", "examples/")
SOURCE_SUFFIXES = {".cpp", ".hpp", ".h"}


def read_rules(path):
    rules = {}
    for number, line in enumerate(path.read_text().splitlines(), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        folder, sep, allowed = line.partition(":")
        if not sep:
            sys.exit(f"{path}:{number}: expected 'folder: allowed folders'")
        rules[folder.strip()] = allowed.split()
    return rules


def owner(rel, rules):
    """The longest rule whose folder (or file) starts the path."""
    best = None
    for folder in rules:
        if rel == folder or rel.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def allows(entry, target, rules):
    if entry.endswith("/"):
        return target.startswith(entry)
    return target == entry or owner(target, rules) == entry


def check(root):
    rules = read_rules(root / "tools" / "layers.txt")
    faults = []
    for path in sorted(root.rglob("*")):
        rel = path.relative_to(root).as_posix()
        if path.suffix not in SOURCE_SUFFIXES or not rel.startswith(CHECKED_ROOTS) or "/build" in "/" + rel:
            continue
        folder = owner(rel, rules)
        if folder is None:
            faults.append(f"{rel}: no rule in tools/layers.txt covers this folder")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if not target.startswith(("platform/", "sdk/")):
                continue
            if owner(target, rules) == folder or any(allows(a, target, rules) for a in rules[folder]):
                continue
            faults.append(f"{rel}:{number}: includes {target}, but {folder} may include only: "
                          f"{' '.join(rules[folder]) or 'nothing outside itself'}")
    return faults


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    faults = check(root)
    for fault in faults:
        print(fault)
    if faults:
        print(f"layering check: {len(faults)} include(s) against tools/layers.txt")
        return 1
    print("layering check: every include follows tools/layers.txt")
    return 0


if __name__ == "__main__":
    sys.exit(main())

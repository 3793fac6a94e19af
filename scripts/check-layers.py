#!/usr/bin/env python3
"""Fails when a file under src/ includes a layer it must not know.

A layer may include its own folder and the layers named beside it, nothing else: the
bottom first, the host that wires everything together last. The README's layout table
lists them in the same order."""
import pathlib
import re
import sys

LAYERS = {
    "platform": [],
    "model": ["platform"],
    "components": ["platform"],
    "ui": ["platform"],
    "actions": ["platform", "model"],
    "help": ["platform", "model", "ui"],
    "clips": ["platform", "model", "components", "ui", "actions", "help"],
    "time": ["platform", "model", "components", "ui", "actions", "help"],
    "settings": ["platform", "model", "components", "ui", "actions", "help"],
    "host": ["platform", "model", "components", "ui", "actions", "help", "clips", "time", "settings"],
}

# Wrong-way includes not mended yet. The list may only shrink: an include that is not
# here fails, and so does an entry that no longer occurs.
NOT_YET_MENDED = {
    "src/settings/win32/Setup.cpp: clips/win32/ClipEdit.h",
    "src/settings/win32/Setup.cpp: time/win32/WorldTimeEdit.h",
    "src/settings/win32/Setup.h: time/PlaceTime.h",
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)"', re.M)


def wrong_way_includes(src: pathlib.Path):
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        name = "src/" + path.relative_to(src).as_posix()
        layer = path.relative_to(src).parts[0]
        if layer not in LAYERS:
            yield f"{name}: a folder that is no layer"
            continue
        for m in INCLUDE.finditer(path.read_text(encoding="utf-8")):
            target = m.group(1)
            if target != layer and target in LAYERS and target not in LAYERS[layer]:
                yield f"{name}: {target}/{m.group(2)}"


def main() -> int:
    src = pathlib.Path(__file__).resolve().parent.parent / "src"
    found = set(wrong_way_includes(src))
    new = sorted(found - NOT_YET_MENDED)
    mended = sorted(NOT_YET_MENDED - found)
    for line in new:
        print(f"include against the layers: {line}")
    for line in mended:
        print(f"mended, remove it from NOT_YET_MENDED in {pathlib.Path(__file__).name}: {line}")
    print(f"layers: {len(found)} wrong-way includes left to mend, {len(new)} new")
    return 1 if new or mended else 0


if __name__ == "__main__":
    sys.exit(main())

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
    found = sorted(wrong_way_includes(src))
    for line in found:
        print(f"include against the layers: {line}")
    print(f"layers: {len(found)} wrong-way includes")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

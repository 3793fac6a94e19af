#!/usr/bin/env python3
"""Generates resources/TimeMap.bmp, the sun time map's world picture.

A 379 x 232 one-bit bitmap (palette entry 0 black, entry 1 white): land black, sea
white. Equirectangular in longitude with Greenwich at column 180, so column x stands
for (x - 180) * 360 / 379 degrees east and the western edge lies near 171 degrees west.
Rows run from 85 degrees north to 60 degrees south.

Data: GSHHG (Global Self-consistent Hierarchical High-resolution Geography) by Paul
Wessel and Walter H. F. Smith, low resolution, as shipped by Debian's package
gmt-gshhg-low; licence LGPL-3 or later. The land mask is computed with GMT's
grdlandmask (Debian package gmt, LGPL-3 or later). Lakes count as land, which keeps
the small picture free of speckles.

    apt-get install gmt gmt-gshhg-low
    python3 tools/make_world_map.py
"""
import os
import struct
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 379, 232
GREENWICH = 180
NORTH, SOUTH = 85, -60


def land_mask():
    step = 360.0 / WIDTH
    west = (-GREENWICH - 0.5) * step
    east = west + 360.0
    with tempfile.TemporaryDirectory() as tmp:
        grid = os.path.join(tmp, "mask.nc")
        subprocess.run(["gmt", "grdlandmask", f"-R{west:.6f}/{east:.6f}/{SOUTH}/{NORTH}",
                        f"-I{WIDTH}+n/{HEIGHT}+n", "-r", "-Dl", "-N0/1/1/1/1", f"-G{grid}"],
                       check=True, stderr=subprocess.DEVNULL, cwd=tmp)
        # GMT leaves a history file where it runs: keep it in the scratch folder.
        out = subprocess.run(["gmt", "grd2xyz", grid, "-ZTLa"], check=True, capture_output=True,
                             text=True, cwd=tmp).stdout.split()
    values = [int(float(v)) for v in out]
    if len(values) != WIDTH * HEIGHT:
        sys.exit(f"unexpected grid size {len(values)}")
    return [values[r * WIDTH:(r + 1) * WIDTH] for r in range(HEIGHT)]  # top row first


def write_bmp(rows, path):
    stride = ((WIDTH + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(stride)
        for x, land in enumerate(row):
            if not land:
                line[x // 8] |= 0x80 >> (x % 8)  # white
        pixels += line
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(pixels), 3780, 3780, 2, 2)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    target = os.path.join(here, "..", "resources", "TimeMap.bmp")
    write_bmp(land_mask(), target)
    print("wrote", os.path.normpath(target))

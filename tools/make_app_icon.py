#!/usr/bin/env python3
"""Makes resources/Vimo.ico, the program's icon, from the same face drawing as the tray.

    python3 tools/make_app_icon.py [build/linux/bin/vimo_face_pixels]

The native tool draws the face at each size; this script packs the sizes into one icon
file: 32-bit pictures with their masks up to 24 pixels, PNGs from 32 (the exe must stay small;
Windows reads PNG entries of any size since Vista).
"""
import struct
import subprocess
import sys
import zlib
from pathlib import Path

SIZES = [16, 20, 24, 32, 48, 256]
ROOT = Path(__file__).resolve().parent.parent


def face(tool, size):
    data = subprocess.run([tool, str(size)], check=True, capture_output=True).stdout
    if len(data) != size * size * 4:
        raise SystemExit(f"{tool} gave {len(data)} bytes for {size} x {size}")
    return data


def bmp_entry(rgba, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray(mask_stride * size)
    for y in range(size - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(size):
            r, g, b, a = rgba[(y * size + x) * 4:(y * size + x) * 4 + 4]
            row += bytes((b, g, r, a))
            if a == 0:
                mask[(size - 1 - y) * mask_stride + x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return header + b"".join(rows) + bytes(mask)


def png_entry(rgba, size):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + rgba[y * size * 4:(y + 1) * size * 4] for y in range(size))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    tool = sys.argv[1] if len(sys.argv) > 1 else str(ROOT / "build/linux/bin/vimo_face_pixels")
    images = [(s, png_entry(face(tool, s), s) if s >= 32 else bmp_entry(face(tool, s), s)) for s in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    target = ROOT / "resources/Vimo.ico"
    target.write_bytes(bytes(out))
    print(f"{target}: {len(out)} bytes, sizes {SIZES}")


if __name__ == "__main__":
    main()

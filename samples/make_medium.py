#!/usr/bin/env python3
"""Writes a sample installation medium into a folder.

    make_medium.py BUILD_DIR OUT_DIR

The medium is laid out as a DVD is: OUT_DIR/install/setup.exe with its script
setup.inf (section SetupInfo and the billboard list) and the billboard pictures in
OUT_DIR/install/billboard/. The pictures are generated here.
"""
import os
import shutil
import struct
import sys

WIDTH, HEIGHT = 864, 486


def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP (40-byte header); pixel(x, y) gives (r, g, b), y from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


def picture(kind):
    def warm(x, y):  # a lit wall: warm light fading from a spot top left
        d = ((x - 200) ** 2 + (y - 100) ** 2) ** 0.5
        v = max(0.0, 1.0 - d / 900.0)
        return int(255 * v), int(200 * v), int(120 * v)

    def rows(x, y):  # luminaires in rows on a dark ceiling
        cx, cy = x % 144, y % 81
        lit = (cx - 72) ** 2 + (cy - 40) ** 2 < 300
        return (250, 250, 235) if lit else (30, 34, 48)

    def spectrum(x, y):  # colour temperatures from warm to cold
        t = x / (WIDTH - 1)
        shade = 1.0 - 0.5 * y / HEIGHT
        return int((255 - 60 * t) * shade), int((190 + 40 * t) * shade), int((120 + 135 * t) * shade)

    return {"warm": warm, "rows": rows, "spectrum": spectrum}[kind]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    build, out = sys.argv[1], sys.argv[2]
    install = os.path.join(out, "install")
    billboard = os.path.join(install, "billboard")
    os.makedirs(billboard, exist_ok=True)
    shutil.copyfile(os.path.join(build, "setup.exe"), os.path.join(install, "setup.exe"))

    entries = [("1_warm.bmp", "warm", 3000), ("2_rows.bmp", "rows", 2000), ("3_spectrum.bmp", "spectrum", 2500)]
    for name, kind, _ in entries:
        with open(os.path.join(billboard, name), "wb") as f:
            f.write(bmp24(WIDTH, HEIGHT, picture(kind)))

    lines = ["[SetupInfo]", "SourcePath=", "", "[Billboard]"]
    lines += [f"{name}={ms}" for name, _, ms in entries]
    with open(os.path.join(install, "setup.inf"), "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    print(f"sample medium: {out}")


if __name__ == "__main__":
    main()

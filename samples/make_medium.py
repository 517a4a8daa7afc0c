#!/usr/bin/env python3
"""Writes a sample installation medium into a folder.

    make_medium.py BUILD_DIR OUT_DIR

The medium is laid out as a DVD is: OUT_DIR/install/ holds setup.exe, its script
setup.inf (SetupInfo, the billboard list, the supported languages), the data script
DataSetup.inf, PostSetup.exe, the language libraries (res_09.dll English,
res_10.dll Spanish, res_12.dll French, res_16.dll Italian) and the billboard pictures (generated here) in billboard/; OUT_DIR/data/ holds the catalogue
ovkdata.inf and one folder per package with its seven category folders and its
installer plg/install.exe.
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


# The sample packages: id, name, folder, countries ("" for all), files per category.
PACKAGES = [
    ("LUM", "Lumina Leuchten", "Lumina", "", 3),
    ("HEL", "Helios Licht", "Helios", "CountryCodes: 49 43 00", 2),
    ("NOR", "Nordlicht Systeme", "Nordlicht", "", 2),
    ("SOL", "Sol Architektur", "Sol", "CountryCodes: 41_ex 00", 1),
]
# The languages of the language page besides German (built in): name, language number.
LANGUAGES = [("English", 9), ("Español", 10), ("Français", 12), ("Italiano", 16)]


def language_library(number):
    return "res_%02d.dll" % number


CATEGORIES = ["cad", "dtb", "lvk", "pic", "geo", "sym", "att"]


def write_ini(path, sections):
    """sections: list of (name, [(key, value), ...]); 8-bit text, CR LF."""
    lines = []
    for name, keys in sections:
        lines.append(f"[{name}]")
        lines += [f"{k}={v}" for k, v in keys]
        lines.append("")
    with open(path, "w", newline="\r\n", encoding="cp1252") as f:
        f.write("\n".join(lines))


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def catalogue(packages):
    sections = [("manufacturers", [(p[0], p[0]) for p in packages])]
    for pid, name, folder, countries, _ in packages:
        keys = [("name", name), ("version", "2026.1"), ("dirname", folder), ("plugin", "install.exe"),
                ("disc", "ORVEK DVD 2026")]
        if countries:
            keys += [("dbname", countries), ("dbname49", pid + "_de"), ("products49", "12"),
                     ("dbname00", pid + "_int"), ("products00", "10")]
        else:
            keys += [("dbname", pid.lower() + "db"), ("products", "8")]
        sections.append((pid, keys))
    return sections


def package_files(data, packages, plugin):
    for pid, name, folder, _, count in packages:
        root = os.path.join(data, folder)
        write_file(os.path.join(root, folder + ".inf"), f"[{pid}]\r\nname={name}\r\n".encode("cp1252"))
        for category in CATEGORIES:
            for n in range(count):
                body = f"{name} {category} {n}\r\n".encode("cp1252") * 40
                write_file(os.path.join(root, category, f"{pid.lower()}{n}.{category}"), body)
        if plugin:
            os.makedirs(os.path.join(root, "plg"), exist_ok=True)
            shutil.copyfile(plugin, os.path.join(root, "plg", "install.exe"))


def data_script(install):
    write_ini(os.path.join(install, "DataSetup.inf"), [
        ("Install32", [("Ini", "orvek.ini"), ("DotNetFx", "0")]),
        ("Ini32", [("ini", "1,install\\orvek.ini,obj,,,")]),
        ("Files", [("readme", "1,install\\readme.txt,,,,")]),
        ("FilesPriv", []),
        ("CreateDir", [("dir1", "obj"), ("dir2", "local")]),
    ])
    write_file(os.path.join(install, "orvek.ini"), b"[ORVEK]\r\nData=local\r\n")
    write_file(os.path.join(install, "readme.txt"),
               b"ORVEK manufacturer data DVD (sample medium made by samples/make_medium.py).\r\n")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    build, out = sys.argv[1], sys.argv[2]
    make_medium(build, out)
    print(f"sample medium: {out}")


def make_medium(build, out, packages=PACKAGES):
    """Writes the whole medium; build is the build folder with setup.exe and the companions."""
    install = os.path.join(out, "install")
    billboard = os.path.join(install, "billboard")
    os.makedirs(billboard, exist_ok=True)
    shutil.copyfile(os.path.join(build, "setup.exe"), os.path.join(install, "setup.exe"))
    libraries = [(language_library(number), os.path.join(build, "lang", language_library(number)))
                 for _, number in LANGUAGES]
    for name, src in [("PostSetup.exe", os.path.join(build, "companions", "PostSetup.exe"))] + libraries:
        if os.path.exists(src):
            shutil.copyfile(src, os.path.join(install, name))

    entries = [("1_warm.bmp", "warm", 3000), ("2_rows.bmp", "rows", 2000), ("3_spectrum.bmp", "spectrum", 2500)]
    for name, kind, _ in entries:
        with open(os.path.join(billboard, name), "wb") as f:
            f.write(bmp24(WIDTH, HEIGHT, picture(kind)))

    write_ini(os.path.join(install, "setup.inf"), [
        ("SetupInfo", [("SourcePath", ""), ("DefLanguage", "Deutsch")]),
        ("Billboard", [(name, str(ms)) for name, _, ms in entries]),
        ("SupportedLangs", [(name, str(number)) for name, number in [("Deutsch", 7)] + LANGUAGES]),
    ])
    data_script(install)
    data = os.path.join(out, "data")
    os.makedirs(data, exist_ok=True)
    write_ini(os.path.join(data, "ovkdata.inf"), catalogue(packages))
    plugin = os.path.join(build, "companions", "install.exe")
    package_files(data, packages, plugin if os.path.exists(plugin) else None)


if __name__ == "__main__":
    main()

"""setup.exe /check: the medium read as a run reads it, nothing installed. The
sample medium checks clean; each crafted medium gives its finding, and a quiet
run of the same medium refuses exactly what the check named, with the same
exit code (one table drives both)."""
import os
import shutil
import struct
import subprocess
import tempfile

from medium_case import MediumCase
from setup_run import BUILD, DATA_FOLDER, drive_c_files, tree, windows_path
import make_medium

# A locale whose code page lacks Polish letters, as in test_exact_names.
WESTERN = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}
REFUSED = ": refused, the run ends with 1603"


def log_lines(path):
    """The texts of a setup log's lines, without their times."""
    with open(path, encoding="utf-8") as f:
        return [line.split("  ", 1)[1] for line in f.read().splitlines() if "  " in line]


def set_key(path, section, key, value):
    """Sets one key of an 8-bit profile file of the medium."""
    lines = open(path, encoding="cp1252").read().splitlines()
    at = lines.index("[%s]" % section) + 1
    end = at
    while end < len(lines) and not lines[end].startswith("["):
        end += 1
    block = [line for line in lines[at:end] if not line.startswith(key + "=")] + ["%s=%s" % (key, value)]
    with open(path, "w", encoding="cp1252", newline="\r\n") as f:
        f.write("\n".join(lines[:at] + block + lines[end:]) + "\n")


def add_entry(medium, key, value):
    set_key(os.path.join(medium.install, "DataSetup.inf"), "Files", key, value)


def escape_package_folder(medium, elsewhere):
    package = os.path.join(medium.root, "data", "Lumina")
    shutil.move(package, elsewhere)
    os.symlink(elsewhere, package)


def exclude_every_package(medium):
    catalogue = os.path.join(medium.root, "data", "ovkdata.inf")
    for pid, *_ in make_medium.PACKAGES:
        set_key(catalogue, pid, "dbname", "CountryCodes: 41_ex")


def add_polish_file(medium):
    with open(os.path.join(medium.root, "data", "Lumina", "cad", "\u0141\u00f3d\u017a.cad"), "wb") as f:
        f.write(b"luminaire\r\n")


def damage_picture(medium):
    with open(os.path.join(medium.install, "billboard", "2_rows.bmp"), "wb") as f:
        f.write(b"BM" + b"\xff" * 60)


def add_lying_library(medium):
    """A library of the data script whose version resource claims more than the file holds."""
    data = bytearray(open(os.path.join(BUILD, "tests", "versiondlls", "ver2001.dll"), "rb").read())
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    directories = optional + (96 if struct.unpack_from("<H", data, optional)[0] == 0x10B else 112)
    resources_rva = struct.unpack_from("<I", data, directories + 16)[0]

    def offset(rva):
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, optional + optional_size + 40 * i + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address

    base = offset(resources_rva)

    def entries(at):
        count = sum(struct.unpack_from("<HH", data, at + 12))
        return [struct.unpack_from("<II", data, at + 16 + 8 * i) for i in range(count)]

    names = dict(entries(base))[16] & 0x7FFFFFFF  # RT_VERSION
    languages = entries(base + names)[0][1] & 0x7FFFFFFF
    leaf = base + entries(base + languages)[0][1]
    struct.pack_into("<I", data, leaf + 4, 0x7FFF0000)
    with open(os.path.join(medium.install, "lying.dll"), "wb") as f:
        f.write(data)
    add_entry(medium, "lie", "1,install\\lying.dll,,,,")


# name, what makes the medium, the arguments of both runs, the finding that must be among the check's lines.
CASES = [
    ("refused entry", lambda m, _: add_entry(m, "up", "1,install\\readme.txt,..\\..\\escape,,,"), (),
     "entry up in section [Files] leads outside its folder: ..\\..\\escape" + REFUSED),
    ("folder list leads outside", lambda m, _: set_key(os.path.join(m.install, "DataSetup.inf"), "CreateDir",
                                                       "dir3", "..\\..\\escape"), (),
     "entry dir3 in section [CreateDir] leads outside its folder: ..\\..\\escape" + REFUSED),
    ("dirname is a path",
     lambda m, _: set_key(os.path.join(m.root, "data", "ovkdata.inf"), "LUM", "dirname", "x\\Lumina"), (),
     "package Lumina Leuchten: its folder name \"x\\Lumina\" is not one plain folder name: not installed" + REFUSED),
    ("package folder leaves the medium", escape_package_folder, (), ", outside the medium: not installed" + REFUSED),
    ("installer outside plg",
     lambda m, _: set_key(os.path.join(m.root, "data", "ovkdata.inf"), "NOR", "plugin", "..\\..\\Lumina\\plg\\install.exe"),
     (), "package Nordlicht Systeme: its installer \"..\\..\\Lumina\\plg\\install.exe\" lies outside "),
    ("installer missing", lambda m, _: os.remove(os.path.join(m.root, "data", "Sol", "plg", "install.exe")), (),
     "package installer of Sol Architektur could not be started: "),
    ("no package for the country", lambda m, _: exclude_every_package(m), ("/C:CHE",),
     "no package is offered for country 41 (4 packages left out): note"),
    ("value cut by its buffer", lambda m, _: add_entry(m, "long", "1,install\\readme.txt," + "d" * 300 + ",,,"), (),
     "entry long in section [Files] is longer than 255 characters, and a field it gives lies beyond them" + REFUSED),
    ("name outside the code page", lambda m, _: add_polish_file(m), (),
     "\u0141\u00f3d\u017a.cad: package Lumina Leuchten: its name cannot be written exactly into the 8-bit uninstall "
     "log"),
    ("lying version resource", lambda m, _: add_lying_library(m), (),
     "lying.dll: its version information cannot be read (\"Failed to get version information on src.\""),
    ("unreadable billboard picture", lambda m, _: damage_picture(m), (),
     "2_rows.bmp: the billboard picture is not a consistent bitmap: shown as no picture: note"),
]


class MediumCheck(MediumCase):
    # The check looks for no installation: none is there, and none is made.
    admin_text = None

    def setUp(self):
        super().setUp()
        self.elsewhere = tempfile.mkdtemp(prefix="e2e_off_", dir=os.path.join(BUILD, "e2e"))
        self.addCleanup(shutil.rmtree, self.elsewhere, True)

    def check(self, medium, *args):
        log = os.path.join(medium.base, "check.log")
        code = medium.run("/check", "/log", windows_path(log), *args, env=WESTERN)
        lines = log_lines(log)
        os.remove(log)
        return code, lines

    def test_the_sample_medium_checks_clean_and_nothing_is_written(self):
        medium = self.medium
        before_c, before_medium = drive_c_files(), tree(medium.root)
        code, lines = self.check(medium)
        self.assertEqual(code, 0, "\n".join(lines))
        self.assertEqual(lines[-1], "check: 0 refused, 0 left out, 0 told, 0 notes; exit code 0")
        self.assertFalse(os.path.exists(DATA_FOLDER))
        self.assertEqual(drive_c_files(), before_c)
        self.assertEqual(tree(medium.root), before_medium)
        self.assertEqual(medium.records(), [])  # neither PostSetup.exe nor an installer was started

    def test_the_findings_go_to_the_standard_output_of_a_console_start(self):
        medium = self.medium
        add_entry(medium, "up", "1,install\\readme.txt,..\\up,,,")
        with tempfile.TemporaryFile() as out:
            code = subprocess.run(["wine", medium.setup_exe(), "/check"], stdout=out, stderr=subprocess.DEVNULL,
                                  timeout=90).returncode
            out.seek(0)
            text = out.read().decode("utf-8")
        self.assertEqual(code, 1603 % 256)  # Linux sees one byte of the exit code
        self.assertIn("entry up in section [Files] leads outside its folder: ..\\up" + REFUSED, text)
        self.assertTrue(text.splitlines()[-1].startswith("check: 1 refused, "), text)

    def test_each_crafted_medium_gives_its_finding_and_a_quiet_run_refuses_the_same(self):
        for name, craft, args, finding in CASES:
            with self.subTest(name):
                shutil.rmtree(DATA_FOLDER, ignore_errors=True)  # what the last case's quiet run installed
                self.machine.admin()
                medium = self.new_medium()
                craft(medium, os.path.join(self.elsewhere, name.replace(" ", "_")))
                code, lines = self.check(medium, *args)
                self.assertTrue([line for line in lines if finding in line], "\n".join(lines))
                checked = sorted(line.split(": ", 1)[1][:-len(REFUSED)] for line in lines if line.endswith(REFUSED))

                log = os.path.join(medium.base, "setup.log")
                run_code = medium.run("/Q", "/log", windows_path(log), *args, env=WESTERN)
                refused = sorted(line[len("refused: "):] for line in log_lines(log) if line.startswith("refused: "))
                self.assertEqual(checked, refused)
                self.assertEqual(code, run_code, "\n".join(log_lines(log)))

"""Names in the 8-bit files a run writes (both uninstall logs, the copy log, an
8-bit administration file) name exactly the file they stand for: spelt, or by the
file's short name, or the file (the package) is not installed and the run ends
with 1603. Never a look-alike spelling, which would name another file."""
import os
import shutil
import subprocess
import unittest

from medium_case import MediumCase
from setup_run import ADMIN_FILE, DATA_FOLDER, RECORDER, read_bytes, windows_path
import make_medium

# The Western code page (1252). A UTF-8 locale the machine has: without one
# Wine cannot give files names beyond ASCII.
WESTERN = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}
LOCAL = os.path.join(DATA_FOLDER, "local")
# Files of the package Lumina whose names the Western page cannot spell.
NAMES = [("cad", "\u0141\u00f3d\u017a.cad"), ("pic", "\u03a6\u03c9\u03c2.pic"), ("dtb", "\u5149.dtb"),
         ("cad", "Lampe \U0001F4A1.cad")]
# What a best-fit conversion makes of them: other files, or none.
LOOK_ALIKES = [b"Lodz", b"L\xf3dz", b"F??", b"\\?.dtb", b"Lampe ??"]
POLISH = "\u0141\u00f3d\u017a"


def linux_path(name):
    """The file a Windows path leads to, as Wine finds it (short names included)."""
    out = subprocess.run(["winepath", "-u", name], capture_output=True, text=True, env=dict(os.environ, **WESTERN))
    return os.path.realpath(out.stdout.strip())


class ExactNames(MediumCase):
    admin_text = None  # each test writes its own

    def quiet_run(self):
        return self.medium.run("/Q", "/log", windows_path(self.log), env=WESTERN)

    def test_files_the_logs_cannot_spell_are_named_by_their_short_names(self):
        self.machine.admin()
        package = os.path.join(self.medium.root, "data", "Lumina")
        for number, (category, name) in enumerate(NAMES):
            with open(os.path.join(package, category, name), "wb") as f:
                f.write(b"luminaire %d\r\n" % number)
        code = self.quiet_run()

        folder = os.path.join(LOCAL, "Lumina")
        package_log = read_bytes(os.path.join(folder, "_uninst.inf")).decode("cp1252").split("\n")
        run_log = read_bytes(os.path.join(DATA_FOLDER, ".UNINST.INF")).decode("cp1252").split("\n")
        copy_log = read_bytes(os.path.join(DATA_FOLDER, "update.log"))
        named = {}  # what each "file" line of the package log leads to
        for line in package_log:
            if line.startswith("file 0 0 "):
                name = line[len("file 0 0 "):]
                named[linux_path(name) if "~" in name else None] = name
        for number, (category, name) in enumerate(NAMES):
            with self.subTest(name=name):
                installed = os.path.join(folder, category, name)
                if os.path.realpath(installed) in named:
                    logged = named[os.path.realpath(installed)]
                    self.assertEqual(read_bytes(installed), b"luminaire %d\r\n" % number)
                    self.assertIn("file 0 0 " + logged, run_log)
                    self.assertIn(("--> " + logged + ")").encode("cp1252"), copy_log)
                else:  # not installed, and said so
                    self.assertFalse(os.path.exists(installed))
                    self.assertEqual(code, 1603)
                    self.assertTrue([line for line in self.log_text().splitlines()
                                     if line.startswith("summary: file not installed: ") and name in line])
        for look_alike in LOOK_ALIKES:
            for text, log in (("\n".join(package_log).encode("cp1252"), "_uninst.inf"),
                              ("\n".join(run_log).encode("cp1252"), ".UNINST.INF")):
                self.assertNotIn(look_alike, text, log)
        for look_alike in LOOK_ALIKES[:2]:
            self.assertNotIn(look_alike, copy_log)
        if code == 0:
            self.assertIn("summary: package Lumina Leuchten: installed in", self.log_text())

    def polish_package(self):
        """The medium's catalogue in UTF-16 with a package whose folder is "Łódź"."""
        packages = make_medium.PACKAGES[:1] + [("LOD", POLISH + " O\u015bwietlenie", POLISH, "", 1)]
        lines = []
        for name, keys in make_medium.catalogue(packages):
            lines += ["[%s]" % name] + ["%s=%s" % key for key in keys] + [""]
        data = os.path.join(self.medium.root, "data")
        with open(os.path.join(data, "ovkdata.inf"), "wb") as f:
            f.write("\r\n".join(lines).encode("utf-16"))  # with its byte-order mark
        for category in make_medium.CATEGORIES:
            os.makedirs(os.path.join(data, POLISH, category))
            with open(os.path.join(data, POLISH, category, "lod0." + category), "wb") as f:
                f.write(b"lod " + category.encode())
        os.makedirs(os.path.join(data, POLISH, "plg"))
        shutil.copyfile(RECORDER, os.path.join(data, POLISH, "plg", "install.exe"))

    def test_a_folder_name_an_8bit_administration_file_cannot_hold_is_not_installed(self):
        self.polish_package()
        self.machine.admin()
        self.assertEqual(self.quiet_run(), 1603)

        self.assertFalse(os.path.exists(os.path.join(LOCAL, POLISH)))
        admin = read_bytes(ADMIN_FILE)
        self.assertNotIn(b"[LOD]", admin)
        self.assertNotIn(b"Lodz", admin)
        self.assertNotIn(b"L\xf3dz", admin)
        # The other package goes in as ever.
        self.assertEqual(self.machine.records().get("LUM", "dirname"), "Lumina")
        text = self.log_text()
        self.assertIn("summary: package %s O\u015bwietlenie: failed: package %s O\u015bwietlenie: its folder name "
                      "\"%s\" cannot be written exactly into the 8-bit administration file" % (POLISH, POLISH, POLISH),
                      text)
        self.assertIn("summary: package Lumina Leuchten: installed in", text)
        self.assertNotIn("start \"" + windows_path(os.path.join(self.medium.root, "data", POLISH)), text)

    def test_a_utf16_administration_file_records_the_real_folder_name(self):
        self.polish_package()
        os.makedirs(DATA_FOLDER, exist_ok=True)
        with open(ADMIN_FILE, "wb") as f:
            f.write("[basepath]\r\npath=\r\n".encode("utf-16"))
        self.assertEqual(self.quiet_run(), 0, self.log_text())

        self.assertEqual(read_bytes(os.path.join(LOCAL, POLISH, "cad", "lod0.cad")), b"lod cad")
        admin = read_bytes(ADMIN_FILE).decode("utf-16")
        record = admin[admin.index("[LOD]"):]
        record = record[:record.find("\n[", 1) if "\n[" in record[1:] else len(record)]
        self.assertIn("dirname=" + POLISH + "\r\n", record)
        status = int(record.split("status=")[1].split("\r\n")[0])
        self.assertTrue(status & 2, record)
        self.assertIn("summary: package %s O\u015bwietlenie: installed in" % POLISH, self.log_text())


if __name__ == "__main__":
    unittest.main()

"""The administration file after a quiet run: what its user wrote in it stays.

A run writes the lines of the keys it changes and adds its records; every other
line stays byte for byte, and the file keeps what it carries (hidden attribute,
creation time). A linked one is not written at all (test_legitimate_and_hostile).
"""
import configparser
import os
import re
import subprocess
import unittest

from medium_case import MediumCase
from setup_run import ADMIN_FILE, DATA_FOLDER, windows_path
import make_medium

# As an administrator keeps it: comments, blank lines, blanks around "=" and in
# values, a line without "=", and the record of a package of another medium.
USER_PATH = "C:\\Orvek Daten"
ADMIN = ("; Verwaltet von der IT - bitte nicht l\xf6schen\r\n"
         "\r\n"
         "[basepath]\r\n"
         "path = " + USER_PATH + "\r\n"
         "\r\n"
         "; Land und Sprache\r\n"
         "[Land]\r\n"
         "  Country =  49  \r\n"
         "\r\n"
         "[manufacturers]\r\n"
         "OLD = OLD\r\n"
         "\r\n"
         "; von der DVD 2019\r\n"
         "[OLD]\r\n"
         "weird key=  spaced value  \r\n"
         "name = Alte Leuchten GmbH\r\n"
         "dirname=Alt\r\n"
         "version=1\r\n"
         "status=0\r\n"
         "eine Zeile ohne Gleichheitszeichen\r\n").encode("cp1252")
# The one line of the user's that the run writes: the data base path, which
# registration sets to the medium's and back.
WRITTEN = {b"path = " + USER_PATH.encode("cp1252")}


def wine(*args):
    return subprocess.run(["wine", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          check=True).stdout.decode("cp1252", errors="replace")


def is_hidden(path):
    # attrib shows the flags in the columns before the path: "A   H        C:\...".
    line = wine("attrib", windows_path(path)).strip()
    return "H" in line[:line.index(":") - 1]


def listed_time(path, which):
    """The time dir shows for the file: C creation, W last write (to the minute)."""
    folder, name = os.path.split(path)
    for line in wine("cmd", "/c", "dir", "/A", "/T:" + which, windows_path(folder)).splitlines():
        if line.rstrip().endswith(" " + name):
            return re.split(r"\s{2,}", line.strip())[:2]
    raise AssertionError(name + " not listed")


def is_subsequence(part, whole):
    rest = iter(whole)
    return all(any(line == other for other in rest) for line in part)


def records(data):
    parser = configparser.RawConfigParser(strict=False, allow_no_value=True)
    parser.optionxform = str
    parser.read_string(data.decode("cp1252"))
    return parser


class AdminFileAfterARun(MediumCase):
    admin_text = None  # each test writes its own

    def setUp(self):
        super().setUp()
        os.makedirs(DATA_FOLDER)

    def write_admin(self):
        with open(ADMIN_FILE, "wb") as f:
            f.write(ADMIN)

    def read_admin(self):
        with open(ADMIN_FILE, "rb") as f:
            return f.read()

    def assert_kept_and_recorded(self, after):
        before_lines = ADMIN.split(b"\r\n")
        after_lines = after.split(b"\r\n")
        untouched = [line for line in before_lines if line not in WRITTEN]
        self.assertTrue(is_subsequence(untouched, after_lines), after.decode("cp1252"))
        # Nothing of the user's is gone: the lines the run wrote are its keys and records.
        self.assertEqual(len(after_lines) - len(before_lines),
                         len([line for line in after_lines if line not in before_lines]) - len(WRITTEN))
        saved = records(after)
        self.assertEqual(saved.get("basepath", "path"), USER_PATH)
        self.assertEqual(saved.get("OLD", "weird key"), "spaced value")
        self.assertEqual(saved.get("manufacturers", "OLD"), "OLD")
        for pid, name, folder, _, _ in make_medium.PACKAGES:
            self.assertEqual(saved.get("manufacturers", pid), pid)
            self.assertEqual(saved.get(pid, "status"), str(0x1A), pid)
            self.assertEqual(saved.get(pid, "dirname"), folder, pid)

    def test_a_quiet_run_keeps_every_line_it_does_not_write_and_the_hidden_attribute(self):
        self.write_admin()
        wine("attrib", "+h", windows_path(ADMIN_FILE))
        self.assertTrue(is_hidden(ADMIN_FILE))

        self.assertEqual(self.medium.run("/Q"), 0)

        after = self.read_admin()
        self.assert_kept_and_recorded(after)
        # The records follow the untouched one, and the new packages follow its
        # line in the list, before the blank line and the comment of [OLD].
        self.assertIn(b"[manufacturers]\r\nOLD = OLD\r\nLUM=LUM\r\n", after)
        self.assertTrue(after.startswith(ADMIN[:ADMIN.index(b"path = ")]))
        self.assertTrue(is_hidden(ADMIN_FILE))

    def test_the_creation_time_stays(self):
        self.write_admin()
        # A write time years before the file was made tells the two times apart.
        os.utime(ADMIN_FILE, (1262347200, 1262347200))
        created = listed_time(ADMIN_FILE, "C")
        if created == listed_time(ADMIN_FILE, "W"):
            self.skipTest("this platform shows the last write time as the creation time")

        self.assertEqual(self.medium.run("/Q"), 0)

        self.assert_kept_and_recorded(self.read_admin())
        self.assertEqual(listed_time(ADMIN_FILE, "C"), created)


if __name__ == "__main__":
    unittest.main()

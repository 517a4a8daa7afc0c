"""Crafted media and hostile disks, quiet runs: a value of the medium never leads
outside its folder, nothing is written or deleted through a folder link below the
installation folder, no file of the user is overwritten by a temporary name, and
every such case ends with 1603 and a line in the setup log that says why."""
import glob
import os
import shutil
import struct
import subprocess
import time
import unittest

from medium_case import MediumCase
from setup_run import BUILD, DATA_FOLDER, DRIVE_C, drive_c_files, hold, read_bytes, tree, windows_path
import make_medium

IDOK = 1
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"


def write_bytes(path, data, mode="wb"):
    with open(path, mode) as f:
        f.write(data)


def pending_renames():
    return subprocess.run(["wine", "reg", "query", SESSION_MANAGER, "/v", "PendingFileRenameOperations"],
                          capture_output=True, text=True).stdout


def clear_pending_renames():
    subprocess.run(["wine", "reg", "delete", SESSION_MANAGER, "/v", "PendingFileRenameOperations", "/f"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class CraftedMedia(MediumCase):
    def setUp(self):
        super().setUp()
        self.victim = os.path.join(DRIVE_C, "victim_%d" % os.getpid())

    def tearDown(self):
        shutil.rmtree(self.victim, ignore_errors=True)
        # What a run that does not refuse would leave: C:\escape_...
        for path in glob.glob(os.path.join(DRIVE_C, "escape*_%d*" % os.getpid())):
            if os.path.isdir(path):
                shutil.rmtree(path)
            else:
                os.remove(path)

    def quiet_run(self, *args, answer=None):
        return self.medium.run("/Q", "/log", windows_path(self.log), *args, answer=answer)

    def data_script(self, sections):
        """The medium's data script with sections added to (or replacing) the sample's."""
        script = [("Install32", [("Ini", "orvek.ini"), ("DotNetFx", "0")]),
                  ("Ini32", [("ini", "1,install\\orvek.ini,obj,,,")]),
                  ("Files", [("readme", "1,install\\readme.txt,,,,")]),
                  ("FilesPriv", []),
                  ("CreateDir", [("dir1", "obj"), ("dir2", "local")])]
        names = [name for name, _ in sections]
        make_medium.write_ini(os.path.join(self.medium.install, "DataSetup.inf"),
                              [s for s in script if s[0] not in names] + sections)

    def test_values_leading_outside_their_folder_are_refused(self):
        up = "..\\..\\..\\escape_%d" % os.getpid()
        absolute = "C:\\escape_abs_%d" % os.getpid()
        source = "install\\readme.txt"
        cases = [
            ("subfolder", [("Files", [("up", "1,%s,%s,,," % (source, up)),
                                      ("abs", "1,%s,%s,,," % (source, absolute))])]),
            ("rename", [("Files", [("up", "1,%s,,%s.exe,," % (source, up)),
                                   ("abs", "1,%s,,%s.exe,," % (source, absolute))])]),
            ("CreateDir", [("CreateDir", [("up", up), ("abs", absolute)])]),
            ("CreateDirHalvue", [("CreateDirHalvue", [("up", up), ("abs", absolute)])]),
            ("CreateProgramDataDir", [("CreateProgramDataDir", [("up", up), ("abs", absolute)])]),
            ("WinSxS", [("WinSxS", [("up", "1,x86,%s,,," % up), ("abs", "1,x86,%s,,," % absolute)])]),
        ]
        for field, sections in cases:
            with self.subTest(field=field):
                shutil.rmtree(DATA_FOLDER)
                self.machine.admin()
                self.data_script(sections)
                before = drive_c_files()
                self.assertEqual(self.quiet_run(), 1603)
                self.assertEqual(sorted(drive_c_files() - before), [])
                text = self.log_text()
                section = sections[0][0]
                for key in ("up", "abs"):
                    self.assertIn("refused: entry %s in section [%s] " % (key, section), text)
                # The rest of the medium still goes in.
                self.assertTrue(os.path.isfile(os.path.join(DATA_FOLDER, "local", "Lumina", "cad", "lum0.cad")))
                self.assertTrue(text.rstrip().endswith("exit code 1603"))

    def make_victim(self):
        for relative, body in (("cad\\victim.cad", b"the victim's drawing"), ("dtb\\victim.db", b"the victim's data")):
            path = os.path.join(self.victim, *relative.split("\\"))
            os.makedirs(os.path.dirname(path), exist_ok=True)
            write_bytes(path, body)

    def test_nothing_is_written_or_deleted_through_a_folder_link(self):
        local = os.path.join(DATA_FOLDER, "local")
        cases = [("package folder", os.path.join(local, "Lumina"), self.victim),
                 ("category folder", os.path.join(local, "Lumina", "cad"), os.path.join(self.victim, "cad"))]
        for what, link, target in cases:
            for args, answer in ((("/Q", "/log", windows_path(self.log)), None),
                                 (("/S", "/L:7", "/log", windows_path(self.log)), IDOK)):  # "Ja" to every question
                with self.subTest(link=what, run=args[0]):
                    shutil.rmtree(DATA_FOLDER)
                    shutil.rmtree(self.victim, ignore_errors=True)
                    self.machine.admin()
                    self.make_victim()
                    os.makedirs(os.path.dirname(link), exist_ok=True)
                    os.symlink(target, link)
                    # Old data there (through the link, or beside it), so the replace question would come.
                    os.makedirs(os.path.join(local, "Lumina", "dtb"), exist_ok=True)
                    write_bytes(os.path.join(local, "Lumina", "dtb", "old.db"), b"", "ab")
                    before = tree(self.victim)

                    self.assertEqual(self.medium.run(*args, answer=answer), 1603)

                    self.assertEqual(tree(self.victim), before)
                    text = self.log_text()
                    self.assertIn("refused: The package Lumina Leuchten: the folder %s is a folder link"
                                  % windows_path(link), text)
                    records = self.machine.records()
                    self.assertNotEqual(records.get("LUM", "status"), str(0x1A))  # not recorded as installed
                    self.assertEqual(records.get("LUM", "localpath"), "")
                    # The other packages go in as usual.
                    self.assertTrue(os.path.isfile(os.path.join(local, "Helios", "cad", "hel0.cad")))
                    if answer is not None:
                        self.assertTrue(any(windows_path(link) in box for _, box in self.medium.boxes))

    def test_a_temporary_name_never_overwrites_a_file_of_the_user(self):
        self.assertEqual(self.quiet_run(), 0)
        readme = os.path.join(DATA_FOLDER, "readme.txt")
        users = os.path.join(DATA_FOLDER, "readme.000")
        write_bytes(users, b"the user's own notes")
        source = os.path.join(self.medium.install, "readme.txt")
        write_bytes(source, b"a newer line\r\n", "ab")
        os.utime(source, (time.time() + 3600, time.time() + 3600))
        holder = hold(readme)
        try:
            self.assertEqual(self.quiet_run(), 3010)
        finally:
            write_bytes(readme + ".release", b"")
            holder.wait(timeout=30)
            os.remove(readme + ".release")
        try:
            self.assertEqual(read_bytes(users), b"the user's own notes")
            self.assertEqual(read_bytes(os.path.join(DATA_FOLDER, "readme.001")), read_bytes(source))
            pending = pending_renames()
            self.assertIn("readme.001", pending)
            self.assertNotIn("readme.000", pending)
        finally:
            clear_pending_renames()

    def test_a_folder_in_place_of_a_file_is_1603_and_nothing_is_scheduled(self):
        clear_pending_renames()
        readme = os.path.join(DATA_FOLDER, "readme.txt")
        os.makedirs(readme)
        self.assertEqual(self.quiet_run(), 1603)
        self.assertTrue(os.path.isdir(readme))
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "readme.000")))
        self.assertNotIn("readme", pending_renames())
        self.assertIn("not installed: " + windows_path(readme), self.log_text())

    def test_a_version_resource_that_lies_is_unreadable_not_a_crash(self):
        """A .dll whose version resource lies about its size or place, on the medium or in
        the installation folder: its version is unreadable, the dates decide, the run ends
        with its summary and exit code."""
        def crafted(name, field, value, cut=False):
            data = bytearray(read_bytes(os.path.join(BUILD, "tests", "versiondlls", name)))
            block = data.find("VS_VERSION_INFO".encode("utf-16-le")) - 6
            root = data.find(struct.pack("<II", 16, 0x80000018)) - 16
            entry = next(at for at in range(root, block, 4)
                         if struct.unpack_from("<I", data, at + 4)[0] == struct.unpack_from("<H", data, block)[0])
            struct.pack_into("<I", data, entry + field, value)
            return bytes(data[:block + 40] if cut else data)

        good = read_bytes(os.path.join(BUILD, "tests", "versiondlls", "ver2001.dll"))
        unread_src = "Failed to get version information on src.\r\n\t\tComparsion are defaulting to file date"
        unread_dst = "Dst exist\r\n\t\tDst exist\r\n\t\tComparsion are defaulting to file date"
        cases = [("installed file ends 40 bytes into its 16 KB block", good,
                  crafted("ver2003.dll", 4, 16384, cut=True), unread_dst),
                 ("medium's resource data outside the file", crafted("ver2003.dll", 0, 0x7FFFF000), good, unread_src),
                 ("medium's resource claims 0x7FFFFFF0 bytes", crafted("ver2003.dll", 4, 0x7FFFFFF0), good, unread_src)]
        self.data_script([("Files", [("readme", "1,install\\readme.txt,,,,"), ("lib", "1,install\\lib.dll,,,,")])])
        installed = os.path.join(DATA_FOLDER, "lib.dll")
        for what, source, destination, lines in cases:
            with self.subTest(what):
                shutil.rmtree(DATA_FOLDER)
                self.machine.admin()
                write_bytes(os.path.join(self.medium.install, "lib.dll"), source)
                write_bytes(installed, destination)
                self.assertEqual(self.quiet_run(), 0)
                text = self.log_text()
                self.assertIn("summary: exit code 0", text)
                self.assertTrue(text.rstrip().endswith("exit code 0"), text[-300:])
                self.assertEqual(read_bytes(installed), source)
                self.assertIn(lines, read_bytes(os.path.join(DATA_FOLDER, "update.log")).decode("cp1252"))

    def test_a_file_the_run_reads_that_is_there_but_unreadable_ends_with_1603(self):
        # A named pipe stands for a denied read or a scratched disc: the system
        # finds something there and cannot read it. Only a missing file is missing.
        def pipe(path):
            os.remove(path) if os.path.exists(path) else None
            os.mkfifo(path)

        def garbage(path):
            write_bytes(path, b"MZ this is no library")

        cases = [("the package catalogue", os.path.join(self.medium.root, "data", "ovkdata.inf"), pipe, ()),
                 ("the data script", os.path.join(self.medium.install, "DataSetup.inf"), pipe, ()),
                 ("the setup script", os.path.join(self.medium.install, "setup.inf"), pipe, ()),
                 ("the language library", os.path.join(self.medium.install, "res_09.dll"), pipe, ("/L:9",)),
                 ("the language library", os.path.join(self.medium.install, "res_09.dll"), garbage, ("/L:9",))]
        for what, path, spoil, args in cases:
            with self.subTest(what=what, how=spoil.__name__):
                kept = read_bytes(path)
                spoil(path)
                try:
                    self.assertEqual(self.quiet_run(*args), 1603)
                finally:
                    os.remove(path)
                    write_bytes(path, kept)
                text = self.log_text()
                self.assertIn("the run ends: %s %s cannot be read" % (what, windows_path(path)), text)
                self.assertTrue(text.rstrip().endswith("exit code 1603"))
                os.remove(self.log)
        # Missing, the same files are what they always were: the run goes on without them.
        os.remove(os.path.join(self.medium.root, "data", "ovkdata.inf"))
        os.remove(os.path.join(self.medium.install, "res_09.dll"))
        self.assertEqual(self.quiet_run("/L:9"), 0)
        self.assertIn("no package catalogue", self.log_text())

    def test_a_file_whose_folder_cannot_be_made_is_named_in_the_summary(self):
        # A file named docs stands where the folder docs is to be made.
        self.data_script([("Files", [("readme", "1,install\\readme.txt,,,,"), ("doc", "1,install\\readme.txt,docs,,,")]),
                          ("CreateDir", [("dir1", "obj"), ("dir2", "local"), ("dir3", "docs")])])
        os.makedirs(DATA_FOLDER, exist_ok=True)
        write_bytes(os.path.join(DATA_FOLDER, "docs"), b"in the way")
        self.assertEqual(self.quiet_run(), 1603)
        text = self.log_text()
        self.assertIn("refused: the folder %s could not be made" % windows_path(os.path.join(DATA_FOLDER, "docs")), text)
        self.assertIn("summary: file not installed: " + windows_path(os.path.join(DATA_FOLDER, "docs", "readme.txt")),
                      text)
        self.assertEqual(read_bytes(os.path.join(DATA_FOLDER, "docs")), b"in the way")


if __name__ == "__main__":
    unittest.main()

"""Registration end to end: a package is recorded and its installer started only
when it is really there, each installer comes from the package's own folder on
the medium, and the user's data base path survives a stopped run."""
import os
import shutil
import subprocess
import unittest

from medium_case import MediumCase
from setup_run import ADMIN_FILE, BUILD, DATA_FOLDER, command_lines, wait_for, \
    wait_for_programs_from, windows_path
import make_medium

INSTALLER = os.path.join(BUILD, "companions", "install.exe")
KEPT_PATH = ADMIN_FILE + ".userpath"
IDOK = 1
USERS_PATH = r"C:\Users\Planer\Lichtdaten"


class Registration(MediumCase):
    admin_text = "[basepath]\r\npath=" + USERS_PATH + "\r\n"
    with_medium = False  # each test makes its own

    def make(self, packages=make_medium.PACKAGES):
        self.new_medium(packages=packages)

    def run_setup(self, *args):
        """A silent run whose user agrees to replace old data (a quiet run keeps it)."""
        return self.medium.run(*(args or ("/S",)), "/log", windows_path(self.log), answer=IDOK)

    def data(self, *parts):
        return os.path.join(self.medium.root, "data", *parts)

    def installer_folders(self):
        return [r["cwd"] for r in self.medium.records() if r.get("arg0", "").lower().endswith("install.exe")]

    def test_a_missing_package_folder_and_a_plugin_outside_its_plg_folder_are_1603(self):
        self.make(make_medium.PACKAGES + [("MIS", "Missing Maker", "Missing", "", 1)])
        shutil.rmtree(self.data("Missing"))
        with open(self.data("ovkdata.inf"), "rb") as f:
            catalogue = f.read().replace(b"plugin=install.exe", b"plugin=..\\..\\..\\evil.exe", 1)  # Lumina's
        with open(self.data("ovkdata.inf"), "wb") as f:
            f.write(catalogue)
        shutil.copyfile(self.data("Helios", "plg", "install.exe"), os.path.join(self.medium.root, "evil.exe"))

        self.assertEqual(self.run_setup("/Q"), 1603)
        records = self.machine.records()
        self.assertEqual(records.get("MIS", "status"), "72")  # as the merge added it: not installed
        self.assertEqual(records.get("MIS", "localpath", fallback=""), "")
        # Its files went in, but its installer was not started: not recorded as installed.
        self.assertEqual(int(records.get("LUM", "status")) & 2, 0)
        self.assertEqual([r for r in self.medium.records() if "evil" in r.get("arg0", "")], [])
        self.assertEqual(self.installer_folders(),
                         [windows_path(self.data(p, "plg")) for p in ("Helios", "Nordlicht", "Sol")])
        text = self.log_text()
        self.assertIn("refused: package Missing Maker: its folder " + windows_path(self.data("Missing")) +
                      " is not on the medium: not installed", text)
        self.assertIn("refused: package Lumina Leuchten: its installer \"..\\..\\..\\evil.exe\" lies outside", text)
        self.assertEqual(records.get("basepath", "path"), USERS_PATH)

    def test_an_installer_that_cannot_be_started_leaves_its_package_unrecorded(self):
        self.make()
        # Helios names an installer that is not there.
        with open(self.data("ovkdata.inf"), "rb") as f:
            catalogue = f.read()
        at = catalogue.index(b"[HEL]")
        catalogue = catalogue[:at] + catalogue[at:].replace(b"plugin=install.exe", b"plugin=gone.exe", 1)
        with open(self.data("ovkdata.inf"), "wb") as f:
            f.write(catalogue)

        self.assertEqual(self.run_setup("/Q"), 1603)

        records = self.machine.records()
        self.assertEqual(records.get("LUM", "status"), "26", self.log_text())
        self.assertEqual(int(records.get("HEL", "status")) & 2, 0)  # its installer never ran: not recorded
        self.assertEqual(self.installer_folders(), [windows_path(self.data(p, "plg")) for p in ("Lumina", "Nordlicht", "Sol")])
        text = self.log_text()
        self.assertIn("refused: package installer of Helios Licht could not be started: ", text)
        self.assertIn("summary: package Helios Licht: failed: package installer of Helios Licht could not be started",
                      text)

    def test_installers_run_from_the_medium_folder_on_every_run_of_the_same_dvd(self):
        self.make()
        with open(os.path.join(self.medium.install, "DataSetup.inf"), "ab") as script:
            script.write(b"[DTBPath]\r\nLumina=LuminaDaten\r\n")
        self.assertEqual(self.run_setup(), 0)
        self.assertTrue(os.path.isfile(os.path.join(DATA_FOLDER, "local", "LuminaDaten", "cad", "lum0.cad")))
        self.assertEqual(self.machine.records().get("LUM", "dirname"), "LuminaDaten")
        first = self.installer_folders()
        self.assertEqual(first, [windows_path(self.data(p[2], "plg")) for p in make_medium.PACKAGES])
        program = windows_path(self.data("Lumina", "plg", "install.exe"))
        self.assertIn("package installer of Lumina Leuchten: start \"" + program + "\" in ", self.log_text())
        self.assertIn("package installer of Lumina Leuchten ended with exit code 0 after ", self.log_text())

        self.assertEqual(self.run_setup(), 0)
        self.assertEqual(self.installer_folders(), first + first)

    def test_a_run_stopped_during_a_package_installer_loses_not_the_users_data_base_path(self):
        self.make()
        plg = self.data("Lumina", "plg")
        shutil.copyfile(INSTALLER, os.path.join(plg, "install.exe"))
        release = os.path.join(self.medium.base, "release")
        environment = dict(os.environ, RECORDER_LOG=windows_path(self.medium.log),
                           PACKAGE_INSTALLER_WAIT_FOR=windows_path(release))
        environment.pop("SETUP_HOLD_MS", None)
        first = subprocess.Popen(["wine", self.medium.setup_exe(), "/Q"], env=environment,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            needle = windows_path(os.path.join(plg, "install.exe")).lower()
            wait_for(lambda: first.poll() is not None or any(needle in line for line in command_lines()),
                     "the package installer to start", 120, seen=lambda: "setup.exe still runs")
            self.assertIsNone(first.poll(), "setup.exe ended (exit code %s) before the package installer ran" %
                              first.returncode)
            # The installer sees the medium's data folder; the user's path is kept beside.
            self.assertEqual(self.machine.records().get("basepath", "path"), windows_path(self.data()))
            self.assertTrue(os.path.isfile(KEPT_PATH))
            subprocess.run(["wine", "taskkill", "/f", "/im", "setup.exe"], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            first.wait(timeout=60)
        finally:
            with open(release, "w"):
                pass
            if first.poll() is None:
                first.kill()
        wait_for_programs_from(windows_path(self.medium.root), 60)
        self.assertEqual(self.machine.records().get("basepath", "path"), windows_path(self.data()))

        # A quiet run again, told to replace the old data the stopped run left: every
        # package goes in, and the user's path is put back all the same.
        self.assertEqual(self.run_setup("/Q", "/R"), 0)
        self.assertEqual(self.machine.records().get("basepath", "path"), USERS_PATH)
        self.assertFalse(os.path.exists(KEPT_PATH))
        self.assertIn("the data base path " + USERS_PATH + ", kept by a run that did not end, is put back",
                      self.log_text())


if __name__ == "__main__":
    unittest.main()

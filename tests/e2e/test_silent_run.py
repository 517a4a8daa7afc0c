"""The silent install end to end: what an administrator finds afterwards."""
import os
import unittest

from medium_case import MediumCase
from setup_run import DATA_FOLDER, lines, windows_path
import make_medium

LOCAL = os.path.join(DATA_FOLDER, "local")
INSTALL_DIR = windows_path(DATA_FOLDER)


class SilentRun(MediumCase):
    def test_installs_records_and_runs_every_package(self):
        self.assertEqual(self.medium.run("/S"), 0)

        for pid, _, folder, _, count in make_medium.PACKAGES:
            for category in make_medium.CATEGORIES:
                for n in range(count):
                    self.assertTrue(os.path.isfile(os.path.join(LOCAL, folder, category, f"{pid.lower()}{n}.{category}")))
            package_log = lines(os.path.join(LOCAL, folder, "_uninst.inf"))
            self.assertEqual(package_log[0], "dir " + INSTALL_DIR + "\\local\\" + folder)
            self.assertIn("file 0 0 " + INSTALL_DIR + "\\local\\" + folder + "\\cad\\" + pid.lower() + "0.cad",
                          package_log)

        run_log = lines(os.path.join(DATA_FOLDER, ".UNINST.INF"))
        self.assertEqual(run_log[0], "ORVEK V3.5")
        self.assertIn("file 0 0 " + INSTALL_DIR + "\\update.log", run_log)
        self.assertIn("file 0 0 " + INSTALL_DIR + "\\local\\Lumina\\_uninst.inf", run_log)
        self.assertIn("file 0 0 " + INSTALL_DIR + "\\readme.txt", run_log)
        self.assertTrue(os.path.getsize(os.path.join(DATA_FOLDER, "update.log")) > 0)

        records = self.machine.records()
        for pid, name, folder, _, _ in make_medium.PACKAGES:
            self.assertEqual(records.get(pid, "status"), str(0x1A), pid)
            self.assertEqual(records.get(pid, "localpath"), INSTALL_DIR + "\\local", pid)
            self.assertEqual(records.get(pid, "dirname"), folder, pid)
            self.assertEqual(records.get(pid, "name"), name, pid)

        starts = self.medium.records()
        data = windows_path(os.path.join(self.medium.root, "data"))
        installers = [s for s in starts if s.get("arg0", "").endswith("install.exe")]
        self.assertEqual([s["arg0"] for s in installers],
                         [data + "\\" + p[2] + "\\plg\\install.exe" for p in make_medium.PACKAGES])
        self.assertEqual([s["cwd"].rstrip("\\") for s in installers],
                         [data + "\\" + p[2] + "\\plg" for p in make_medium.PACKAGES])
        follow_up = starts[-1]
        setup_folder = windows_path(self.medium.install) + "\\"
        self.assertEqual(follow_up["arg0"], setup_folder + "PostSetup.exe")
        self.assertEqual(follow_up["argc"], "2")
        self.assertEqual(follow_up["arg1"].rstrip("\\"), setup_folder.rstrip("\\"))

    def test_a_second_run_keeps_what_the_first_did(self):
        # With a setup log, so that a run that fails says why.
        log = os.path.join(self.medium.base, "setup.log")
        self.assertEqual(self.medium.run("/S", "/log", windows_path(log)), 0)
        first_log = lines(os.path.join(DATA_FOLDER, ".UNINST.INF"))
        # The old data is there now: a silent run asks once per package; the user says yes.
        self.assertEqual(self.medium.run("/S", "/L:7", "/log", windows_path(log), answer=1), 0,
                         open(log, encoding="utf-8").read())
        self.assertEqual([caption for caption, _ in self.medium.boxes], ["Produktdaten aktualisieren"] * 4)
        self.assertIn("\"Lumina Leuchten\" aktualisieren und die bestehenden Daten löschen?", self.medium.boxes[0][1])
        run_log = lines(os.path.join(DATA_FOLDER, ".UNINST.INF"))
        self.assertEqual(run_log[:len(first_log) - 1], first_log[:-1])  # appended, never rewritten
        self.assertEqual(run_log.count("ORVEK V3.5"), 1)
        self.assertTrue(os.path.isfile(os.path.join(LOCAL, "Lumina", "cad", "lum0.cad")))
        records = self.machine.records()
        self.assertEqual(records.get("LUM", "status"), str(0x1A))
        self.assertEqual(len([s for s in self.medium.records() if s.get("arg0", "").endswith("PostSetup.exe")]), 2)


if __name__ == "__main__":
    unittest.main()

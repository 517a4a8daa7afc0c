"""Unattended deployment: the exit code tells the outcome, a quiet run shows no
box and logs every message with the answer taken, one run at a time."""
import os
import subprocess
import time
import unittest

from medium_case import MediumCase
from setup_run import ADMIN_FILE, BOXREADER, DATA_FOLDER, hold, wait_for, windows_path

IDOK = 1


class Unattended(MediumCase):
    admin_text = None  # each test writes its own, or none

    def test_installed_is_0_and_the_log_tells_the_steps(self):
        self.machine.admin()
        self.assertEqual(self.medium.run("/Q", "/log", windows_path(self.log), answer=IDOK), 0)
        self.assertEqual(self.medium.boxes, [])
        text = self.log_text()
        self.assertIn("start: ", text)
        self.assertIn("package Lumina Leuchten: to be installed in ", text)
        self.assertIn("every file copied", text)
        self.assertIn("packages recorded in the administration file", text)
        self.assertTrue(text.rstrip().endswith("exit code 0"))

    def test_an_administration_file_that_cannot_be_written_is_1603_and_kept(self):
        self.machine.admin()
        before = open(ADMIN_FILE, "rb").read()
        os.chmod(ADMIN_FILE, 0o444)  # Wine shows it read-only
        try:
            self.assertEqual(self.medium.run("/Q", "/log", windows_path(self.log), answer=IDOK), 1603)
        finally:
            os.chmod(ADMIN_FILE, 0o644)
        self.assertEqual(open(ADMIN_FILE, "rb").read(), before)
        self.assertIn("the packages could not be recorded", self.log_text())
        self.assertTrue(self.log_text().rstrip().endswith("exit code 1603"))

    def test_no_administration_file_is_1603_without_a_box(self):
        self.machine.no_admin()
        os.remove(os.path.join(self.medium.install, "readme.txt"))  # and string 14 on the way
        self.assertEqual(self.medium.run("/Q", "/L:7", "/log", windows_path(self.log), answer=IDOK), 1603)
        self.assertEqual(self.medium.boxes, [])
        text = self.log_text()
        self.assertIn("message: Keine Orvek-Installation gefunden. | Bitte installieren Sie zuerst OrvekDesktop. -> OK",
                      text)
        self.assertIn("konnte nicht gefunden werden. -> Ignore", text)
        self.assertIn("the run ends: no administration file on this machine", text)
        self.assertEqual(len([s for s in self.medium.records() if s["arg0"].endswith("PostSetup.exe")]), 1)

    def test_old_data_is_kept_in_a_quiet_run_and_the_others_install(self):
        self.machine.admin()
        old = os.path.join(DATA_FOLDER, "local", "Helios", "cad", "mine.cad")
        os.makedirs(os.path.dirname(old))
        open(old, "w").write("the user's own drawing")
        # Helios was asked for and is not installed: the rollout is not done.
        self.assertEqual(self.medium.run("/Q", "/log", windows_path(self.log), answer=IDOK), 1603)
        self.assertEqual(open(old).read(), "the user's own drawing")
        self.assertIn("summary: package Helios Licht: not installed: its old data in ", self.log_text())
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "local", "Helios", "cad", "hel0.cad")))
        self.assertTrue(os.path.exists(os.path.join(DATA_FOLDER, "local", "Lumina", "cad", "lum0.cad")))
        self.assertIn("replace the old data of Helios Licht in ", self.log_text())
        self.assertIn("-> No (the old data is kept, the package is not installed)", self.log_text())

    def test_a_file_in_use_is_replaced_at_restart_with_3010(self):
        self.machine.admin()
        self.assertEqual(self.medium.run("/S"), 0)
        held = os.path.join(DATA_FOLDER, "local", "Lumina", "cad", "lum0.cad")
        # A newer medium: the held file differs and is newer.
        source = os.path.join(self.medium.root, "data", "Lumina", "cad", "lum0.cad")
        open(source, "ab").write(b"new rows\r\n")
        os.utime(source, (time.time() + 3600, time.time() + 3600))
        holder = hold(held)
        try:
            # The user agrees to replace the old data; the held file cannot go and is replaced at restart.
            self.assertEqual(self.medium.run("/S", "/log", windows_path(self.log), answer=IDOK), 3010)
        finally:
            open(held + ".release", "w").close()
            holder.wait(timeout=30)
        log = open(os.path.join(DATA_FOLDER, "update.log"), "rb").read().decode("cp1252")
        self.assertIn("NT: MoveFileEx() OK", log)
        pending = subprocess.run(["wine", "reg", "query", r"HKLM\System\CurrentControlSet\Control\Session Manager",
                                  "/v", "PendingFileRenameOperations"], capture_output=True, text=True).stdout
        self.assertIn("lum0.000", pending)
        subprocess.run(["wine", "reg", "delete", r"HKLM\System\CurrentControlSet\Control\Session Manager", "/v",
                        "PendingFileRenameOperations", "/f"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def test_a_second_run_meanwhile_ends_with_1618(self):
        self.machine.no_admin()
        # The first run waits at its message box (a silent run still shows boxes).
        first = subprocess.Popen(["wine", self.medium.setup_exe(), "/S"],
                                 env=dict(os.environ, RECORDER_LOG=windows_path(self.medium.log)))
        try:
            # Its box is up once it holds the lock; the box is read, not answered (button 0).
            seen = os.path.join(self.medium.base, "first-box.txt")
            watcher = subprocess.Popen(["wine", BOXREADER, windows_path(seen), "0", "120000"])
            try:
                wait_for(lambda: os.path.exists(seen) or first.poll() is not None, "the first run's box", 120)
            finally:
                open(seen + ".stop", "w").close()
                watcher.wait(timeout=30)
            self.assertIsNone(first.poll(), "the first run ended before its box")
            self.assertEqual(self.medium.run("/Q", "/log", windows_path(self.log)), 1618)
            self.assertIn("exit code 1618", self.log_text())
        finally:
            # The user answers the first run's box; it then ends as usual.
            boxes = os.path.join(self.medium.base, "first-boxes.txt")
            reader = subprocess.Popen(["wine", BOXREADER, windows_path(boxes), str(IDOK), "60000"])
            first.wait(timeout=90)
            open(boxes + ".stop", "w").close()
            reader.wait(timeout=30)


if __name__ == "__main__":
    unittest.main()

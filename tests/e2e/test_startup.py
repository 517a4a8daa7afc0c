"""Start-up and the source, grouped by outcome: a setup log aimed at the
program's own files, a log that cannot be opened, the one-run guard held by
something else, and a medium whose source or catalogue offers nothing."""
import os
import subprocess
import time
import unittest

from setup_run import ADMIN_FILE, BUILD, DATA_FOLDER, Machine, Medium, windows_path

HOLDER = os.path.join(BUILD, "tests", "support", "holder", "holder.exe")
UNINSTALL_LOG = os.path.join(DATA_FOLDER, ".UNINST.INF")
INSTALLED = os.path.join(DATA_FOLDER, "local", "Lumina", "cad", "lum0.cad")


def wait_for(condition, what, timeout=60):
    deadline = time.time() + timeout
    while not condition():
        if time.time() > deadline:
            raise AssertionError("waited in vain for " + what)
        time.sleep(0.05)


def set_source_path(medium, value):
    path = os.path.join(medium.install, "setup.inf")
    text = open(path, encoding="cp1252").read().replace("SourcePath=\n", "SourcePath=" + value + "\n")
    open(path, "w", encoding="cp1252", newline="").write(text)


class StartupRun(unittest.TestCase):
    """A quiet run whose temporary folder (where the fallback log goes) is its own."""

    def setUp(self):
        self.machine = Machine()
        self.machine.admin()
        self.medium = Medium()
        self.temp = os.path.join(self.medium.base, "temp")
        os.makedirs(self.temp)
        self.fallback = os.path.join(self.temp, "orvek-setup.log")

    def tearDown(self):
        self.medium.close()
        self.machine.restore()

    def quiet(self, *args):
        temp = windows_path(self.temp)
        return self.medium.run("/Q", *args, env={"TEMP": temp, "TMP": temp})

    def fallback_text(self):
        return open(self.fallback, encoding="utf-8").read()


class RefusedLog(StartupRun):
    """/log aimed at the program's own files: refused before anything changes, 1603."""

    def test_the_administration_file_and_the_uninstall_log_stay_as_they_were(self):
        with open(UNINSTALL_LOG, "wb") as f:
            f.write(b"ORVEK V3.5\ndir: C:\\kept\n")
        admin = open(ADMIN_FILE, "rb").read()
        uninstall = open(UNINSTALL_LOG, "rb").read()
        # Spelt as the system reads it too: another case, "/" for "\".
        for target, what in ((windows_path(ADMIN_FILE).upper().replace("\\", "/"), "the administration file"),
                             (windows_path(UNINSTALL_LOG), "named like an uninstall log of the run")):
            with self.subTest(target=target):
                self.assertEqual(self.quiet("/log", target), 1603)
                self.assertEqual(open(ADMIN_FILE, "rb").read(), admin)
                self.assertEqual(open(UNINSTALL_LOG, "rb").read(), uninstall)
                self.assertFalse(os.path.exists(INSTALLED))
                text = self.fallback_text()
                self.assertIn("the setup log " + target + " is refused: it is " + what, text)
                self.assertTrue(text.rstrip().endswith("exit code 1603"))
                os.remove(self.fallback)


class FallbackLog(StartupRun):
    """A /log that cannot be opened: the run logs to the fallback, which says why first."""

    def test_a_folder_as_the_log(self):
        self.assertEqual(self.quiet("/log", windows_path(self.medium.base)), 0)
        lines = self.fallback_text().splitlines()
        self.assertIn("the setup log " + windows_path(self.medium.base) + " cannot be written (", lines[0])
        self.assertIn("start: ", lines[1])
        self.assertTrue(lines[-1].endswith("exit code 0"))


class AnotherRun(StartupRun):
    """Whatever holds the guard's name keeps the run out: 1618, told in the run's language."""

    def test_an_event_named_like_the_guard(self):
        marker = os.path.join(self.medium.base, "guard")
        holder = subprocess.Popen(["wine", HOLDER, windows_path(marker), "120000",
                                   "event=Global\\OrvekDataSetupRun"])
        try:
            wait_for(lambda: os.path.exists(marker + ".held"), "the holder's event")
            self.assertEqual(self.quiet("/L:9", "/log", windows_path(os.path.join(self.temp, "run.log"))), 1618)
        finally:
            open(marker + ".release", "w").close()
            holder.wait(timeout=30)
        text = open(os.path.join(self.temp, "run.log"), encoding="utf-8").read()
        self.assertIn("message: Another installation is already running. -> OK", text)
        self.assertTrue(text.rstrip().endswith("exit code 1618"))
        self.assertFalse(os.path.exists(INSTALLED))


class NoUsableSource(StartupRun):
    """A source that is not there or a catalogue that offers nothing: 1603 and a log line."""

    def test_a_source_folder_that_is_not_there(self):
        set_source_path(self.medium, windows_path(os.path.join(self.medium.base, "nowhere")) + "\\")
        self.assertEqual(self.quiet(), 1603)
        self.assertIn("the run ends: no installation source: ", self.fallback_text())
        self.assertIn("Legen Sie die Original-DVD ein", self.fallback_text())

    def test_a_catalogue_that_offers_no_package(self):
        catalogue = os.path.join(self.medium.root, "data", "ovkdata.inf")
        admin = open(ADMIN_FILE, "rb").read()
        cases = ((b"\x89PNG\r\n\x1a\n\x00\xff garbage \x00\x01", "offers no package"),
                 ("[manufacturers]\r\nLUM=1\r\n".encode("utf-16-le"), "offers no package"),
                 (b"", "is empty"))
        for content, told in cases:
            with self.subTest(content=content[:12]):
                open(catalogue, "wb").write(content)
                self.assertEqual(self.quiet(), 1603)
                self.assertIn("the run ends: the package catalogue " + windows_path(catalogue) + " " + told,
                              self.fallback_text())
                self.assertEqual(open(ADMIN_FILE, "rb").read(), admin)
                self.assertFalse(os.path.exists(INSTALLED))
                os.remove(self.fallback)


class RelativeSource(StartupRun):
    """A relative SourcePath is taken from the setup folder, wherever the run is started."""

    def test_run_from_another_current_folder(self):
        set_source_path(self.medium, "..")  # from the current folder it would name the temporary folder's parent
        here = os.getcwd()
        os.chdir(self.temp)
        try:
            self.assertEqual(self.quiet(), 0)
        finally:
            os.chdir(here)
        self.assertTrue(os.path.exists(INSTALLED))
        self.assertIn("source " + windows_path(self.medium.root), self.fallback_text())


if __name__ == "__main__":
    unittest.main()

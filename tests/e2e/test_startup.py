"""Start-up and the source, grouped by outcome: a setup log aimed at the
program's own files, a log that cannot be opened, the one-run guard held by
something else, and a medium whose source or catalogue offers nothing."""
import os
import subprocess
import unittest

from medium_case import MediumCase
from setup_run import ADMIN_FILE, BUILD, DATA_FOLDER, fallback_log, wait_for, windows_path

HOLDER = os.path.join(BUILD, "tests", "support", "holder", "holder.exe")
UNINSTALL_LOG = os.path.join(DATA_FOLDER, ".UNINST.INF")
INSTALLED = os.path.join(DATA_FOLDER, "local", "Lumina", "cad", "lum0.cad")


def read(path, mode="rb"):
    with open(path, mode) as f:
        return f.read()


def set_source_path(medium, value):
    path = os.path.join(medium.install, "setup.inf")
    text = read(path).replace(b"SourcePath=\r\n", ("SourcePath=" + value + "\r\n").encode("cp1252"))
    with open(path, "wb") as f:
        f.write(text)


class StartupRun(MediumCase):
    """Quiet runs; fallback_text() is what the last one wrote to the fallback log."""

    def setUp(self):
        super().setUp()
        self.temp = os.path.join(self.medium.base, "temp")
        os.makedirs(self.temp)
        self.fallback = fallback_log()
        self.kept = 0

    def quiet(self, *args):
        self.kept = os.path.getsize(self.fallback) if os.path.exists(self.fallback) else 0
        return self.medium.run("/Q", *args)

    def fallback_text(self):
        with open(self.fallback, "rb") as f:
            f.seek(self.kept)
            return f.read().decode("utf-8")


class RefusedLog(StartupRun):
    """/log aimed at the program's own files: refused before anything changes, 1603."""

    def test_the_administration_file_and_the_uninstall_log_stay_as_they_were(self):
        with open(UNINSTALL_LOG, "wb") as f:
            f.write(b"ORVEK V3.5\ndir: C:\\kept\n")
        admin = read(ADMIN_FILE)
        uninstall = read(UNINSTALL_LOG)
        # Spelt as the system reads it too: another case, "/" for "\".
        for target, what in ((windows_path(ADMIN_FILE).upper().replace("\\", "/"), "the administration file"),
                             (windows_path(UNINSTALL_LOG), "named like an uninstall log of the run"),
                             # A package's, by its name, though its folder is not there yet.
                             (windows_path(os.path.join(os.path.dirname(os.path.dirname(INSTALLED)), "_Uninst.INF")),
                              "named like an uninstall log of the run")):
            with self.subTest(target=target):
                self.assertEqual(self.quiet("/log", target), 1603)
                self.assertEqual(read(ADMIN_FILE), admin)
                self.assertEqual(read(UNINSTALL_LOG), uninstall)
                self.assertFalse(os.path.exists(INSTALLED))
                text = self.fallback_text()
                self.assertIn("the setup log " + target + " is refused: it is " + what, text)
                self.assertTrue(text.rstrip().endswith("exit code 1603"))


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
        text = read(os.path.join(self.temp, "run.log")).decode("utf-8")
        self.assertIn("message: Another installation is already running. -> OK", text)
        self.assertTrue(text.rstrip().endswith("exit code 1618"))
        self.assertFalse(os.path.exists(INSTALLED))


class NoUsableSource(StartupRun):
    """A source that is not there or a catalogue that offers nothing: 1603 and a log line."""

    def test_a_source_folder_that_is_not_there(self):
        set_source_path(self.medium, windows_path(os.path.join(self.medium.base, "nowhere")) + "\\")
        self.assertEqual(self.quiet("/L:9"), 1603)
        text = self.fallback_text()
        self.assertIn("message: Please insert the original DVD and start the installation again. -> OK", text)
        self.assertIn("the run ends: no installation source: " + windows_path(self.medium.base) + "\\nowhere\\ is no folder",
                      text)

    def test_a_catalogue_that_offers_no_package(self):
        catalogue = os.path.join(self.medium.root, "data", "ovkdata.inf")
        admin = read(ADMIN_FILE)
        cases = ((b"\x89PNG\r\n\x1a\n\x00\xff garbage \x00\x01", "offers no package"),
                 ("[manufacturers]\r\nLUM=1\r\n".encode("utf-16-le"), "offers no package"),
                 (b"", "is empty"))
        for content, told in cases:
            with self.subTest(content=content[:12]):
                with open(catalogue, "wb") as f:
                    f.write(content)
                self.assertEqual(self.quiet(), 1603)
                self.assertIn("the run ends: the package catalogue " + windows_path(catalogue) + " " + told,
                              self.fallback_text())
                self.assertEqual(read(ADMIN_FILE), admin)
                self.assertFalse(os.path.exists(INSTALLED))


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

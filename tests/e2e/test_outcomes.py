"""What a quiet run reports is what it did: a package counts as installed only
when all of its files went in, its uninstall log was written and the
administration file records it in its folder. Grouped by outcome: installed
(exit 0) and not installed (1603, the summary says why)."""
import os
import shutil
import unittest

from medium_case import MediumCase
from setup_run import DATA_FOLDER, windows_path
import make_medium

LOCAL = os.path.join(DATA_FOLDER, "local")
# The packages every country is offered.
ALWAYS_OFFERED = [("LUM", "Lumina Leuchten", "Lumina"), ("NOR", "Nordlicht Systeme", "Nordlicht")]


def files_below(folder):
    """The files below folder, links followed, without the package installer's plg folder."""
    found = (os.path.relpath(os.path.join(top, name), folder)
             for top, _, names in os.walk(folder, followlinks=True) for name in names)
    return sorted(name for name in found if not name.startswith("plg" + os.sep))


class QuietRun(MediumCase):
    admin_text = None  # fresh() writes it
    with_medium = False

    def setUp(self):
        super().setUp()
        self.fresh()

    def fresh(self):
        """An empty data folder with its administration file, and a new medium."""
        shutil.rmtree(DATA_FOLDER, ignore_errors=True)
        self.machine.admin()
        self.new_medium()
        self.data = os.path.join(self.medium.root, "data")

    def quiet_run(self, *args):
        return self.medium.run("/Q", "/log", windows_path(self.log), *args)

    def log_text(self):
        """The setup log of the last run (a log given with /log is appended to)."""
        with open(self.log, encoding="utf-8") as log:
            text = log.read()
        return text[text.rfind("  start: "):]

    def summary(self, name):
        prefix = "summary: package %s: " % name
        found = [line.split(prefix, 1)[1] for line in self.log_text().splitlines() if prefix in line]
        self.assertEqual(len(found), 1, self.log_text())
        return found[0]

    def recorded(self, pid, folder):
        records = self.machine.records()
        if not records.has_section(pid):
            return False
        status = int(records.get(pid, "status", fallback="0"))
        return bool(status & 2) and records.get(pid, "localpath", fallback="") == windows_path(LOCAL) \
            and records.get(pid, "dirname", fallback="") == folder

    def assert_installed(self, pid, name, folder):
        self.assertTrue(self.recorded(pid, folder), pid)
        self.assertTrue(self.summary(name).startswith("installed in "), self.summary(name))
        self.assertEqual(files_below(os.path.join(LOCAL, folder)),
                         sorted(["_uninst.inf"] + files_below(os.path.join(self.data, folder))))

    def assert_not_installed(self, pid, name, folder, why):
        self.assertFalse(self.recorded(pid, folder), pid)
        self.assertIn(why, self.summary(name))
        self.assertTrue(self.log_text().rstrip().endswith("exit code 1603"))


class LinksOnTheMedium(QuietRun):
    """A link on the medium is followed where it stays on the medium; a package
    whose files lie behind a link off the medium is refused, never recorded
    with its files left unread."""

    def move_behind_link(self, folder, target):
        shutil.move(folder, target)
        os.symlink(target, folder)

    def test_links_that_stay_on_the_medium_install_every_file(self):
        for what, parts in (("package folder", ["Lumina"]), ("category folder", ["Lumina", "cad"])):
            with self.subTest(link=what):
                self.fresh()
                self.move_behind_link(os.path.join(self.data, *parts), os.path.join(self.medium.root, "store"))
                self.assertEqual(self.quiet_run(), 0, self.log_text())
                self.assert_installed("LUM", "Lumina Leuchten", "Lumina")
                self.assertIn("lum0.cad", os.listdir(os.path.join(LOCAL, "Lumina", "cad")))

    def test_links_off_the_medium_are_refused(self):
        cases = [("package folder", ["Lumina"], ["LUM"]),
                 ("category folder", ["Lumina", "cad"], ["LUM"]),
                 ("data folder", [], ["LUM", "NOR"])]
        for what, parts, refused in cases:
            with self.subTest(link=what):
                self.fresh()
                folder = os.path.join(self.data, *parts)
                self.move_behind_link(folder, os.path.join(self.medium.base, "outside"))

                self.assertEqual(self.quiet_run(), 1603, self.log_text())

                for pid, name, dirname in ALWAYS_OFFERED:
                    if pid in refused:
                        self.assert_not_installed(pid, name, dirname, "outside the medium")
                        self.assertEqual(files_below(os.path.join(LOCAL, dirname)), [])
                    else:
                        self.assertTrue(self.recorded(pid, dirname), pid)


class StepsThatFail(QuietRun):
    def test_a_package_without_its_uninstall_log_is_not_recorded(self):
        os.makedirs(os.path.join(LOCAL, "Lumina", "_uninst.inf"))
        self.assertEqual(self.quiet_run(), 1603)
        self.assert_not_installed("LUM", "Lumina Leuchten", "Lumina", "_uninst.inf could not be written")
        self.assertTrue(self.recorded("NOR", "Nordlicht"))

    def test_a_listed_file_missing_from_the_medium_is_named(self):
        os.remove(os.path.join(self.medium.install, "readme.txt"))
        self.assertEqual(self.quiet_run(), 1603)
        self.assertIn("summary: file not installed: %s (not on the medium; entry readme in section [Files])"
                      % windows_path(os.path.join(self.medium.install, "readme.txt")), self.log_text())
        self.assertTrue(self.log_text().rstrip().endswith("exit code 1603"))

    def test_a_source_reaching_outside_the_medium_is_refused(self):
        secret = os.path.join(self.medium.base, "secret.txt")
        with open(secret, "w") as f:
            f.write("not the medium's")
        make_medium.write_ini(os.path.join(self.medium.install, "DataSetup.inf"), [
            ("Install32", [("Ini", "orvek.ini"), ("DotNetFx", "0")]),
            ("Ini32", [("ini", "1,install\\orvek.ini,obj,,,")]),
            ("Files", [("readme", "1,install\\readme.txt,,,,"), ("secret", "1,..\\secret.txt,,,,")]),
            ("FilesPriv", []),
            ("CreateDir", [("dir1", "obj"), ("dir2", "local")])])
        self.assertEqual(self.quiet_run(), 1603)
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "secret.txt")))
        self.assertIn("refused: entry secret in section [Files] reads from outside the source folder",
                      self.log_text())


class NamesSharingAPrefix(QuietRun):
    packages = [("LIC", "Licht", "Licht", "", 1), ("LIP", "Licht Plus", "LichtPlus", "", 1)]

    def test_a_refused_package_does_not_fail_the_one_whose_name_begins_its_own(self):
        catalogue = make_medium.catalogue(self.packages)
        for name, keys in catalogue:
            if name == "LIP":
                keys[:] = [(k, "..\\..\\Licht\\plg\\install.exe" if k == "plugin" else v) for k, v in keys]
        make_medium.write_ini(os.path.join(self.data, "ovkdata.inf"), catalogue)

        self.assertEqual(self.quiet_run(), 1603)

        self.assertTrue(self.summary("Licht").startswith("installed in "), self.summary("Licht"))
        self.assertIn("lies outside", self.summary("Licht Plus"))


class RunAgainAfterAStop(QuietRun):
    """A run stopped after copying leaves filled package folders and no records;
    the next quiet run finds them as old data."""

    def stopped_run(self):
        self.assertEqual(self.quiet_run(), 0)
        self.machine.admin()  # the records the stopped run never wrote

    def test_kept_old_data_is_no_installation(self):
        self.stopped_run()
        self.assertEqual(self.quiet_run(), 1603)
        for pid, name, folder in ALWAYS_OFFERED:
            self.assert_not_installed(pid, name, folder,
                                      "not installed: its old data in %s was kept"
                                      % windows_path(os.path.join(LOCAL, folder)))

    def test_replacing_old_data_completes_the_installation(self):
        self.stopped_run()
        self.assertEqual(self.quiet_run("/R"), 0, self.log_text())
        for pid, name, folder in ALWAYS_OFFERED:
            self.assert_installed(pid, name, folder)


if __name__ == "__main__":
    unittest.main()

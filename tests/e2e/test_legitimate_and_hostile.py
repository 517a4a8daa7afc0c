"""Strict only where harm is, in quiet runs of the real program. Legitimate media,
written as the data script and catalogue formats allow, install and end with 0.
Hostile media, links planted where the run writes and command lines that would do
harm are refused: 1603 (1602 only for the user's Abort), a setup-log line that says
why, and nothing outside the folders the run was asked to use changed."""
import os
import shutil
import unittest

from medium_case import MediumCase
from setup_run import (ADMIN_FILE, DATA_FOLDER, DRIVE_C, drive_c_files, fallback_log, read_bytes,
                       tree, windows_path)
import make_medium

LOCAL = os.path.join(DATA_FOLDER, "local")
SCRIPT = [("Install32", [("Ini", "orvek.ini"), ("DotNetFx", "0")]),
          ("Ini32", [("ini", "1,install\\orvek.ini,obj,,,")]),
          ("Files", [("readme", "1,install\\readme.txt,,,,")]),
          ("FilesPriv", []),
          ("CreateDir", [("dir1", "obj"), ("dir2", "local")])]


def installed(package):
    """The package's files are in its folder below the local folder."""
    pid, _, folder = package[:3]
    return os.path.isfile(os.path.join(LOCAL, folder, "cad", pid.lower() + "0.cad"))


class Runs(MediumCase):
    def setUp(self):
        super().setUp()
        self.victim = os.path.join(DRIVE_C, "victim_%d" % os.getpid())
        os.makedirs(self.victim)

    def tearDown(self):
        shutil.rmtree(self.victim, ignore_errors=True)

    def quiet(self, *args, log=True):
        if os.path.exists(self.log):
            os.remove(self.log)
        return self.medium.run("/Q", *(("/log", windows_path(self.log)) if log else ()), *args)

    def data_script(self, sections):
        """The sample's data script with sections replaced or added."""
        names = [name for name, _ in sections]
        make_medium.write_ini(os.path.join(self.medium.install, "DataSetup.inf"),
                              [s for s in SCRIPT if s[0] not in names] + sections)

    def catalogue(self, change, packages=make_medium.PACKAGES):
        """The medium's catalogue, each package's keys given to change(id, keys)."""
        sections = make_medium.catalogue(packages)
        for name, keys in sections[1:]:
            change(name, keys)
        make_medium.write_ini(os.path.join(self.medium.root, "data", "ovkdata.inf"), sections)

    def started_installers(self):
        """The packages whose installer ran, each with its arguments."""
        return {r["arg0"].split("\\")[-3]: [r["arg%d" % i] for i in range(1, int(r["argc"]))]
                for r in self.medium.records() if r.get("arg0", "").endswith("install.exe")}

    def victim_file(self, name):
        path = os.path.join(self.victim, name)
        with open(path, "wb") as f:
            f.write(b"the victim's own " + name.encode())
        return path

    def assert_untouched(self, victims):
        for path in victims:
            self.assertEqual(read_bytes(path), b"the victim's own " + os.path.basename(path).encode(), path)


def set_key(keys, key, value):
    keys[:] = [(k, v) for k, v in keys if k != key] + [(key, value)]


class Legitimate(Runs):
    """What the formats allow: each installs, exit 0, nothing refused."""

    def assert_installed_without_refusal(self, code):
        text = self.log_text()
        self.assertEqual(code, 0, text)
        self.assertNotIn("refused: ", text)
        self.assertTrue(text.rstrip().endswith("exit code 0"))

    def test_a_leading_backslash_stays_below_its_root(self):
        # The folders of file entries are made beforehand, from the folder lists.
        self.data_script([("Files", [("readme", "1,install\\readme.txt,\\Data\\Temp,,,")]),
                          ("CreateDir", [("dir1", "obj"), ("dir2", "local"), ("dir3", "\\Data\\Temp")])])
        self.catalogue(lambda pid, keys: set_key(keys, "plugin", "\\install.exe"))
        before = drive_c_files()

        self.assert_installed_without_refusal(self.quiet())

        self.assertTrue(os.path.isfile(os.path.join(DATA_FOLDER, "Data", "Temp", "readme.txt")))
        self.assertEqual(sorted(self.started_installers()), ["Helios", "Lumina", "Nordlicht", "Sol"])
        self.assertEqual(sorted(drive_c_files() - before), [])

    def test_a_long_value_whose_fields_fit_before_a_comment(self):
        comment = "; the readme for the data folder, " + "x" * 300
        self.data_script([("Files", [("readme", "1,install\\readme.txt,docs,,," + comment)]),
                          ("CreateDir", [("dir1", "obj"), ("dir2", "local"), ("dir3", "docs")])])

        self.assert_installed_without_refusal(self.quiet())

        self.assertTrue(os.path.isfile(os.path.join(DATA_FOLDER, "docs", "readme.txt")))

    def test_a_plugin_with_arguments_is_started_with_them(self):
        self.catalogue(lambda pid, keys: set_key(keys, "plugin", "install.exe /S /D=C:\\Orvek" if pid == "LUM"
                                                 else "install.exe"))

        self.assert_installed_without_refusal(self.quiet())

        started = self.started_installers()
        self.assertEqual(started["Lumina"], ["/S", "/D=C:\\Orvek"])
        self.assertEqual(started["Helios"], [])
        self.assertEqual(self.machine.records().get("LUM", "status"), str(0x1A))

    def test_a_catalogue_for_other_countries_installs_the_programs_files(self):
        self.machine.admin("[basepath]\r\npath=\r\n[Land]\r\nCountry=41\r\n")
        packages = [(p[0], p[1], p[2], "CountryCodes: 41_ex 00", p[4]) for p in make_medium.PACKAGES]
        self.catalogue(lambda pid, keys: None, packages)

        self.assert_installed_without_refusal(self.quiet())

        self.assertIn("no package is offered for country 41 (4 packages left out)", self.log_text())
        self.assertTrue(os.path.isfile(os.path.join(DATA_FOLDER, "readme.txt")))
        self.assertEqual([p for p in packages if installed(p)], [])

        # Asked for by name, such a package is not there for this country: said so, 1603, nothing changed.
        before = tree(DATA_FOLDER)
        self.assertEqual(self.quiet("/M", "LUM"), 1603)
        self.assertIn('A package of /M "LUM" (Lumina Leuchten): it is not offered for country 41.', self.log_text())
        self.assertEqual(tree(DATA_FOLDER), before)


class Hostile(Runs):
    """Refused, told, and nothing outside changed."""

    def test_a_folder_name_that_is_not_one_name_is_told_and_fails_the_run(self):
        # A package whose dirname is a path, and a DTBPath value that leads up.
        self.catalogue(lambda pid, keys: pid == "LUM" and set_key(keys, "dirname", "Lumina\\sub"))
        self.data_script([("DTBPath", [("Helios", "..\\escape_%d" % os.getpid())])])
        before = drive_c_files()

        self.assertEqual(self.quiet(), 1603)

        text = self.log_text()
        self.assertIn('package Lumina Leuchten (LUM) is not offered: its folder name "Lumina\\sub" is not one plain '
                      'folder name', text)
        self.assertIn('refused: package Lumina Leuchten: its folder name "Lumina\\sub" is not one plain folder name',
                      text)
        self.assertIn('refused: package Helios Licht: its folder name "..\\escape_%d" in [DTBPath] is not taken: '
                      'installed into the folder Helios' % os.getpid(), text)
        self.assertEqual([p[2] for p in make_medium.PACKAGES if installed(p)], ["Helios", "Nordlicht", "Sol"])
        self.assertEqual(sorted(drive_c_files() - before), [])

        # A run that was not to install either is not failed by them.
        self.assertEqual(self.quiet("/M", "NOR"), 0)

    def test_file_links_planted_where_the_run_writes_are_not_written(self):
        package_log = os.path.join(LOCAL, "Lumina", "_uninst.inf")
        cases = [  # the link, what the setup log says of it
            (os.path.join(DATA_FOLDER, "update.log"), "refused: the copy log %s is not written: it is a file link"),
            (os.path.join(DATA_FOLDER, ".UNINST.INF"),
             "refused: the uninstall log of the run %s is not written: it is a file link"),
            (package_log, "refused: package Lumina Leuchten: its uninstall log %s is not written: it is a file link"),
        ]
        for link, told in cases:
            with self.subTest(link=os.path.basename(link)):
                shutil.rmtree(DATA_FOLDER, ignore_errors=True)
                self.machine.admin()
                os.makedirs(os.path.join(LOCAL, "Lumina"))
                target = self.victim_file(os.path.basename(link) + ".victim")
                os.symlink(target, link)
                before = drive_c_files()

                self.assertEqual(self.quiet(), 1603)

                self.assert_untouched([target])
                self.assertEqual(sorted(drive_c_files() - before), [])
                self.assertTrue(os.path.islink(link))
                text = self.log_text()
                self.assertIn(told % windows_path(link), text)
                self.assertTrue(text.rstrip().endswith("exit code 1603"))

    def test_a_link_at_the_fallback_log_is_not_written(self):
        fallback = fallback_log()
        kept = fallback + ".kept-by-test"
        if os.path.lexists(fallback):
            os.rename(fallback, kept)
        target = self.victim_file("fallback.log")
        numbered = fallback[:-len(".log")] + "-1.log"
        try:
            os.symlink(target, fallback)
            self.assertEqual(self.quiet(log=False), 1603)
            self.assert_untouched([target])
            self.assertFalse(installed(make_medium.PACKAGES[0]))
            with open(numbered, encoding="utf-8") as f:
                self.assertIn(("the setup log %s is refused: it is a file link" % windows_path(fallback)).lower(),
                              f.read().lower())
        finally:
            for path in (fallback, numbered):
                if os.path.lexists(path):
                    os.remove(path)
            if os.path.lexists(kept):
                os.rename(kept, fallback)

    def test_an_administration_file_that_is_a_link_is_left_as_it_is(self):
        for kind, make in (("a file link", os.symlink), ("more than one name", os.link)):
            with self.subTest(kind=kind):
                os.remove(ADMIN_FILE)
                elsewhere = self.victim_file("admin-%s.ini" % make.__name__)
                make(elsewhere, ADMIN_FILE)

                self.assertEqual(self.quiet(), 1603)

                self.assert_untouched([elsewhere])
                self.assertEqual(os.path.islink(ADMIN_FILE), make is os.symlink)
                self.assertIn("the run ends: The administration file %s is refused: it " % windows_path(ADMIN_FILE),
                              self.log_text())
                self.assertIn(kind, self.log_text())
                self.assertFalse(installed(make_medium.PACKAGES[0]))

    def test_a_log_at_a_second_name_of_an_uninstall_log(self):
        target = os.path.join(self.medium.base, "target")
        self.assertEqual(self.quiet(), 0)
        self.assertEqual(self.quiet("/P", windows_path(target)), 0)
        for uninstall_log in (os.path.join(LOCAL, "Lumina", "_uninst.inf"), os.path.join(target, ".UNINST.INF")):
            with self.subTest(log=uninstall_log):
                second = os.path.join(self.medium.base, "innocent.log")
                os.link(uninstall_log, second)
                before = read_bytes(uninstall_log)
                fallback = fallback_log()
                kept = os.path.getsize(fallback) if os.path.exists(fallback) else 0

                self.assertEqual(self.medium.run("/Q", "/log", windows_path(second), "/P", windows_path(target)),
                                 1603)

                self.assertEqual(read_bytes(uninstall_log), before)
                with open(fallback, "rb") as f:
                    f.seek(kept)
                    self.assertIn("the setup log %s is refused: it has more than one name" % windows_path(second),
                                  f.read().decode("utf-8"))
                os.remove(second)

    def test_p_on_the_installation_medium(self):
        before = tree(self.medium.root)
        for folder in (os.path.join(self.medium.root, "data"), os.path.join(self.medium.root, "install", "new")):
            with self.subTest(folder=folder):
                self.assertEqual(self.quiet("/P", windows_path(folder)), 1603)
                self.assertIn("(/P) is refused: it lies on the installation medium", self.log_text())
                self.assertEqual(tree(self.medium.root), before)
                self.assertEqual(os.listdir(DATA_FOLDER), ["orvekAdmin.ini"])

    def test_an_empty_m_installs_nothing(self):
        admin = read_bytes(ADMIN_FILE)
        for args in (("/M", ""), ("/M", ",;"), ("/M",)):
            with self.subTest(args=args):
                self.assertEqual(self.quiet(*args), 1603)
                self.assertIn("the run ends: The package list of /M is empty", self.log_text())
                self.assertEqual(os.listdir(DATA_FOLDER), ["orvekAdmin.ini"])
                self.assertEqual(read_bytes(ADMIN_FILE), admin)


if __name__ == "__main__":
    unittest.main()

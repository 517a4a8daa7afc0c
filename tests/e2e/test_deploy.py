"""An administrator steers unattended runs: which packages (/M), which folder (/P),
the options (/?), and the summary that closes the setup log."""
import glob
import os
import shutil
import subprocess
import time
import unittest

from medium_case import MediumCase
from setup_run import DATA_FOLDER, hold, windows_path
import make_medium

IDOK, IDCANCEL = 1, 2
LOCAL = os.path.join(DATA_FOLDER, "local")


def snapshot(folder):
    """Names, dates and bytes of everything below folder."""
    result = {}
    for top, folders, files in os.walk(folder):
        result.update({os.path.join(top, name): None for name in folders})
        for name in files:
            with open(os.path.join(top, name), "rb") as f:
                result[f.name] = (os.path.getmtime(f.name), f.read())
    return result


class Deploy(MediumCase):
    def quiet(self, *args):
        if os.path.exists(self.log):
            os.remove(self.log)
        return self.medium.run("/Q", "/log", windows_path(self.log), *args)

    def summary(self):
        return [line.split("  ", 1)[1] for line in self.log_text().splitlines() if "  summary: " in line]

    def installed(self, base):
        """The packages whose files are below base, the ids recorded as installed there, the installers run."""
        records = self.machine.records()
        packages = make_medium.PACKAGES
        return ([p[2] for p in packages if os.path.isfile(os.path.join(base, p[2], "cad", p[0].lower() + "0.cad"))],
                [p[0] for p in packages if records.get(p[0], "status", fallback="") == str(0x1A)
                 and records.get(p[0], "localpath", fallback="") == windows_path(base)],
                [r["arg0"].split("\\")[-3] for r in self.medium.records() if r.get("arg0", "").endswith("install.exe")])

    def test_m_installs_and_records_exactly_the_packages_named(self):
        # By id in other case, and by a name with a blank.
        self.assertEqual(self.quiet("/M", "hel;Nordlicht Systeme"), 0)
        self.assertEqual(self.installed(LOCAL), (["Helios", "Nordlicht"], ["HEL", "NOR"], ["Helios", "Nordlicht"]))
        self.assertIn("summary: package Lumina Leuchten: not selected", self.summary())

    def test_m_with_a_name_of_no_package_is_1603_and_changes_nothing(self):
        before = snapshot(DATA_FOLDER)
        self.assertEqual(self.quiet("/M", "LUM,Glühwurm"), 1603)
        self.assertEqual(snapshot(DATA_FOLDER), before)
        self.assertEqual(self.installed(LOCAL), ([], [], []))
        self.assertIn('the run ends: Not a package of this medium (/M): "Glühwurm".', self.log_text())

    def test_m_none_installs_the_programs_files_only(self):
        self.assertEqual(self.quiet("/M", "none"), 0)
        self.assertTrue(os.path.isfile(os.path.join(DATA_FOLDER, "readme.txt")))
        self.assertEqual(self.installed(LOCAL), ([], [], []))
        self.assertEqual(self.summary()[:4],
                         ["summary: package " + p[1] + ": not selected" for p in make_medium.PACKAGES])

    def test_p_puts_every_package_into_that_folder_and_records_it(self):
        target = os.path.join(self.medium.base, "Orvek Daten")
        self.assertEqual(self.quiet("/P", windows_path(target) + "\\"), 0)
        folders = [p[2] for p in make_medium.PACKAGES]
        self.assertEqual(self.installed(target), (folders, [p[0] for p in make_medium.PACKAGES], folders))
        for name in [f + "\\_uninst.inf" for f in folders] + ["readme.txt", ".UNINST.INF", "update.log"]:
            self.assertTrue(os.path.isfile(os.path.join(target, *name.split("\\"))), name)
        self.assertFalse(os.path.exists(LOCAL))

    def test_p_refused_is_1603_and_changes_nothing(self):
        in_the_way = os.path.join(self.medium.base, "a file")
        open(in_the_way, "w").close()
        before = snapshot(DATA_FOLDER)
        for folder, why in [(r"Q:\Orvek", "its drive Q: is not there"),
                            (windows_path(in_the_way), "a file of that name is there")]:
            with self.subTest(folder=folder):
                self.assertEqual(self.quiet("/P", folder), 1603)
                self.assertIn("The installation folder " + folder + " (/P) is refused: " + why, self.log_text())
                self.assertEqual(snapshot(DATA_FOLDER), before)
                self.assertEqual(self.installed(LOCAL), ([], [], []))

    def test_help_shows_the_options_and_starts_no_run(self):
        before = snapshot(DATA_FOLDER)
        self.assertEqual(self.medium.run("/?", answer=IDOK), 0)
        self.assertEqual(len(self.medium.boxes), 1)
        self.assertIn("/M list, /manufacturers list", self.medium.boxes[0][1])
        self.assertEqual(self.quiet("/help"), 0)
        self.assertIn("1618\tanother installation is running: try again later", self.log_text())
        self.assertEqual(self.medium.records(), [])  # not even the follow-up program
        self.assertEqual(snapshot(DATA_FOLDER), before)

    def test_an_interactive_run_starts_with_the_packages_and_folder_of_the_command_line(self):
        target = os.path.join(self.medium.base, "target")
        code = self.medium.run("/L:7", "/M", "lumina", "/P", windows_path(target), answer=IDCANCEL,
                               script=["Sprache / Language / Langue / Lingua=1", "Vorgaben zur Installation=1",
                                       "Dateien kopieren="])
        self.assertEqual(code, 0)
        self.assertEqual(self.installed(target), (["Lumina"], ["LUM"], ["Lumina"]))

    def test_the_summary_tells_a_package_kept_and_a_file_in_use(self):
        # Helios holds the user's old data and is recorded there: a quiet run keeps it. The program's
        # readme is older and in use: replaced at the next restart. Lumina's info
        # file is the medium's already: left in place.
        os.makedirs(os.path.join(LOCAL, "Helios", "cad"))
        open(os.path.join(LOCAL, "Helios", "cad", "mine.cad"), "w").close()
        self.machine.admin("[basepath]\r\npath=\r\n[manufacturers]\r\nHEL=HEL\r\n[HEL]\r\nname=Helios Licht\r\nstatus=26\r\nlocalpath=%s\r\n"
                           "dirname=Helios\r\n" % windows_path(LOCAL))
        readme = os.path.join(DATA_FOLDER, "readme.txt")
        open(readme, "w").close()
        os.utime(readme, (time.time() - 86400, time.time() - 86400))
        in_place = os.path.join(LOCAL, "Lumina", "Lumina.inf")
        os.makedirs(os.path.dirname(in_place))
        shutil.copy2(os.path.join(self.medium.root, "data", "Lumina", "Lumina.inf"), in_place)

        holder = hold(readme)
        try:
            self.assertEqual(self.quiet(), 3010, self.log_text())
        finally:
            open(readme + ".release", "w").close()
            holder.wait(timeout=30)
            subprocess.run(["wine", "reg", "delete", r"HKLM\System\CurrentControlSet\Control\Session Manager", "/v",
                            "PendingFileRenameOperations", "/f"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        copied = [f for folder in ["Lumina", "Nordlicht", "Sol"]
                  for f in glob.glob(os.path.join(LOCAL, folder, "**", "*.*"), recursive=True)
                  if f != in_place and not f.endswith("_uninst.inf")]
        folder = {p[2]: windows_path(os.path.join(LOCAL, p[2])) for p in make_medium.PACKAGES}
        self.assertEqual(self.summary()[:5], [
            "summary: package Lumina Leuchten: installed in " + folder["Lumina"],
            "summary: package Helios Licht: old data kept in " + folder["Helios"] + ", where it stays installed",
            "summary: package Nordlicht Systeme: installed in " + folder["Nordlicht"],
            "summary: package Sol Architektur: installed in " + folder["Sol"],
            "summary: files: %d copied, 1 left in place (already there), 1 scheduled for the next restart"
            % len(copied)])
        self.assertRegex(self.summary()[5], r"^summary: %d bytes copied; the run took \d+\.\d s$"
                         % sum(os.path.getsize(f) for f in copied))
        self.assertEqual(self.summary()[6:], ["summary: exit code 3010: installed; a file in use is replaced at "
                                              "the next restart: restart the machine"])
        self.assertTrue(self.log_text().rstrip().endswith("exit code 3010"))


if __name__ == "__main__":
    unittest.main()

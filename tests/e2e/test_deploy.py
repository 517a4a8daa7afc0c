"""An administrator steers unattended runs: which packages (/M), which folder (/P),
the options (/?), and the summary that closes the setup log."""
import os
import shutil
import subprocess
import time
import unittest

from setup_run import BUILD, DATA_FOLDER, Machine, Medium, lines, windows_path
import make_medium

IDOK, IDCANCEL = 1, 2
HOLDER = os.path.join(BUILD, "tests", "support", "holder", "holder.exe")
INSTALLED = str(0x1A)
PACKAGE_IDS = [p[0] for p in make_medium.PACKAGES]


def snapshot(folder):
    """Names, bytes and dates of everything below folder."""
    result = {}
    for top, _, files in os.walk(folder):
        result[os.path.relpath(top, folder)] = None
        for name in files:
            path = os.path.join(top, name)
            with open(path, "rb") as f:
                result[os.path.relpath(path, folder)] = (f.read(), os.path.getmtime(path))
    return result


def package_files(folder):
    """The package's files below its folder, without its uninstall log."""
    return [os.path.join(top, name) for top, _, files in os.walk(folder) for name in files if name != "_uninst.inf"]


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def held(path):
    """Some process holds path open (Wine keeps the file open on the Linux side
    while a Windows handle is)."""
    path = os.path.realpath(path)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            fds = os.listdir("/proc/%s/fd" % pid)
        except OSError:
            continue
        for fd in fds:
            try:
                if os.readlink("/proc/%s/fd/%s" % (pid, fd)) == path:
                    return True
            except OSError:
                pass
    return False


def summary(log_text):
    """The summary lines of the setup log, without their times."""
    return [line.split("  ", 1)[1] for line in log_text.splitlines() if "  summary: " in line]


class Deploy(unittest.TestCase):
    def setUp(self):
        self.machine = Machine()
        self.machine.admin()
        self.medium = Medium()
        self.log = os.path.join(self.medium.base, "setup.log")

    def tearDown(self):
        self.medium.close()
        self.machine.restore()

    def quiet(self, *args):
        if os.path.exists(self.log):
            os.remove(self.log)
        return self.medium.run("/Q", "/log", windows_path(self.log), *args)

    def log_text(self):
        with open(self.log, encoding="utf-8") as f:
            return f.read()

    def installers_run(self):
        return [r["arg0"].split("\\")[-3] for r in self.medium.records() if r.get("arg0", "").endswith("install.exe")]

    def assert_installed_only(self, base, folders):
        for _, _, folder, _, _ in make_medium.PACKAGES:
            there = os.path.isfile(os.path.join(base, folder, "cad", folder[:3].lower() + "0.cad"))
            self.assertEqual(there, folder in folders, folder)

    def test_m_installs_and_records_exactly_the_packages_named(self):
        # By id in other case, and by a name with a blank.
        self.assertEqual(self.quiet("/M", "hel;Nordlicht Systeme"), 0)
        local = os.path.join(DATA_FOLDER, "local")
        self.assert_installed_only(local, ["Helios", "Nordlicht"])
        records = self.machine.records()
        self.assertEqual([pid for pid in PACKAGE_IDS if records.get(pid, "status", fallback="") == INSTALLED],
                         ["HEL", "NOR"])
        self.assertEqual(records.get("HEL", "localpath"), windows_path(local))
        self.assertEqual(sorted(self.installers_run()), ["Helios", "Nordlicht"])
        self.assertIn("summary: package Lumina Leuchten: not selected", summary(self.log_text()))

    def test_m_with_a_name_of_no_package_is_1603_and_changes_nothing(self):
        before = snapshot(DATA_FOLDER)
        self.assertEqual(self.quiet("/M", "LUM,Glühwurm"), 1603)
        self.assertEqual(snapshot(DATA_FOLDER), before)
        self.assertEqual(self.installers_run(), [])
        self.assertIn('names what is no package of this medium: "Glühwurm"', self.log_text())

    def test_m_none_installs_the_programs_files_only(self):
        self.assertEqual(self.quiet("/M", "none"), 0)
        self.assertTrue(os.path.isfile(os.path.join(DATA_FOLDER, "readme.txt")))
        self.assert_installed_only(os.path.join(DATA_FOLDER, "local"), [])
        self.assertEqual(self.installers_run(), [])
        records = self.machine.records()
        self.assertEqual([pid for pid in PACKAGE_IDS if records.get(pid, "status", fallback="") == INSTALLED], [])
        self.assertEqual([line for line in summary(self.log_text()) if line.startswith("summary: package")],
                         ["summary: package " + p[1] + ": not selected" for p in make_medium.PACKAGES])

    def test_p_puts_every_package_into_that_folder_and_records_it(self):
        target = os.path.join(self.medium.base, "Orvek Daten")
        self.assertEqual(self.quiet("/P", windows_path(target) + "\\"), 0)
        self.assert_installed_only(target, [p[2] for p in make_medium.PACKAGES])
        records = self.machine.records()
        for pid, _, folder, _, _ in make_medium.PACKAGES:
            self.assertEqual(records.get(pid, "status"), INSTALLED, pid)
            self.assertEqual(records.get(pid, "localpath"), windows_path(target), pid)
            self.assertEqual(lines(os.path.join(target, folder, "_uninst.inf"))[0],
                             "dir " + windows_path(os.path.join(target, folder)))
        self.assertTrue(os.path.isfile(os.path.join(target, "readme.txt")))
        self.assertTrue(os.path.isfile(os.path.join(target, ".UNINST.INF")))
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "local")))

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
                self.assertEqual(self.installers_run(), [])

    def test_help_shows_the_options_and_starts_no_run(self):
        before = snapshot(DATA_FOLDER)
        self.assertEqual(self.medium.run("/?", answer=IDOK), 0)
        self.assertEqual(len(self.medium.boxes), 1)
        self.assertIn("/M list, /manufacturers list", self.medium.boxes[0][1])
        self.assertIn("3010", self.medium.boxes[0][1])
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
        self.assert_installed_only(target, ["Lumina"])

    def test_the_summary_tells_a_package_kept_and_a_file_in_use(self):
        # Helios holds the user's old data: a quiet run keeps it. The program's
        # readme is older and in use: it is replaced at the next restart. Lumina's
        # info file is already the medium's: left in place.
        old = os.path.join(DATA_FOLDER, "local", "Helios", "cad", "mine.cad")
        os.makedirs(os.path.dirname(old))
        write(old, b"the user's drawing")
        readme = os.path.join(DATA_FOLDER, "readme.txt")
        write(readme, b"an older readme")
        os.utime(readme, (time.time() - 86400, time.time() - 86400))
        in_place = os.path.join(DATA_FOLDER, "local", "Lumina", "Lumina.inf")
        os.makedirs(os.path.dirname(in_place))
        shutil.copy2(os.path.join(self.medium.root, "data", "Lumina", "Lumina.inf"), in_place)

        holder = subprocess.Popen(["wine", HOLDER, windows_path(readme), "120000"])
        try:
            self.wait_for(lambda: held(readme) or holder.poll() is not None)
            self.assertIsNone(holder.poll(), "the holder could not open the readme")
            code = self.quiet()
        finally:
            open(readme + ".release", "w").close()
            holder.wait(timeout=30)
        try:
            self.assertEqual(code, 3010)
        finally:
            subprocess.run(["wine", "reg", "delete", r"HKLM\System\CurrentControlSet\Control\Session Manager", "/v",
                            "PendingFileRenameOperations", "/f"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        local = os.path.join(DATA_FOLDER, "local")
        copied = [f for folder in ["Lumina", "Nordlicht", "Sol"] for f in package_files(os.path.join(local, folder))
                  if f != in_place]
        lines_ = summary(self.log_text())
        self.assertEqual(lines_[:4], [
            "summary: package Lumina Leuchten: installed in " + windows_path(os.path.join(local, "Lumina")),
            "summary: package Helios Licht: old data kept in " + windows_path(os.path.join(local, "Helios")) +
            ": not installed",
            "summary: package Nordlicht Systeme: installed in " + windows_path(os.path.join(local, "Nordlicht")),
            "summary: package Sol Architektur: installed in " + windows_path(os.path.join(local, "Sol")),
        ])
        self.assertEqual(lines_[4], "summary: files: %d copied, 1 left in place (already there), "
                                    "1 scheduled for the next restart" % len(copied))
        self.assertRegex(lines_[5], r"^summary: %d bytes copied; the run took \d+\.\d s$"
                         % sum(os.path.getsize(f) for f in copied))
        self.assertEqual(lines_[6], "summary: exit code 3010: installed; a file in use is replaced at the next "
                                    "restart: restart the machine")
        self.assertTrue(self.log_text().rstrip().endswith("exit code 3010"))

    def wait_for(self, condition, timeout=60):
        deadline = time.time() + timeout
        while not condition():
            self.assertLess(time.time(), deadline, "waited in vain")
            time.sleep(0.05)


if __name__ == "__main__":
    unittest.main()

"""Runs the real setup.exe under Wine on generated media and reads what it left.

Shared by the end-to-end tests: a medium in a fresh folder (PostSetup.exe and the
package installers replaced by the recorder), the machine's administration file,
one run of setup.exe, and readers for the logs, the records and the recorder's
notes. The Wine environment (WINEPREFIX, DISPLAY) comes from scripts/test.
"""
import configparser
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "samples"))
import make_medium  # noqa: E402

BUILD = os.environ.get("BUILD_DIR", os.path.join(ROOT, "build"))
PREFIX = os.environ["WINEPREFIX"]
DRIVE_C = os.path.join(PREFIX, "drive_c")
DATA_FOLDER = os.path.join(DRIVE_C, "ProgramData", "Orvekhaus", "OrvekData")
ADMIN_FILE = os.path.join(DATA_FOLDER, "orvekAdmin.ini")
RECORDER = os.path.join(BUILD, "tests", "support", "recorder", "recorder.exe")
BOXREADER = os.path.join(BUILD, "tests", "support", "boxreader", "boxreader.exe")
RUNNER = os.path.join(BUILD, "tests", "support", "runner", "runner.exe")
HOLDER = os.path.join(BUILD, "tests", "support", "holder", "holder.exe")


def run_windows(program, args, environment, timeout):
    """Runs a Windows program under Wine; its whole exit code (Linux sees one byte).
    Wine quotes each argument as the platform's splitting reads it back.
    The output goes to files, not pipes: the desktop process (explorer.exe), which
    Wine starts for the first window when none runs, inherits the program's output
    and lives on while the box reader does, so a pipe would not end with the run."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        try:
            subprocess.run(["wine", RUNNER, windows_path(program), *args], env=environment, timeout=timeout,
                           stdout=out, stderr=err)
        except subprocess.TimeoutExpired:
            # A run left waiting would hold the one-run-at-a-time lock for the tests after it.
            subprocess.run(["wine", "taskkill", "/f", "/im", os.path.basename(program)], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            raise
        out.seek(0)
        err.seek(0)
        stdout = out.read().decode(errors="replace")
        stderr = err.read().decode(errors="replace")
    for text in stdout.splitlines():
        if text.startswith("exit code "):
            return int(text.split()[2])
    raise AssertionError("no exit code from runner: " + stdout + stderr)


def wait_for_programs_from(folder, timeout):
    """Waits until no process runs from folder (a Windows path): the programs a run
    started (package installers, the follow-up program) may still be writing their
    notes when setup.exe has ended. Wine shows a process's Windows command line."""
    needle = folder.lower().rstrip("\\") + "\\"
    running = lambda: [line for line in command_lines() if needle in line]
    wait_for(lambda: not running(), "the programs started from " + folder + " to end", timeout,
             seen=lambda: "still running: " + "; ".join(running()))


def wait_for(condition, what, timeout=60, seen=None):
    """Waits until condition() holds; a test never waits a fixed time. When it does not
    come within timeout seconds the test fails, saying what seen() tells."""
    deadline = time.time() + timeout
    while not condition():
        if time.time() > deadline:
            raise AssertionError("waited %d s in vain for %s%s" % (timeout, what, "; " + seen() if seen else ""))
        time.sleep(0.05)


def open_anywhere(path):
    """Some process holds path open."""
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


def hold(path):
    """Holds path open without sharing in a Wine process until path.release exists;
    returns the process once it holds the file: Wine keeps the file open on the
    Linux side while a handle is."""
    holder = subprocess.Popen(["wine", HOLDER, windows_path(path), "120000"])
    wait_for(lambda: open_anywhere(path) or holder.poll() is not None, "the holder to open " + path)
    if holder.poll() is not None:
        raise AssertionError("the holder could not open " + path)
    return holder


def command_lines():
    for pid in os.listdir("/proc"):
        if pid.isdigit():
            try:
                with open(os.path.join("/proc", pid, "cmdline"), "rb") as f:
                    yield f.read().replace(b"\0", b" ").decode(errors="replace").lower()
            except OSError:
                pass  # ended meanwhile


def windows_path(path):
    """A Linux path as Wine shows it: C: for the prefix's drive, else Z:."""
    path = os.path.abspath(path)
    if path.startswith(DRIVE_C + os.sep) or path == DRIVE_C:
        return "C:" + path[len(DRIVE_C):].replace("/", "\\")
    return "Z:" + path.replace("/", "\\")


class Medium:
    """A generated medium in a temporary folder; removed by close()."""

    def __init__(self, name="medium", packages=None, folder_name=None):
        self.base = tempfile.mkdtemp(prefix="e2e_", dir=os.path.join(BUILD, "e2e"))
        self.root = os.path.join(self.base, folder_name or name)
        make_medium.make_medium(BUILD, self.root, packages or make_medium.PACKAGES)
        self.install = os.path.join(self.root, "install")
        self.log = os.path.join(self.base, "recorder.log")
        self.boxes = []
        shutil.copyfile(RECORDER, os.path.join(self.install, "PostSetup.exe"))
        for package in packages or make_medium.PACKAGES:
            plg = os.path.join(self.root, "data", package[2], "plg")
            os.makedirs(plg, exist_ok=True)
            shutil.copyfile(RECORDER, os.path.join(plg, "install.exe"))

    def setup_exe(self):
        return os.path.join(self.install, "setup.exe")

    def run(self, *args, env=None, timeout=90, answer=None, script=()):
        """Runs setup.exe with args once; returns the exit code. With answer (a button
        id) every message box and dialog is read into self.boxes and answered with
        it; script gives "Caption=actions" for pages answered with keys and clicks."""
        environment = dict(os.environ, RECORDER_LOG=windows_path(self.log))
        environment.pop("SETUP_HOLD_MS", None)
        environment.update(env or {})
        reader = None
        boxes = os.path.join(self.base, "boxes.txt")
        if answer is not None:
            reader = subprocess.Popen(["wine", BOXREADER, windows_path(boxes), str(answer), str(timeout * 1000),
                                       *script],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            code = run_windows(self.setup_exe(), list(args), environment, timeout)
            wait_for_programs_from(windows_path(self.root), 30)
        finally:
            if reader:
                open(boxes + ".stop", "w").close()
                reader.wait(timeout=30)
                os.remove(boxes + ".stop")
        self.boxes = self._read_boxes(boxes)
        return code

    @staticmethod
    def _read_boxes(path):
        if not os.path.exists(path):
            return []
        result = []
        for block in open(path, encoding="utf-8").read().split("\n\n"):
            if block.startswith("caption="):
                caption, _, text = block.partition("\ntext=")
                result.append((caption[len("caption="):], text))
        os.remove(path)
        return result

    def records(self):
        """The recorder's notes: one dict per start, in order."""
        if not os.path.exists(self.log):
            return []
        text = open(self.log, encoding="utf-8").read()
        result = []
        for block in text.split("\n\n"):
            fields = {}
            for line in block.splitlines():
                key, _, value = line.partition("=")
                fields[key] = value
            if fields:
                result.append(fields)
        return result

    def close(self):
        shutil.rmtree(self.base, ignore_errors=True)


# An administration file whose data base path is empty.
EMPTY_ADMIN = "[basepath]\r\npath=\r\n"


class Machine:
    """The machine's data folder with its administration file, empty for each test;
    what was there before is put back by restore()."""

    SAVED = DATA_FOLDER + ".saved-by-tests"

    def __init__(self):
        if os.path.isdir(DATA_FOLDER) and not os.path.exists(self.SAVED):
            shutil.move(DATA_FOLDER, self.SAVED)
        shutil.rmtree(DATA_FOLDER, ignore_errors=True)

    def admin(self, text=EMPTY_ADMIN):
        os.makedirs(DATA_FOLDER, exist_ok=True)
        with open(ADMIN_FILE, "wb") as f:
            f.write(text.encode("cp1252"))

    def no_admin(self):
        if os.path.exists(ADMIN_FILE):
            os.remove(ADMIN_FILE)

    def records(self):
        parser = configparser.RawConfigParser(strict=False)
        parser.optionxform = str
        parser.read(ADMIN_FILE, encoding="cp1252")
        return parser

    def restore(self):
        shutil.rmtree(DATA_FOLDER, ignore_errors=True)
        if os.path.isdir(self.SAVED):
            shutil.move(self.SAVED, DATA_FOLDER)


def drive_c_files():
    """Every file and folder of the prefix's drive C, outside the installation
    folder and the temporary folders (where the program's fallback log and Wine's
    own files go)."""
    found = set()
    for top, folders, files in os.walk(DRIVE_C):
        relative = os.path.relpath(top, DRIVE_C)
        if top == DATA_FOLDER or os.path.basename(top).lower() == "temp":
            folders[:] = []
            continue
        found.update(os.path.join(relative, name) for name in folders + files)
    return found


def tree(folder):
    """Names and bytes of everything below folder."""
    result = {}
    for top, _, files in os.walk(folder):
        result[os.path.relpath(top, folder)] = None
        for name in files:
            result[os.path.relpath(os.path.join(top, name), folder)] = read_bytes(os.path.join(top, name))
    return result


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def fallback_log():
    """The quiet runs' log in the Wine user's temporary folder (the prefix's
    registry sets TEMP; the Linux environment does not reach it)."""
    for line in read_bytes(os.path.join(PREFIX, "user.reg")).decode("utf-8", errors="replace").splitlines():
        if line.startswith('"TEMP"="C:'):
            folder = line.split("=", 1)[1].strip().strip('"').replace("\\\\", "\\")
            return os.path.join(DRIVE_C, *folder[3:].split("\\"), "orvek-setup.log")
    raise AssertionError("no TEMP in the prefix")


def lines(path, encoding="cp1252"):
    with open(path, "rb") as f:
        return f.read().decode(encoding).split("\n")


os.makedirs(os.path.join(BUILD, "e2e"), exist_ok=True)

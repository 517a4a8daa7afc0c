"""Fails when setup.exe imports a library the system does not always take from
its own folder: such a library, planted beside setup.exe on a copied medium or
in a download folder, would run before the program's first line.

    check_imports.py SETUP_EXE [OBJDUMP]
"""
import subprocess
import sys

# Libraries Windows always loads from the system folder (its known libraries).
KNOWN = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
         "oleaut32.dll", "shlwapi.dll", "comdlg32.dll", "msvcrt.dll", "rpcrt4.dll", "imm32.dll"}


def imports(path, objdump):
    dump = subprocess.run([objdump, "-p", path], capture_output=True, text=True, check=True)
    return [line.split(":", 1)[1].strip() for line in dump.stdout.splitlines() if "DLL Name:" in line]


def main():
    names = imports(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "i686-w64-mingw32-objdump")
    others = [name for name in names if name.lower() not in KNOWN]
    print("setup.exe imports: " + ", ".join(names))
    if not names:
        sys.exit("no import table read")
    if others:
        sys.exit("imports outside the system's known libraries: " + ", ".join(others))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Prints what a run left in the installation's data folder: the packages'
folders and files, the uninstall log, the copy log's end and the package records
of the administration file; with the medium, each of its packages as installed
or left out.

    summary.py DATA_FOLDER [MEDIUM]
"""
import configparser
import os
import sys


def medium_packages(data, medium):
    """Each package of the medium's catalogue: installed (with its file count) or left out."""
    catalogue = configparser.RawConfigParser(strict=False)
    catalogue.optionxform = str
    catalogue.read(os.path.join(medium, "data", "ovkdata.inf"), encoding="cp1252")
    print("\n== packages of the medium")
    for pid in catalogue.options("manufacturers") if catalogue.has_section("manufacturers") else []:
        name = catalogue.get(pid, "name", fallback=pid)
        folder = catalogue.get(pid, "dirname", fallback="")
        # A silent run puts the packages below "local", the options page beside it.
        found = [f for f in (os.path.join(data, folder), os.path.join(data, "local", folder))
                 if folder and os.path.isdir(f)]
        if found:
            files = sum(len(f) for _, _, f in os.walk(found[0]))
            print("  %-20s installed: %3d files in %s" % (name, files, os.path.relpath(found[0], data)))
        else:
            print("  %-20s left out" % name)


def main():
    data = sys.argv[1]
    if len(sys.argv) > 2:
        medium_packages(data, sys.argv[2])
    local = os.path.join(data, "local")
    if os.path.isdir(local) and len(sys.argv) <= 2:  # with the medium its packages are told above
        print("\n== installed packages (below %s)" % local)
        for name in sorted(os.listdir(local)):
            folder = os.path.join(local, name)
            if os.path.isdir(folder):
                files = sum(len(f) for _, _, f in os.walk(folder))
                print("  %-12s %3d files" % (name, files))
    run_log = os.path.join(data, ".UNINST.INF")
    if os.path.exists(run_log):
        lines = open(run_log, "rb").read().decode("cp1252").splitlines()
        print("\n== .UNINST.INF: %d lines, first ones:" % len(lines))
        for line in lines[:6]:
            print("  " + line)
    copy_log = os.path.join(data, "update.log")
    if os.path.exists(copy_log):
        lines = open(copy_log, "rb").read().decode("cp1252").splitlines()
        print("\n== update.log: %d lines, last ones:" % len(lines))
        for line in lines[-4:]:
            print("  " + line)
    admin = os.path.join(data, "orvekAdmin.ini")
    if os.path.exists(admin):
        parser = configparser.RawConfigParser(strict=False)
        parser.optionxform = str
        parser.read(admin, encoding="cp1252")
        print("\n== orvekAdmin.ini records")
        for section in parser.sections():
            if parser.has_option(section, "status"):
                print("  [%s] %s: status %s, localpath %s, dirname %s" % (
                    section, parser.get(section, "name", fallback="?"), parser.get(section, "status"),
                    parser.get(section, "localpath", fallback=""), parser.get(section, "dirname", fallback="")))


if __name__ == "__main__":
    main()

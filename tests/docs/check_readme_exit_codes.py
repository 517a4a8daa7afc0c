#!/usr/bin/env python3
"""Fails when an exit code the program can return is missing from a table of the
README that lists exit codes, or when such a table lists a code the program never
returns.

    check_readme_exit_codes.py HEADER README.md

The program's codes are the kExit... constants of HEADER (src/app/Sequencer.h),
the one place its exit codes are written. A table lists exit codes when its
first column is headed "code"; each of its rows starts with a number.
"""
import re
import sys

CONSTANT = re.compile(r"constexpr\s+int\s+kExit\w+\s*=\s*(\d+)\s*;")


def program_codes(header):
    return {int(code) for code in CONSTANT.findall(open(header, encoding="utf-8").read())}


def code_tables(markdown):
    """Each table headed "| code |": the line it starts on and the codes of its rows."""
    tables = []
    rows = None
    for number, line in enumerate(open(markdown, encoding="utf-8"), 1):
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")] if line.startswith("|") else None
        if cells is None:
            rows = None
        elif rows is None and cells[0] == "code":
            rows = set()
            tables.append((number, rows))
        elif rows is not None and re.fullmatch(r"\d+", cells[0]):
            rows.add(int(cells[0]))
    return tables


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    header, markdown = sys.argv[1:]
    codes = program_codes(header)
    tables = code_tables(markdown)
    faults = []
    if not codes:
        faults.append(f"{header}: no kExit constant")
    if not tables:
        faults.append(f"{markdown}: no table of exit codes")
    for line, listed in tables:
        faults += [f"{markdown}:{line}: exit code {code} is missing" for code in sorted(codes - listed)]
        faults += [f"{markdown}:{line}: exit code {code} is never returned" for code in sorted(listed - codes)]
    for fault in faults:
        print(fault)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()

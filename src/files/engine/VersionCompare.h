// The comparison step of MyVerInstallFile: may the destination be replaced?
#pragma once

#include <windows.h>

#include <string>

enum class CompareVerdict {
    Copy,    // replace the destination
    Done,    // do not copy; result holds the bits to return (0: equal versions)
};

struct CompareOutcome {
    CompareVerdict verdict;
    unsigned result;
};

// Compares the file versions of source and destination, falling back to the
// last-write times of the directory search (sourceTime, destTime), and writes
// the copy-log lines of that decision.
class InstallRun;
class SourceFile;

CompareOutcome CompareForInstall(InstallRun& run, SourceFile& source, const std::wstring& dest, const FILETIME& sourceTime,
                                 const FILETIME& destTime);

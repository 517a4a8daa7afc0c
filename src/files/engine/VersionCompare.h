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

// What the copy log says when it compares source, a file whose version
// information is there but cannot be read ("Failed to get version information
// on src.", "src: VerQueryValue() failed."): the file dates then decide. Empty
// when it reads, or when the file has none.
std::wstring UnreadableVersionText(const std::wstring& source, bool headCheck);

CompareOutcome CompareForInstall(InstallRun& run, SourceFile& source, const std::wstring& dest, const FILETIME& sourceTime,
                                 const FILETIME& destTime);

// Where the setup log may go. The log is opened for appending before the run
// knows much, so a path that names one of the program's own files (the
// administration file, a log of the run, a file of the medium) would have log
// lines written into it: such a path is refused, and the run logs to the
// fallback in the temporary folder instead, with the reason.
#pragma once

#include <string>
#include <vector>

class SetupLog;

// A file the setup log must never be, and what it is ("the administration file").
struct OwnFile {
    std::wstring path;
    std::wstring what;
};

// The files the setup log must never be.
struct OwnFiles {
    std::vector<OwnFile> files;         // the administration file, the run's logs
    std::vector<std::wstring> folders;  // the medium: none of the files below them
};

// Adds the files a run writes beside what it installs: the administration
// file adminFile and its kept data base path, and the copy log and the run's
// uninstall log in logFolder.
void AddRunFiles(OwnFiles& own, const std::wstring& adminFile, const std::wstring& logFolder);

// path as the system reads it, for comparison: full (relative to the current
// folder, "/" as "\"), short names made long where the path exists, trailing
// dots and blanks and an alternate data stream of the last name dropped, upper
// case.
std::wstring ComparablePath(const std::wstring& path);

// True when a and b name the same file: the same file identity when both
// exist, else the same comparable path.
bool SameFile(const std::wstring& a, const std::wstring& b);

// True when logPath names an uninstall log of the run by its name (wherever it
// is), one of own.files, or an existing file below one of own.folders; why
// then says which.
bool LogPathRefused(const std::wstring& logPath, const OwnFiles& own, std::wstring& why);

// The log of a run. requested is the /log path (may be empty); quiet runs log
// to fallback without one. A requested path that is refused (one of own, or a
// file link or a file with more than one name) or cannot be opened as a file
// on a disk (a folder, a missing folder, a device such as NUL) is replaced by
// fallback, to which a line of this run then says why. No log is written
// through a link: a link at fallback is left as it is and the log goes to a
// numbered name beside it ("orvek-setup-1.log"). Returns the text of that
// line, empty when the requested log (or none) was taken. refused is set when
// the path was refused, and when a quiet run's fallback is a link: the run
// must not go on; refusal (when given) then receives the sentence it ends with.
std::wstring OpenSetupLog(SetupLog& log, const std::wstring& requested, bool quiet, const std::wstring& fallback,
                          const OwnFiles& own, bool& refused, std::wstring* refusal = nullptr);

// The uninstall logs read by the separate uninstaller: the run log ".UNINST.INF"
// in the install folder and a package log "_uninst.inf" per package folder.
// Both are 8-bit line files appended in binary mode (LF line ends).
#pragma once

#include "files/logs/LogFile.h"

#include <memory>
#include <string>
#include <vector>

class UninstallLog {
public:
    // Opens for appending in binary mode; false when it cannot be opened.
    bool Open(const std::wstring& path);
    void Close() { file_.Close(); }
    bool IsOpen() const { return file_.IsOpen(); }
    const std::wstring& Path() const { return file_.Path(); }
    // What the last Open found instead of a plain file (LogFile::Link).
    FileLink Link() const { return file_.Link(); }
    unsigned long long Size() const { return file_.Size(); }
    // See LogFile::Hold and LogFile::Flush.
    void Hold(std::size_t bytes) { file_.Hold(bytes); }
    bool Flush() { return file_.Flush(); }
    // See LogFile::Error.
    unsigned long Error() const { return file_.Error(); }

    // "ORVEK V3.5\n"
    bool WriteHeader();
    // "file 0 0 <path>\n": a file installed or created by the run.
    bool WriteFile(const std::wstring& path);
    // "dir <path>\n": a folder created by the run, or a package's fixed folders.
    bool WriteDir(const std::wstring& path);
    // The "dir" lines of paths, in one write.
    bool WriteDirs(const std::vector<std::wstring>& paths);
    // Each path is written as AnsiNameOf names it (exactly, else by its short
    // form). One that cannot be named is not written (the line and, in
    // WriteDirs, the lines with it): the write answers false and Unnamed
    // tells which path it was (empty after a write that named all).
    const std::wstring& Unnamed() const { return unnamed_; }

private:
    // The line of tag and path's name; false (Unnamed set) when it has none.
    bool AddLine(std::string& lines, const char* tag, const std::wstring& path);

    LogFile file_;
    std::wstring unnamed_;
};

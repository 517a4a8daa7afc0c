// The setup log of an unattended run: UTF-8, one line per event, each with its
// local time. Without a path nothing is written and every call is free.
#pragma once

#include "framework/Handles.h"
#include "platform/FileLinks.h"

#include <string>

class SetupLog {
public:
    // Opens path for appending (created when missing); false when it cannot be,
    // when it is no file on a disk (NUL, a pipe): lines would go nowhere, and
    // when it is a file link or has more than one name: the file it leads to
    // is left as it is. What was open before is closed.
    bool Open(const std::wstring& path);
    // The Win32 error of the last Open that failed.
    DWORD OpenError() const { return openError_; }
    // What the last Open found at its path instead of a plain file.
    FileLink Link() const { return link_; }
    bool IsOpen() const { return file_.Valid(); }
    const std::wstring& Path() const { return path_; }

    // "2026-12-07 14:03:22.481  text"; line breaks in text become " | ".
    void Write(const std::wstring& text);
    // "exit code N": the last line of every run, the one a deployment tool reads.
    void WriteExitCode(int exitCode) { Write(L"exit code " + std::to_wstring(exitCode)); }

private:
    fw::ScopedFile file_;
    std::wstring path_;
    DWORD openError_ = 0;
    FileLink link_ = FileLink::None;
};

// The default place of the log of a quiet run: the user's temporary folder.
std::wstring DefaultSetupLogPath();

// The setup log of an unattended run: UTF-8, one line per event, each with its
// local time. Without a path nothing is written and every call is free.
#pragma once

#include "framework/Handles.h"

#include <string>

class SetupLog {
public:
    // Opens path for appending (created when missing); false when it cannot be.
    bool Open(const std::wstring& path);
    bool IsOpen() const { return file_.Valid(); }
    const std::wstring& Path() const { return path_; }

    // "2026-12-07 14:03:22.481  text"; line breaks in text become " | ".
    void Write(const std::wstring& text);

private:
    fw::ScopedFile file_;
    std::wstring path_;
};

// The default place of the log of a quiet run: the user's temporary folder.
std::wstring DefaultSetupLogPath();

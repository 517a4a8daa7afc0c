// What kind of Windows the program runs on, and the Windows folder. Both can be
// given from outside, so the branches for other systems can be exercised here.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

enum class SystemKind {
    NtFamily,      // top bit of the GetVersion word clear
    Win95Family,   // top bit set, major version 4 or above
    Old16BitHost,  // top bit set, major version below 4
};

// Classifies a GetVersion word.
SystemKind SystemKindFromVersion(DWORD version);

// The kind given with SetSystemKind, else the one GetVersion reports.
SystemKind GetSystemKind();
// Gives the kind from outside; nullopt returns to GetVersion.
void SetSystemKind(std::optional<SystemKind> kind);

// The Windows folder: the one given with SetWindowsFolder, else GetWindowsDirectoryW,
// fetched on first use and kept for the run.
const std::wstring& WindowsFolder();
// Gives the folder from outside; an empty text fetches it again on next use.
void SetWindowsFolder(const std::wstring& folder);

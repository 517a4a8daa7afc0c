// Folder links for the tests of the walks that must not follow them. Wine makes
// neither junctions nor symbolic links itself, but shows a Linux symbolic link to
// a folder as a folder with FILE_ATTRIBUTE_REPARSE_POINT, as Windows shows a
// junction; the link is made by the Linux "ln", which Wine starts like any program.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

// Makes folder\name a link to target (a path relative to folder, with "/").
// True when the walk sees it as a folder link.
inline bool MakeFolderLink(const std::wstring& folder, const std::wstring& name, const std::wstring& target)
{
    std::wstring commandLine = L"ln -s " + target + L" " + name;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    fw::ScopedProcessInfo process;
    if (!::CreateProcessW(L"Z:\\bin\\ln", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &si, process.Receive()))
        return false;
    // The handle of a Linux program is signalled before the program is done:
    // wait for the link itself.
    const std::wstring path = folder + L"\\" + name;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    for (int i = 0; i < 500 && attributes == INVALID_FILE_ATTRIBUTES; ++i) {
        attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) ::Sleep(10);
    }
    const DWORD link = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & link) == link;
}

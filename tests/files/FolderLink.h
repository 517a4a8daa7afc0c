// Folder links for the walks that must not follow them. Wine makes no junction,
// but shows a Linux symbolic link to a folder as a folder with
// FILE_ATTRIBUTE_REPARSE_POINT, as Windows shows a junction; Wine starts "ln".
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

// Makes folder\name a link to target (relative to folder, with "/"); true when it
// shows as a folder link.
inline bool MakeFolderLink(const std::wstring& folder, const std::wstring& name, const std::wstring& target)
{
    std::wstring commandLine = L"ln -s " + target + L" " + name;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    fw::ScopedProcessInfo ln;
    if (!::CreateProcessW(L"Z:\\bin\\ln", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                          ln.Receive()))
        return false;
    // A Linux program's handle is signalled before it is done: wait for the link.
    const DWORD link = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    for (int i = 0; i < 500 && attributes == INVALID_FILE_ATTRIBUTES; ++i, ::Sleep(10))
        attributes = ::GetFileAttributesW((folder + L"\\" + name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & link) == link;
}

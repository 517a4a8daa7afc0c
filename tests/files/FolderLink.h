// Folder links for the walks that must not follow them. Wine makes no junction,
// but shows a Linux symbolic link to a folder as a folder with
// FILE_ATTRIBUTE_REPARSE_POINT, as Windows shows a junction; Wine starts "ln".
#pragma once

#include "support/Win32Support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

// Makes folder\name a link to target (relative to folder, with "/"); fails with
// what the folder shows there when no folder link comes.
inline ::testing::AssertionResult MakeFolderLink(const std::wstring& folder, const std::wstring& name,
                                                 const std::wstring& target)
{
    const std::string shown(name.begin(), name.end());
    if (!StartSymlink(folder, name, target))
        return ::testing::AssertionFailure() << "ln could not be started for " << shown << ": error " << ::GetLastError();
    // The handle of a Linux program is signalled before it is done: wait for the link itself.
    const std::wstring path = folder + L"\\" + name;
    const DWORD link = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    const auto isLink = [link](DWORD attributes) {
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & link) == link;
    };
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    for (const ULONGLONG deadline = ::GetTickCount64() + 30000; !isLink(attributes);
         attributes = ::GetFileAttributesW(path.c_str())) {
        if (::GetTickCount64() > deadline)
            return ::testing::AssertionFailure() << "no folder link " << shown << " within 30 s; attributes 0x"
                                                 << std::hex << attributes << " (0xffffffff: not there)";
        ::Sleep(10);
    }
    return ::testing::AssertionSuccess();
}

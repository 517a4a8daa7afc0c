// Folder links (junctions and symbolic links to folders) on the way to a path:
// the run writes and deletes below a folder only through folders that are what
// they seem.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <unordered_set>

// attributes (as read) are those of a junction or a symbolic link to a folder.
bool IsFolderLinkAttributes(DWORD attributes);
// A junction or a symbolic link to a folder is at path: the link itself, not
// what it points at.
bool IsFolderLink(const std::wstring& path);

// path is folder or lies below it: a case-insensitive prefix that ends at a
// backslash ("C:\Windows" holds "C:\Windows\x", not "C:\WindowsApps\x").
bool IsInsideFolder(const std::wstring& path, const std::wstring& folder);

// The first folder link on the way from root down to path: each existing folder
// strictly below root, path itself included; empty when there is none, and when
// path is not below root. root itself is not looked at: whoever chose it chose
// where it leads.
std::wstring FolderLinkBelow(const std::wstring& root, const std::wstring& path);

// Folders seen to be plain folders (not links) by LinkBelow: a run that asks
// about thousands of files below the same few folders looks at each folder
// once. A folder not there yet is not remembered.
class PlainFolders {
public:
    // As FolderLinkBelow, without looking again at a folder seen before. A
    // folder that missing (when given) knows not to be there ends the walk as
    // one not found does, without a look of its own (Wine reads the whole parent
    // folder to answer "not there"). there, when given: path itself was found.
    std::wstring LinkBelow(const std::wstring& root, const std::wstring& path, bool* there = nullptr,
                           const std::function<bool(const std::wstring&)>& missing = nullptr);
    // folder is a plain folder: just made, or just looked at by the caller.
    void Remember(const std::wstring& folder);
    // folder was seen to be a plain folder.
    bool Knows(const std::wstring& folder) const;

private:
    std::unordered_set<std::wstring> seen_;  // by FileNameKey
};

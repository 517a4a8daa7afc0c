// Folder links (junctions and symbolic links to folders) on the way to a path:
// the run writes and deletes below a folder only through folders that are what
// they seem.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class FolderCache;

// attributes (as read) are those of a junction or a symbolic link to a folder.
bool IsFolderLinkAttributes(DWORD attributes);
// A junction or a symbolic link to a folder is at path: the link itself, not
// what it points at.
bool IsFolderLink(const std::wstring& path);

// path is folder or lies below it: a case-insensitive prefix that ends at a
// backslash ("C:\Windows" holds "C:\Windows\x", not "C:\WindowsApps\x").
bool IsInsideFolder(const std::wstring& path, const std::wstring& folder);

// Where the folder at path really is, every link on the way resolved, as the
// system gives it ("\\?\C:\x"); empty when that cannot be told.
std::wstring FinalFolder(const std::wstring& path);

// The first folder link on the way from root down to path: each existing folder
// strictly below root, path itself included; empty when there is none, and when
// path is not below root. root itself is not looked at: whoever chose it chose
// where it leads.
std::wstring FolderLinkBelow(const std::wstring& root, const std::wstring& path);

// As FolderLinkBelow, without looking again at a folder known to be plain,
// and with every folder found plain remembered in known: a run that asks
// about thousands of files below the same few folders looks at each folder
// once. A folder that missing (when given) knows not to be there ends the walk
// as one not found does, without a look of its own (Wine reads the whole
// parent folder to answer "not there"). there, when given: path itself was
// found.
std::wstring FolderLinkBelow(const std::wstring& root, const std::wstring& path, FolderCache& known, bool* there,
                             const std::function<bool(const std::wstring&)>& missing = nullptr);

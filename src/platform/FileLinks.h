// File links at the files the run writes (its logs, the administration file).
// The run is elevated and writes in folders that others may have made: a name
// there may be a symbolic link, or a second name (hard link) of a file
// elsewhere, and what the run appends would land in that file. Such a file is
// never written.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

// The Win32 errors a refused file link is reported with (the system's own
// "stopped on a symbolic link" and "too many links").
inline constexpr DWORD kErrorFileIsLink = 681;
inline constexpr DWORD kErrorFileHasNames = ERROR_TOO_MANY_LINKS;

// What stands at a path, told without following a link there.
enum class FileLink {
    None,       // a plain file, or nothing yet
    Link,       // a symbolic link or other reparse point, or a name that leads to a file elsewhere
    ManyNames,  // a file with more than one name (hard links)
};

// Opens path (a file) with access and share, creating it when missing (create)
// or only when it is there, never through a link: a link at path is not
// followed, and a missing name is made with a create that fails when a name
// (a dangling link too) appeared. A file that is a link or has more than one
// name is closed again at once, unwritten: link tells which, and GetLastError
// says kErrorFileIsLink or kErrorFileHasNames. An invalid handle with link None
// is a file that could not be opened (GetLastError tells why).
fw::ScopedFile OpenWithoutLink(const std::wstring& path, DWORD access, DWORD share, bool create, FileLink& link);

// What is at path (None when nothing is there or it cannot be looked at).
FileLink FileLinkAt(const std::wstring& path);

// For the setup log: "it is a file link (a symbolic link ...)" or "it has
// more than one name (a hard link ...)"; empty for None.
std::wstring FileLinkText(FileLink link);

// The path the system gives for an open handle, every link on the way
// resolved, in the form it gives it ("\\?\C:\x"); empty when it gives none.
std::wstring FinalPathOf(HANDLE handle);

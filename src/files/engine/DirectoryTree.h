// Small folder utilities of the copy engine.
#pragma once

#include <string>

// Creates path and every missing parent. An empty path fails; an existing
// folder succeeds.
bool CreateDirectoryTree(const std::wstring& path);

// Deletes every file below folder (read-only ones too) and, unless keepFolders,
// every subfolder and folder itself. Stops at the first failure (false).
// A folder link (junction, symbolic link), folder itself included, is never
// followed: unless keepFolders the link alone is removed, else it stays. An
// empty folder name is refused. failed (when given) receives the path that
// could not be removed and error its Win32 error.
bool DeleteTree(const std::wstring& folder, bool keepFolders, std::wstring* failed = nullptr,
                unsigned long* error = nullptr);

// Deletes path. A read-only file is left alone (false) unless force, which
// clears the attribute first.
bool DeleteFileForced(const std::wstring& path, bool force);

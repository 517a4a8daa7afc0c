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
// empty folder name is refused.
bool DeleteTree(const std::wstring& folder, bool keepFolders);

// Deletes path. A read-only file is left alone (false) unless force, which
// clears the attribute first.
bool DeleteFileForced(const std::wstring& path, bool force);

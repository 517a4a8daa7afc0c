// Folder creation that records the folders it made in the run's uninstall log.
#pragma once

#include <string>

// Creates every missing prefix of path that ends with a backslash or at the end
// of the path and is longer than three characters (so "C:\" is skipped), in order.
// Each folder actually created gets a "dir" line with its prefix in the run's
// uninstall log when that is open: "C:\x\" for one made on the way, the path
// as given for the last. True when the folder now exists; an empty path gives
// false. A path with a folder link on the way from the run's installation
// folder down is refused (told, the run refused): nothing is created, false.
// error, when given, receives the Win32 error of the folder that could not be
// made (0 on success).
class InstallRun;

bool CreateFolderChain(InstallRun& run, const std::wstring& path, unsigned long* error = nullptr);

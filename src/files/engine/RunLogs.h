// The run's logs opened for the run: a link where a log would be is refused,
// and each log is named in the run's uninstall log.
#pragma once

#include "files/logs/UninstallLog.h"

#include <memory>
#include <string>

class InstallRun;

// Opens run's copy log at path, then records it in the run's uninstall log
// (when open) with a "file" line. False when it cannot be opened; a file link
// there is left unwritten and the run refused.
bool OpenCopyLog(InstallRun& run, const std::wstring& path);

// The run log, opened once per run. Opens path unless the run log is already
// open, and writes the header when the file was empty. False when it cannot be
// opened or its header not written (the log's Error tells why; a file link
// there is left unwritten and the run refused); nothing else is reported
// here: the caller decides.
bool OpenUninstallLog(InstallRun& run, const std::wstring& path);

// The package log "_uninst.inf" in folder: opened for appending, recorded in the
// run log, and given the "dir" lines of the folder and its "lvk", "cad", "pic"
// and "dtb" subfolders. Null when it cannot be opened or its first lines not
// written, when a folder link lies on the way to folder below the run's
// installation folder, and when the log is a file link or has more than one
// name (the file left unwritten); why (when given) then says so, with the
// Win32 error.
std::unique_ptr<UninstallLog> OpenPackageLog(InstallRun& run, const std::wstring& folder, std::wstring* why = nullptr);

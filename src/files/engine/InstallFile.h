// Version-aware installation of one file, with replacement at the next restart
// when the destination is in use.
#pragma once

#include "files/engine/VifFlags.h"

#include <string>

class InstallRun;
class UninstallLog;

// Copies source to dest unless the destination is as new or newer (file version,
// else file date); force skips the comparison. 0: installed, or equal versions
// (nothing to do). quiet suppresses the message box of a failed copy. The old
// destination is never gone before the new file is in place; when it cannot be
// put back after a failure, the result carries kVifCannotRename and the file
// stays under the name the copy log gives.
unsigned MyVerInstallFile(InstallRun& run, bool force, const std::wstring& source, const std::wstring& dest, bool quiet);

// Installs source as dest and records it for uninstall (run log unless inside the
// Windows folder; packageLog, may be null, always). 1: installed, scheduled for
// the next restart or skipped as older; 0: not installed; -1: the user chose
// Abort or Cancel. quiet suppresses every message box.
int InstallFile(InstallRun& run, const std::wstring& source, const std::wstring& dest, UninstallLog* packageLog, bool quiet);

// The names of the set bits, in the order of the failure message, without separators.
std::wstring VifFlagNames(unsigned flags);

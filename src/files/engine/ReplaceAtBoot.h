// Replacement and removal of files at the next start of the system, for files
// in use: delayed moves on the NT family, "wininit.ini" on the 95 family.
#pragma once

#include <string>

class InstallRun;

// 95 family: the [rename] entries of "wininit.ini" in the Windows folder that
// replace dest by temp at the next start. False on any file error.
bool ScheduleReplaceAtBoot(InstallRun& run, const std::wstring& temp, const std::wstring& dest);

// Has path deleted at the next start: a delayed move to nowhere on the NT
// family, a "NUL=" entry of "wininit.ini" on the 95 family. False where that
// cannot be arranged (and always on an old 16-bit host).
bool ScheduleRemovalAtRestart(InstallRun& run, const std::wstring& path);

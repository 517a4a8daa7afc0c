// The recorder standing in for started programs: copies of it, its settings
// (environment inherited by what a test starts) and its records.
#pragma once

#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <windows.h>

#include <string>

// Records go to logFile; each start waits sleepMs first, so a caller that does
// not wait finds no record yet. Undone when the object goes.
struct RecorderSettings {
    RecorderSettings(const std::wstring& logFile, const wchar_t* sleepMs)
    {
        ::SetEnvironmentVariableW(L"RECORDER_LOG", logFile.c_str());
        ::SetEnvironmentVariableW(L"RECORDER_SLEEP_MS", sleepMs);
    }
    ~RecorderSettings()
    {
        ::SetEnvironmentVariableW(L"RECORDER_LOG", nullptr);
        ::SetEnvironmentVariableW(L"RECORDER_SLEEP_MS", nullptr);
    }
};

inline bool CopyRecorder(const std::wstring& to)
{
    return ::CopyFileW(WinePathOf(RECORDER_EXE).c_str(), to.c_str(), FALSE) != FALSE;
}

// The record of program started with its path quoted and no argument, in cwd
// (ASCII paths, as the temporary folders have).
inline std::string RecordOf(const std::wstring& program, const std::wstring& cwd)
{
    const std::string path(program.begin(), program.end());
    return "cmdline=\"" + path + "\"\ncwd=" + std::string(cwd.begin(), cwd.end()) + "\nmodule=" + path +
           "\nargc=1\narg0=" + path + "\n\n";
}

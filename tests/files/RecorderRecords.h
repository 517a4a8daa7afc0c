// The recorder standing in for started programs: copies of it, its settings
// (environment inherited by what a test starts) and its records.
#pragma once

#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <windows.h>

#include <string>

// Records go to logFile. With a release file, each start writes its record only
// once that file exists, so the test decides when the program ends (a caller
// that does not wait for it finds no record). Undone when the object goes, and
// whatever still waits is released then.
struct RecorderSettings {
    explicit RecorderSettings(const std::wstring& logFile, const std::wstring& releaseFile = {})
        : release(releaseFile)
    {
        ::SetEnvironmentVariableW(L"RECORDER_LOG", logFile.c_str());
        ::SetEnvironmentVariableW(L"RECORDER_WAIT_FOR", release.empty() ? nullptr : release.c_str());
    }
    ~RecorderSettings()
    {
        ::SetEnvironmentVariableW(L"RECORDER_LOG", nullptr);
        ::SetEnvironmentVariableW(L"RECORDER_WAIT_FOR", nullptr);
        if (!release.empty()) Release();
    }
    RecorderSettings(const RecorderSettings&) = delete;
    RecorderSettings& operator=(const RecorderSettings&) = delete;
    bool Release() const { return WriteBytes(release, ""); }

    const std::wstring release;
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

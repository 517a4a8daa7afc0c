// Shared set-up of the copy-engine tests: a fresh temporary folder, a new run
// (logs, counter, system kind and Windows folder as the system has them) and the
// scripted user.
#pragma once

#include "files/CopyLog.h"
#include "files/InstallRun.h"
#include "files/UninstallLog.h"
#include "platform/SystemInfo.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

// The test libraries built beside the tests: "ver2001.dll", "ver2003.dll", "vernone.dll".
inline std::wstring VersionDll(const std::wstring& name)
{
    return WinePathOf(VERSION_DLL_DIR) + L"\\" + name;
}

// ASCII paths of the temporary folder, as they appear in the 8-bit logs.
inline std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += static_cast<char>(c);
    return out;
}

// The copy log is written in text mode: every "\n" reaches the disk as CR LF.
inline std::string Crlf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The copy log's line for one call of the version-aware copy.
inline std::string CallLine(const std::wstring& src, const std::wstring& dst)
{
    return "\t  MyVerInstallFile(" + Narrow(src) + " --> " + Narrow(dst) + ")\n";
}

// Sets the last-write time of a file to a day in the given year.
inline bool SetWriteYear(const std::wstring& path, WORD year)
{
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = 6;
    st.wDay = 1;
    st.wHour = 12;
    FILETIME ft{};
    if (!::SystemTimeToFileTime(&st, &ft)) return false;
    HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BOOL ok = ::SetFileTime(file, nullptr, nullptr, &ft);
    ::CloseHandle(file);
    return ok;
}

class FilesTest : public ::testing::Test {
protected:
    // Opens the run log and the copy log in the temporary folder, as the install phase does.
    void OpenLogs()
    {
        ASSERT_TRUE(OpenUninstallLog(run, RunLogPath()));
        ASSERT_TRUE(OpenCopyLog(run, CopyLogPath()));
    }
    std::wstring RunLogPath() const { return dir / L".UNINST.INF"; }
    std::wstring CopyLogPath() const { return dir / L"update.log"; }

    // The copy log as it is on the disk.
    std::string CopyLogText() const { return ReadBytes(CopyLogPath()); }
    // The run log after its header and the line of the copy log.
    std::string RunLogFileLines() const
    {
        std::string text = ReadBytes(RunLogPath());
        std::string opening = "ORVEK V3.5\nfile 0 0 " + Narrow(CopyLogPath()) + "\n";
        if (text.compare(0, opening.size(), opening) != 0) return "unexpected start: " + text;
        return text.substr(opening.size());
    }

    // Declared in this order so the logs close before the folder goes.
    TempDir dir;
    ScriptedUi ui;
    InstallRun run{ui};
};

// Shared set-up of the copy-engine tests: a fresh temporary folder, a new run
// (logs, counter, system kind and Windows folder as the system has them) and the
// scripted user.
#pragma once

#include "files/logs/CopyLog.h"
#include "files/run/InstallRun.h"
#include "files/logs/UninstallLog.h"
#include "platform/SystemInfo.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"
#include "files/engine/RunLogs.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>

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

// The copy log that one path through the engine writes for one file, as it is on
// the disk: tests/files/data/copylog/NAME.log, with <src>, <dst> and <temp> standing
// for the paths. One file per path, so a change of the log is made in one place.
inline std::string ExpectedCopyLog(const std::string& name, const std::wstring& src, const std::wstring& dst,
                                   const std::wstring& temp = {})
{
    const std::wstring file = WinePathOf(COPY_LOG_DIR) + L"\\" + std::wstring(name.begin(), name.end()) + L".log";
    std::string text = ReadBytes(file);
    if (text.empty()) return "(no expected copy log " + Narrow(file) + ")";
    const std::pair<std::string, std::wstring> paths[] = {{"<src>", src}, {"<dst>", dst}, {"<temp>", temp}};
    for (const auto& [mark, path] : paths)
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.replace(at, mark.size(), Narrow(path));
    return Crlf(text);
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

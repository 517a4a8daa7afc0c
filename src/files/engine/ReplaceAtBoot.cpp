#include "files/engine/ReplaceAtBoot.h"

#include "files/run/InstallRun.h"
#include "framework/Handles.h"
#include "platform/AnsiNames.h"
#include "platform/PathUtil.h"
#include "platform/SystemInfo.h"

#include <windows.h>

namespace {

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Appends entries (lines ended by CR LF) to "wininit.ini" in the Windows folder,
// after "[rename]" when they are the run's first. False on any file error.
bool AppendWininitEntries(InstallRun& run, const std::string& entries)
{
    const std::wstring& windows = run.windowsFolder;
    if (windows.empty()) return false;
    const std::wstring path = JoinPath(windows, L"wininit.ini");
    fw::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;

    std::string text;
    // An unterminated last line would swallow our first one.
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return false;
    if (size.QuadPart > 0) {
        LARGE_INTEGER last{};
        last.QuadPart = size.QuadPart - 1;
        char byte = 0;
        DWORD read = 0;
        if (!::SetFilePointerEx(file.Get(), last, nullptr, FILE_BEGIN) ||
            !::ReadFile(file.Get(), &byte, 1, &read, nullptr) || read != 1)
            return false;
        if (byte != '\n') text += "\r\n";
    }
    if (!run.RestartNeeded()) text += "[rename]\r\n";
    text += entries;

    LARGE_INTEGER zero{};
    if (!::SetFilePointerEx(file.Get(), zero, nullptr, FILE_END)) return false;
    return WriteAll(file.Get(), text);
}

}  // namespace

bool ScheduleReplaceAtBoot(InstallRun& run, const std::wstring& temp, const std::wstring& dest)
{
    // The system reads these names at start-up: a look-alike would replace or
    // delete another file. Both files are there, so a short name will do.
    std::string destName;
    std::string tempName;
    if (!ExactAnsi(AnsiNameOf(dest), destName) || destName.empty() || !ExactAnsi(AnsiNameOf(temp), tempName) ||
        tempName.empty())
        return false;
    return AppendWininitEntries(run, "NUL=" + destName + "\r\n" + destName + "=" + tempName + "\r\n");
}

bool ScheduleRemovalAtRestart(InstallRun& run, const std::wstring& path)
{
    switch (run.systemKind) {
    case SystemKind::NtFamily:
        return run.moveFile(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    case SystemKind::Win95Family:
    {
        std::string name;
        if (!ExactAnsi(AnsiNameOf(path), name) || name.empty()) return false;
        return AppendWininitEntries(run, "NUL=" + name + "\r\n");
    }
    case SystemKind::Old16BitHost:
        return false;
    }
    return false;
}

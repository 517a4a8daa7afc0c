// install.exe: the sample package installer of the sample medium. setup.exe runs
// a package's installer in that package's plg folder on the medium and waits for
// it. This one only records that it ran: it appends one UTF-8 line to
// %TEMP%\orvek-package-installers.log (the user's temporary folder, as
// GetTempPathW finds it; the medium itself may be a read-only DVD) and ends.
// It shows no window.
//
// PACKAGE_INSTALLER_WAIT_FOR=path: after the line is written, the installer
// waits until path exists (at most ten minutes), as a package installer that
// takes its time does; a test stops setup.exe meanwhile.
//
// The line: time (UTC), working folder and command line, separated by tabs, ending with LF:
//   2024-05-01T09:30:00Z<TAB>cwd=Z:\medium\data\Lumi\plg<TAB>cmdline=install.exe Z:\...
// Exit code 0 when the line was written, 1 when it could not be.
#include "RecordFile.h"

#include <cstdio>
#include <string>

namespace {

const wchar_t kLogName[] = L"orvek-package-installers.log";

std::wstring UtcTimestamp()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return text;
}

std::wstring CurrentFolder()
{
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    DWORD length = GetCurrentDirectoryW(size, folder.data());
    folder.resize(length < size ? length : 0);
    return folder;
}

std::wstring EnvironmentText(const wchar_t* name)
{
    wchar_t value[MAX_PATH + 1] = {};
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? std::wstring(value, length) : std::wstring();
}

void WaitForFile(const std::wstring& path)
{
    if (path.empty()) return;
    const ULONGLONG limit = GetTickCount64() + 10 * 60 * 1000;
    while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < limit) Sleep(50);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t temp[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return 1;

    std::wstring line = UtcTimestamp() + L"\tcwd=" + companion::OneLine(CurrentFolder()) +
                        L"\tcmdline=" + companion::OneLine(GetCommandLineW()) + L"\n";
    const bool written = companion::AppendToFile(std::wstring(temp) + kLogName, companion::Utf8(line));
    WaitForFile(EnvironmentText(L"PACKAGE_INSTALLER_WAIT_FOR"));
    return written ? 0 : 1;
}

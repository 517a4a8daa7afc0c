// recorder.exe: a stand-in for the programs setup.exe starts (PostSetup.exe, a
// package's installer). Tests copy it under those names; each start appends one
// record to the record file, so a test can see how the program was started.
//
// Record file: RECORDER_LOG, else recorder.log beside the program. UTF-8, one
// record per start, a "key=value" line each, a blank line after the record:
//   cmdline=<GetCommandLineW>
//   cwd=<GetCurrentDirectoryW>
//   module=<this program's file>
//   argc=<n>
//   arg0=<first argument as CommandLineToArgvW splits it> ... arg<n-1>=...
// Lines end with LF; CR and LF inside a value are written as blanks.
//
// RECORDER_WAIT_FOR: a file; the record is written only once it exists, so a
// test decides when the program ends (a caller that does not wait for it finds
// no record). Not there within two minutes: no record, exit code 101.
// RECORDER_EXIT: exit code (default 0). A record that cannot be written ends the
// program with code 100.
#include "RecordFile.h"

#include <shellapi.h>
#include <string>

namespace {

constexpr int kRecordFailed = 100;
constexpr int kNotReleased = 101;
constexpr ULONGLONG kReleaseLimitMs = 120000;

std::wstring CurrentFolder()
{
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    DWORD length = GetCurrentDirectoryW(size, folder.data());
    folder.resize(length < size ? length : 0);
    return folder;
}

std::wstring ProgramPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // the name was cut to the buffer
    }
}

std::wstring EnvironmentText(const wchar_t* name)
{
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size <= 1) return {};
    std::wstring value(size, L'\0');
    DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

// True once path exists; false when it did not come within the limit.
bool WaitForFile(const std::wstring& path)
{
    const ULONGLONG limit = GetTickCount64() + kReleaseLimitMs;
    while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount64() > limit) return false;
        Sleep(10);
    }
    return true;
}

std::wstring RecordFilePath(const std::wstring& programPath)
{
    const std::wstring path = EnvironmentText(L"RECORDER_LOG");
    if (!path.empty()) return path;
    return programPath.substr(0, programPath.find_last_of(L"\\/") + 1) + L"recorder.log";
}

void AddValue(std::wstring& record, const std::wstring& key, const std::wstring& value)
{
    record += key + L'=' + companion::OneLine(value) + L"\n";
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::wstring release = EnvironmentText(L"RECORDER_WAIT_FOR");
    if (!release.empty() && !WaitForFile(release)) return kNotReleased;

    std::wstring programPath = ProgramPath();
    std::wstring record;
    AddValue(record, L"cmdline", GetCommandLineW());
    AddValue(record, L"cwd", CurrentFolder());
    AddValue(record, L"module", programPath);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    AddValue(record, L"argc", std::to_wstring(argv ? argc : 0));
    for (int i = 0; argv && i < argc; ++i) AddValue(record, L"arg" + std::to_wstring(i), argv[i]);
    if (argv) LocalFree(argv);
    record += L"\n";

    if (!companion::AppendToFile(RecordFilePath(programPath), companion::Utf8(record)))
        return kRecordFailed;
    return static_cast<int>(companion::EnvironmentNumber(L"RECORDER_EXIT", 0));
}

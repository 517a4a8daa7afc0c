// atdpi DPI PROGRAM [ARGUMENTS...]
//
// Runs PROGRAM at a display scale of DPI dots per inch and ends with its exit
// code. Wine takes the scale from the registry when a program starts: LogPixels
// of HKCU\Control Panel\Desktop, which HKLM\...\Hardware Profiles\Current\Software\Fonts
// stands in for when it is missing. Both are set for the run and put back as
// they were afterwards, also when the program fails or has to be stopped. The
// program learns the scale it was started for from SETUP_TEST_DPI and checks
// that the system gives it that scale.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Place {
    HKEY root;
    const wchar_t* key;
};
const Place kPlaces[] = {
    {HKEY_CURRENT_USER, L"Control Panel\\Desktop"},
    {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"},
};
constexpr wchar_t kValue[] = L"LogPixels";
// Below the test's own timeout, so the scale is put back before CTest stops us.
constexpr DWORD kLongestRunMs = 270000;

struct Saved {
    bool present = false;
    DWORD value = 0;
};

Saved Read(const Place& place)
{
    Saved saved;
    DWORD size = sizeof(saved.value);
    DWORD type = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(place.root, place.key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return saved;
    saved.present = ::RegQueryValueExW(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&saved.value), &size) ==
                        ERROR_SUCCESS && type == REG_DWORD;
    ::RegCloseKey(key);
    return saved;
}

bool Write(const Place& place, const Saved& saved)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(place.root, place.key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = saved.present ? ::RegSetValueExW(key, kValue, 0, REG_DWORD,
                                                   reinterpret_cast<const BYTE*>(&saved.value), sizeof(saved.value))
                                : ::RegDeleteValueW(key, kValue);
    if (!saved.present && result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// A Linux path (as CMake gives it) as Wine's drive Z: shows it.
std::wstring WindowsPath(std::wstring path)
{
    if (path.empty() || path[0] != L'/') return path;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return L"Z:" + path;
}

std::wstring Quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int dpi = argc >= 3 ? _wtoi(argv[1]) : 0;
    if (dpi <= 0) {
        std::fprintf(stderr, "usage: atdpi DPI PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    std::wstring command = Quoted(WindowsPath(argv[2]));
    for (int i = 3; i < argc; ++i) command += L" " + Quoted(argv[i]);

    std::vector<Saved> saved;
    for (const Place& place : kPlaces) saved.push_back(Read(place));
    int exitCode = 1;
    bool set = true;
    for (const Place& place : kPlaces) set = Write(place, Saved{true, static_cast<DWORD>(dpi)}) && set;
    if (!set) {
        std::fprintf(stderr, "atdpi: LogPixels could not be set (error %lu)\n", ::GetLastError());
    } else {
        ::SetEnvironmentVariableW(L"SETUP_TEST_DPI", std::to_wstring(dpi).c_str());
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                              &process)) {
            std::fprintf(stderr, "atdpi: the program could not be started (error %lu)\n", ::GetLastError());
        } else {
            if (::WaitForSingleObject(process.hProcess, kLongestRunMs) != WAIT_OBJECT_0) {
                std::fprintf(stderr, "atdpi: the program did not end in %lu s: stopped\n", kLongestRunMs / 1000);
                ::TerminateProcess(process.hProcess, 1);
                ::WaitForSingleObject(process.hProcess, INFINITE);
            }
            DWORD code = 1;
            if (::GetExitCodeProcess(process.hProcess, &code)) exitCode = static_cast<int>(code);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
    }
    for (size_t i = 0; i < saved.size(); ++i) {
        if (!Write(kPlaces[i], saved[i])) {
            std::fprintf(stderr, "atdpi: LogPixels could not be put back\n");
            exitCode = exitCode ? exitCode : 1;
        }
    }
    return exitCode;
}

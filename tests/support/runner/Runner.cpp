// runner.exe PROGRAM [ARGUMENTS...]: starts PROGRAM with the rest of its own
// command line as it stands, waits for it and prints its exit code. Linux sees
// only the low byte of a Windows program's exit code; 3010 and 1603 need all of it.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The command line after runner.exe's own program token.
std::wstring RestOfCommandLine()
{
    const wchar_t* line = ::GetCommandLineW();
    bool quoted = false;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line)
        if (*line == L'"') quoted = !quoted;
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

}  // namespace

int wmain()
{
    std::wstring command = RestOfCommandLine();
    if (command.empty()) return 2;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("start failed %lu\n", ::GetLastError());
        return 3;
    }
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    std::printf("exit code %lu\n", code);
    return 0;
}

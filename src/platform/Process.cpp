#include "platform/Process.h"

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <vector>

namespace {

bool NeedsQuotes(const std::wstring& argument)
{
    return argument.empty() || argument.find_first_of(L" \t\n\v\"") != std::wstring::npos;
}

// CreateProcessW may write into its command line: it gets a copy of its own.
// application (may be empty) names the program file itself, so that nothing is
// searched for it.
bool Create(const std::wstring& application, const std::wstring& commandLine, const std::wstring& workingDir,
            bool inheritHandles, STARTUPINFOW& startup, fw::ScopedProcessInfo& info)
{
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    return ::CreateProcessW(application.empty() ? nullptr : application.c_str(), line.data(), nullptr, nullptr,
                            inheritHandles, 0, nullptr, workingDir.empty() ? nullptr : workingDir.c_str(), &startup,
                            info.Receive()) != FALSE;
}

// Dispatches what waits, as the main loop would. A quit is taken off the queue
// and remembered: left there, it would wake the wait at once, again and again.
void DispatchWaiting(bool& quitSeen, WPARAM& quitCode)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitSeen = true;
            quitCode = msg.wParam;
            continue;
        }
        if (fw::IsModelessDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

std::wstring QuoteArgument(const std::wstring& argument)
{
    if (!NeedsQuotes(argument)) return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only in front of a quote.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring ShortFormWhenLong(const std::wstring& path)
{
    if (path.size() < MAX_PATH || path.compare(0, 2, L"\\\\") == 0) return path;
    std::wstring shortForm = ShortPathName(L"\\\\?\\" + path);
    if (shortForm.empty()) return path;
    if (shortForm.compare(0, 4, L"\\\\?\\") == 0) shortForm.erase(0, 4);
    return shortForm.size() < MAX_PATH ? shortForm : path;
}

bool RunAndWait(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingDir,
                DWORD* exitCode, unsigned long* error)
{
    if (error) *error = 0;
    // A file name cannot hold a quote, so the program's path needs no escapes.
    const std::wstring file = ShortFormWhenLong(program);
    std::wstring commandLine = L"\"" + file + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    fw::ScopedProcessInfo info;
    if (!Create(file, commandLine, ShortFormWhenLong(workingDir), false, startup, info)) {
        if (error) *error = ::GetLastError();
        return false;
    }

    HANDLE process = info.Process();
    bool quitSeen = false;
    WPARAM quitCode = 0;
    // The wait wakes only for messages that arrive later: first what is there.
    DispatchWaiting(quitSeen, quitCode);
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 + 1) {
            DispatchWaiting(quitSeen, quitCode);
            continue;
        }
        if (woken == WAIT_FAILED) ::WaitForSingleObject(process, INFINITE);
        break;
    }
    if (exitCode && !::GetExitCodeProcess(process, exitCode)) *exitCode = STILL_ACTIVE;
    if (quitSeen) ::PostQuitMessage(static_cast<int>(quitCode));
    return true;
}

bool StartProcess(const std::wstring& commandLine, const std::wstring& workingDir, unsigned long* error)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    fw::ScopedProcessInfo info;
    const bool started = Create(std::wstring(), commandLine, workingDir, true, startup, info);
    if (error) *error = started ? 0 : ::GetLastError();
    return started;
}

#include "support/Win32Support.h"

std::wstring WinePathOf(const std::string& unixPath)
{
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

namespace {

// Dispatches what waits; false (and the quit taken off the queue) when WM_QUIT came.
bool DispatchWaiting(WPARAM* quitCode)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            if (quitCode) *quitCode = msg.wParam;
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace

bool PumpFor(DWORD ms, WPARAM* quitCode)
{
    const DWORD end = ::GetTickCount() + ms;
    do {
        if (!DispatchWaiting(quitCode)) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
    return true;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    while (!condition()) {
        if (!DispatchWaiting(nullptr) || static_cast<LONG>(end - ::GetTickCount()) <= 0) return condition();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

bool PumpWaiting()
{
    return DispatchWaiting(nullptr);
}

bool StartSymlink(const std::wstring& folder, const std::wstring& name, const std::wstring& target)
{
    std::wstring commandLine = L"ln -s " + target + L" " + name;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    fw::ScopedProcessInfo ln;
    return ::CreateProcessW(L"Z:\\bin\\ln", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &si, ln.Receive()) != FALSE;
}

bool MakeFileSymlink(const std::wstring& folder, const std::wstring& name, const std::wstring& target)
{
    if (!StartSymlink(folder, name, target)) return false;
    // A Linux program's handle is signalled before it is done: wait for the link.
    return PumpUntil([&] { return ::GetFileAttributesW((folder + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES; },
                     5000);
}

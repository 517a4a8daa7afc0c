#include "platform/SystemInfo.h"

namespace {
std::optional<SystemKind> g_givenKind;
std::wstring g_windowsFolder;  // empty until first use
}

SystemKind SystemKindFromVersion(DWORD version)
{
    if ((version & 0x80000000u) == 0) return SystemKind::NtFamily;
    return (version & 0xFFu) < 4 ? SystemKind::Old16BitHost : SystemKind::Win95Family;
}

SystemKind GetSystemKind()
{
    if (g_givenKind) return *g_givenKind;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return SystemKindFromVersion(::GetVersion());
#pragma GCC diagnostic pop
}

void SetSystemKind(std::optional<SystemKind> kind)
{
    g_givenKind = kind;
}

const std::wstring& WindowsFolder()
{
    if (g_windowsFolder.empty()) {
        wchar_t buffer[MAX_PATH + 1] = {};
        UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH + 1);
        if (length > 0 && length <= MAX_PATH) g_windowsFolder.assign(buffer, length);
    }
    return g_windowsFolder;
}

void SetWindowsFolder(const std::wstring& folder)
{
    g_windowsFolder = folder;
}

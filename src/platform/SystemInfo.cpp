#include "platform/SystemInfo.h"

namespace {

DWORD VersionWord()
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ::GetVersion();
#pragma GCC diagnostic pop
}

}  // namespace

SystemKind SystemKindFromVersion(DWORD version)
{
    if ((version & 0x80000000u) == 0) return SystemKind::NtFamily;
    return (version & 0xFFu) < 4 ? SystemKind::Old16BitHost : SystemKind::Win95Family;
}

SystemKind CurrentSystemKind()
{
    return SystemKindFromVersion(VersionWord());
}

bool IsXpOrLater(SystemKind kind)
{
    if (kind != SystemKind::NtFamily) return false;
    const DWORD version = VersionWord();
    const int major = LOBYTE(LOWORD(version));
    const int minor = HIBYTE(LOWORD(version));
    return major > 5 || (major == 5 && minor > 0);
}

std::wstring QueryWindowsFolder()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

std::wstring QuerySystemFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

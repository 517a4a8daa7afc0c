#include "framework/UserInterface.h"

#include "framework/Strings.h"

namespace fw {

std::wstring UserInterface::LoadStr(UINT id) const
{
    return fw::LoadStr(resources_, id);
}

int UserInterface::Message(const std::wstring& text, UINT flags)
{
    return ShowMessage(0, text, flags, std::wstring());
}

int UserInterface::MessageId(UINT id, UINT flags, const std::wstring& arg1, const std::wstring& arg2)
{
    return ShowMessage(id, FormatStr(resources_, id, arg1, arg2), flags, std::wstring());
}

bool ProgramPath(std::wstring& path)
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    // A cut path names another file; better none than that.
    if (length == 0 || length >= MAX_PATH) {
        path.clear();
        return false;
    }
    path.assign(buffer, length);
    return true;
}

std::wstring AppName()
{
    std::wstring name;
    ProgramPath(name);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

}  // namespace fw

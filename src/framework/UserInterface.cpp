#include "framework/UserInterface.h"

#include "framework/Strings.h"

namespace fw {

namespace {
UserInterface* g_ui = nullptr;  // not owned; set by tests
}

int WindowsUserInterface::ShowMessage(UINT, const std::wstring& text, UINT flags, const std::wstring& caption)
{
    const std::wstring title = caption.empty() ? AppName() : caption;
    return ::MessageBoxW(::GetActiveWindow(), text.c_str(), title.c_str(), flags);
}

UserInterface& Ui()
{
    static WindowsUserInterface real;
    return g_ui ? *g_ui : real;
}

void SetUi(UserInterface* ui)
{
    g_ui = ui;
}

std::wstring AppName()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length < MAX_PATH ? length : 0);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

int Message(const std::wstring& text, UINT flags)
{
    return Ui().ShowMessage(0, text, flags, std::wstring());
}

int MessageId(UINT id, UINT flags, const std::wstring& arg1, const std::wstring& arg2)
{
    return Ui().ShowMessage(id, FormatStr(id, arg1, arg2), flags, std::wstring());
}

}  // namespace fw

#include "platform/Win32Error.h"

#include "framework/Handles.h"

#include <windows.h>

#include <cwchar>

std::wstring ErrorSuffix(unsigned long error)
{
    return error ? ErrorCodeSuffix(error) : std::wstring();
}

std::wstring ErrorCodeSuffix(unsigned long error)
{
    return L" (error " + std::to_wstring(error) + L")";
}

std::wstring HresultSuffix(long result)
{
    wchar_t text[32];
    std::swprintf(text, 32, L" (HRESULT 0x%08lX)", static_cast<unsigned long>(result));
    return text;
}

std::wstring Win32ErrorText(unsigned long error)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    fw::ScopedLocal owner(text);
    std::wstring result = L"error " + std::to_wstring(error);
    if (length == 0 || !text) return result;
    std::wstring message(text, length);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return result + L": " + message;
}

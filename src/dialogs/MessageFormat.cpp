#include "dialogs/MessageFormat.h"

#include "framework/Handles.h"
#include "framework/Strings.h"

#include <windows.h>

#include <array>

namespace {

// FormatMessageW reads as many arguments as the highest insert names; a text
// with more inserts than we give must not read past the array.
constexpr std::size_t kMostInserts = 99;

}  // namespace

std::wstring FormatMessageText(const std::wstring& pattern, const std::wstring& arg1, const std::wstring& arg2)
{
    if (pattern.empty()) return pattern;
    std::array<DWORD_PTR, kMostInserts> args;
    args.fill(reinterpret_cast<DWORD_PTR>(L""));
    args[0] = reinterpret_cast<DWORD_PTR>(arg1.c_str());
    args[1] = reinterpret_cast<DWORD_PTR>(arg2.c_str());

    wchar_t* formatted = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER, pattern.c_str(),
        0, 0, reinterpret_cast<LPWSTR>(&formatted), 0, reinterpret_cast<va_list*>(args.data()));
    fw::ScopedLocal owner(formatted);
    if (length == 0 || !formatted) return fw::FormatText(pattern, arg1, arg2);
    return std::wstring(formatted, length);
}

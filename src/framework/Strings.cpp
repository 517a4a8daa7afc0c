#include "framework/Strings.h"

namespace fw {

std::wstring LoadStr(HINSTANCE module, UINT id)
{
    if (!module) module = ::GetModuleHandleW(nullptr);
    // With a zero length LoadStringW hands out a pointer into the resource itself,
    // so texts of any length come through whole.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return std::wstring();
    return std::wstring(text, static_cast<size_t>(length));
}

std::wstring FormatText(const std::wstring& pattern, const std::wstring& arg1, const std::wstring& arg2)
{
    std::wstring out;
    out.reserve(pattern.size() + arg1.size() + arg2.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && (pattern[i + 1] == L'1' || pattern[i + 1] == L'2')) {
            out += pattern[i + 1] == L'1' ? arg1 : arg2;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::wstring FormatStr(HINSTANCE module, UINT id, const std::wstring& arg1, const std::wstring& arg2)
{
    return FormatText(LoadStr(module, id), arg1, arg2);
}

}  // namespace fw

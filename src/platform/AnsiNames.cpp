#include "platform/AnsiNames.h"

#include "platform/PathUtil.h"

#include <windows.h>

#include <climits>

namespace {

// ASCII is the same bytes in every ANSI code page: most names and every fixed
// text of the logs take no conversion at all.
std::string Narrowed(std::wstring_view ascii)
{
    std::string bytes(ascii.size(), '\0');
    for (std::size_t i = 0; i < ascii.size(); ++i) bytes[i] = static_cast<char>(ascii[i]);
    return bytes;
}

}  // namespace

bool ExactAnsi(std::wstring_view text, std::string& bytes)
{
    bytes.clear();
    if (IsAscii(text)) {
        bytes = Narrowed(text);
        return true;
    }
    if (text.size() > INT_MAX / 4) return false;
    // The UTF-8 page takes neither flag nor default character; the read-back
    // below finds what it cannot carry (a lone surrogate).
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, used);
    if (size <= 0 || usedDefault) return false;
    bytes.resize(static_cast<std::size_t>(size));
    if (::WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), size, nullptr, used) != size ||
        usedDefault) {
        bytes.clear();
        return false;
    }
    // A page may map a character to bytes that read back as another one.
    const int back = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring read(back > 0 ? static_cast<std::size_t>(back) : 0, L'\0');
    if (back <= 0 || ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, read.data(), back) != back ||
        read != text) {
        bytes.clear();
        return false;
    }
    return true;
}

bool IsExactAnsi(std::wstring_view text)
{
    std::string bytes;
    return ExactAnsi(text, bytes);
}

std::string AnsiText(std::wstring_view text)
{
    if (IsAscii(text)) return Narrowed(text);
    // One conversion: what the page holds comes out as ExactAnsi gives it.
    std::string bytes;
    if (text.size() > INT_MAX / 4) return bytes;
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = utf8 ? nullptr : "?";
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, fallback, nullptr);
    if (size <= 0) return bytes;
    bytes.resize(static_cast<std::size_t>(size));
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), size, fallback, nullptr);
    return bytes;
}

std::wstring AnsiNameOf(const std::wstring& path)
{
    if (IsExactAnsi(path)) return path;
    // From the whole path up, the first part that exists gives the short form;
    // the part that does not convert must lie within it.
    std::size_t end = path.size();
    while (end > 0 && path[end - 1] == L'\\') --end;
    while (end > 2) {  // a bare drive ("C:") is no part to shorten
        const std::wstring part = path.substr(0, end);
        const std::wstring shortPart = ShortPathName(part);
        if (!shortPart.empty()) {
            const std::wstring name = shortPart + path.substr(end);
            return IsExactAnsi(name) ? name : std::wstring();
        }
        end = ParentFolder(part).size();
        while (end > 0 && path[end - 1] == L'\\') --end;
    }
    return std::wstring();
}

#include "platform/ProfileSyntax.h"

#include <algorithm>

bool IsProfileBlank(wchar_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

void TrimProfileRange(const wchar_t*& begin, const wchar_t*& end)
{
    while (begin < end && IsProfileBlank(*begin)) ++begin;
    while (end > begin && IsProfileBlank(end[-1])) --end;
}

std::wstring_view ProfileTrimmed(std::wstring_view text)
{
    const wchar_t* begin = text.data();
    const wchar_t* end = begin + text.size();
    TrimProfileRange(begin, end);
    return std::wstring_view(begin, static_cast<std::size_t>(end - begin));
}

std::wstring_view ProfileLeadingTrimmed(std::wstring_view text)
{
    std::size_t from = 0;
    while (from < text.size() && IsProfileBlank(text[from])) ++from;
    return text.substr(from);
}

std::wstring_view UpToNul(std::wstring_view text)
{
    return text.substr(0, std::min(text.find(L'\0'), text.size()));
}

std::wstring UpToNul(const wchar_t* begin, const wchar_t* end)
{
    return std::wstring(begin, std::find(begin, end, L'\0'));
}

namespace {

wchar_t FoldedProfileChar(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

}  // namespace

std::uint64_t ProfileNameHash(std::wstring_view name, std::uint64_t seed)
{
    std::uint64_t hash = 0xCBF29CE484222325ull ^ seed;
    for (wchar_t c : name) hash = (hash ^ static_cast<std::uint64_t>(FoldedProfileChar(c))) * 0x100000001B3ull;
    return hash;
}

bool SameProfileName(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldedProfileChar(a[i]) != FoldedProfileChar(b[i])) return false;
    return true;
}

bool HasLineBreak(std::wstring_view text)
{
    return text.find_first_of(L"\r\n") != std::wstring::npos;
}

ProfileLine ReadProfileLine(const wchar_t* begin, const wchar_t* end)
{
    ProfileLine line;
    TrimProfileRange(begin, end);
    if (begin >= end) return line;
    if (*begin == L'[') {
        // What follows the last "]" is dropped.
        const wchar_t* close = end;
        while (close > begin && close[-1] != L']') --close;
        if (close > begin) {
            line.kind = ProfileLine::Header;
            line.nameBegin = begin + 1;
            line.nameEnd = close - 1;
            TrimProfileRange(line.nameBegin, line.nameEnd);
            return line;
        }
    }
    line.kind = ProfileLine::Entry;
    line.nameBegin = begin;
    line.nameEnd = std::find(begin, end, L'=');
    if (line.nameEnd < end) {
        line.hasValue = true;
        line.valueBegin = line.nameEnd + 1;
        line.valueEnd = end;
        while (line.nameEnd > begin && IsProfileBlank(line.nameEnd[-1])) --line.nameEnd;
        while (line.valueBegin < end && IsProfileBlank(*line.valueBegin)) ++line.valueBegin;
    }
    return line;
}

std::wstring CopyProfileEntry(std::wstring_view value, DWORD bufferChars)
{
    const bool quoted = value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0];
    const std::size_t from = quoted ? 1 : 0;
    const std::size_t rest = value.size() - from;
    std::wstring copy(value.substr(from, std::min<std::size_t>(rest, bufferChars - 1)));
    if (quoted && bufferChars >= rest && !copy.empty()) copy.pop_back();
    return copy;
}

unsigned ProfileNumber(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] <= L' ') ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) minus = text[i++] == L'-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == L'0') {
        const wchar_t mark = text[i + 1];
        base = mark == L'b' ? 2 : mark == L'o' ? 8 : mark == L'x' ? 16 : 10;
        if (base != 10) i += 2;
    }
    unsigned total = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        unsigned digit = 99;
        if (c >= L'0' && c <= L'9') digit = static_cast<unsigned>(c - L'0');
        else if (c >= L'A' && c <= L'Z') digit = static_cast<unsigned>(c - L'A' + 10);
        else if (c >= L'a' && c <= L'z') digit = static_cast<unsigned>(c - L'a' + 10);
        if (digit >= base) break;
        total = total * base + digit;
    }
    return minus ? 0u - total : total;
}


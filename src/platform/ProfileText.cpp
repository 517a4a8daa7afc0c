#include "platform/ProfileText.h"

#include "platform/AnsiNames.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace {

constexpr unsigned char kUtf8Mark[] = {0xEF, 0xBB, 0xBF};

std::wstring FromCodePage(UINT codePage, const char* bytes, std::size_t size)
{
    std::wstring text;
    if (size == 0 || size > INT_MAX) return text;
    const int length = ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), nullptr, 0);
    if (length <= 0) return text;
    text.resize(static_cast<std::size_t>(length));
    ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), text.data(), length);
    return text;
}

std::string ToCodePage(UINT codePage, std::wstring_view text)
{
    std::string bytes;
    if (text.empty() || text.size() > INT_MAX / 4) return bytes;
    const int length =
        ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return bytes;
    bytes.resize(static_cast<std::size_t>(length));
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                          nullptr);
    return bytes;
}

wchar_t Swapped(wchar_t c)
{
    return static_cast<wchar_t>(((c & 0xFF) << 8) | ((c >> 8) & 0xFF));
}

}  // namespace

ProfileEncoding ProfileTextEncoding(const void* bytes, std::size_t size)
{
    const auto* data = static_cast<const unsigned char*>(bytes);
    if (size >= sizeof(kUtf8Mark) && std::memcmp(data, kUtf8Mark, sizeof(kUtf8Mark)) == 0) return ProfileEncoding::Utf8;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) return ProfileEncoding::Utf16Le;
    if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) return ProfileEncoding::Utf16Be;
    return ProfileEncoding::Ansi;
}

ProfileEncoding DecodeProfileText(const void* bytes, std::size_t size, std::wstring& text)
{
    const auto* data = static_cast<const unsigned char*>(bytes);
    text.clear();
    const ProfileEncoding encoding = ProfileTextEncoding(bytes, size);
    if (encoding == ProfileEncoding::Utf8) {
        text = FromCodePage(CP_UTF8, reinterpret_cast<const char*>(data) + 3, size - 3);
        return encoding;
    }
    if (encoding == ProfileEncoding::Ansi) {
        text = FromCodePage(CP_ACP, reinterpret_cast<const char*>(data), size);
        return encoding;
    }
    const bool little = encoding == ProfileEncoding::Utf16Le;
    const std::size_t body = size - 2;
    text.resize(body / 2);
    for (std::size_t i = 0; i < body / 2; ++i) {
        const unsigned char first = data[2 + 2 * i];
        const unsigned char second = data[3 + 2 * i];
        text[i] = little ? static_cast<wchar_t>(first | (second << 8)) : static_cast<wchar_t>((first << 8) | second);
    }
    // The platform reads a whole character here, one byte past its buffer; with
    // that byte zero (the usual case) the character is the last byte itself.
    if (body % 2) text.push_back(static_cast<wchar_t>(data[size - 1]));
    return little ? ProfileEncoding::Utf16Le : ProfileEncoding::Utf16Be;
}

std::string EncodeProfileText(const std::wstring& text, ProfileEncoding encoding, bool withMark)
{
    switch (encoding) {
    case ProfileEncoding::Ansi:
        return ToCodePage(CP_ACP, text);
    case ProfileEncoding::Utf8:
        return (withMark ? std::string(reinterpret_cast<const char*>(kUtf8Mark), sizeof(kUtf8Mark)) : std::string()) +
               ToCodePage(CP_UTF8, text);
    case ProfileEncoding::Utf16Le:
    case ProfileEncoding::Utf16Be:
        break;
    }
    const bool little = encoding == ProfileEncoding::Utf16Le;
    const std::size_t mark = withMark ? 2 : 0;
    std::string bytes(mark + 2 * text.size(), '\0');
    const wchar_t markChar = little ? 0xFEFF : Swapped(0xFEFF);
    if (withMark) std::memcpy(bytes.data(), &markChar, 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = little ? text[i] : Swapped(text[i]);
        std::memcpy(bytes.data() + mark + 2 * i, &c, 2);
    }
    return bytes;
}

std::size_t ProfileMarkSize(ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Ansi:
        return 0;
    case ProfileEncoding::Utf8:
        return sizeof(kUtf8Mark);
    case ProfileEncoding::Utf16Le:
    case ProfileEncoding::Utf16Be:
        break;
    }
    return 2;
}

std::wstring RoundTripProfileText(std::wstring_view text, ProfileEncoding encoding)
{
    if (encoding == ProfileEncoding::Utf16Le || encoding == ProfileEncoding::Utf16Be || IsAscii(text))
        return std::wstring(text);
    const UINT codePage = encoding == ProfileEncoding::Utf8 ? CP_UTF8 : CP_ACP;
    const std::string bytes = ToCodePage(codePage, text);
    return FromCodePage(codePage, bytes.data(), bytes.size());
}

bool ProfileWritesExactly(std::wstring_view text, ProfileEncoding encoding)
{
    return encoding != ProfileEncoding::Ansi || IsAscii(text) || IsExactAnsi(text);
}

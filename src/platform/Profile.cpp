#include "platform/Profile.h"

#include "framework/Handles.h"

#include <cwchar>

namespace {

constexpr DWORD kFirstKeyListChars = 32000;
// 128 MB of names: far beyond any script or catalogue, and within what a 32-bit
// process can still allocate beside the platform's own copy of the file.
constexpr DWORD kMaxKeyListChars = 1u << 26;

}  // namespace

std::wstring ReadProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                             DWORD bufferChars, const std::wstring& def)
{
    if (bufferChars == 0) return std::wstring();
    std::wstring buffer(bufferChars, L'\0');
    DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                              bufferChars, file.c_str());
    if (length >= bufferChars) length = bufferChars - 1;
    buffer.resize(length);
    return buffer;
}

std::wstring ReadWholeProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key)
{
    // A value that fills the buffer to its last character may have been cut.
    for (DWORD chars = 1024;; chars *= 2) {
        std::wstring text = ReadProfileText(file, section, key, chars);
        if (text.size() + 1 < chars || chars > kMaxKeyListChars / 2) return text;
    }
}

int ReadProfileNumber(const std::wstring& file, const std::wstring& section, const std::wstring& key, int def)
{
    return static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key.c_str(), def, file.c_str()));
}

std::vector<std::wstring> ReadProfileKeys(const std::wstring& file, const std::wstring& section)
{
    std::vector<std::wstring> keys;
    std::wstring buffer;
    DWORD length = 0;
    // A list that does not fit comes back cut, its length two short of the
    // buffer's; it is read again into one twice the size.
    for (DWORD chars = kFirstKeyListChars;; chars *= 2) {
        buffer.assign(chars, L'\0');
        length = ::GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(), chars, file.c_str());
        if (length + 2 < chars) break;
        if (chars > kMaxKeyListChars / 2) {
            ::SetLastError(ERROR_MORE_DATA);
            break;
        }
    }
    if (length >= buffer.size()) length = static_cast<DWORD>(buffer.size() - 1);
    // Names stand one after another, each ended by a terminator.
    std::size_t start = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (buffer[i] != L'\0') continue;
        if (i > start) keys.emplace_back(buffer, start, i - start);
        start = i + 1;
    }
    if (start < length) keys.emplace_back(buffer, start, length - start);
    return keys;
}

DWORD ProfileWriteError(const std::wstring& file)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // A new file: the first write creates it, when its folder exists.
        const std::wstring::size_type slash = file.find_last_of(L"\\/");
        if (slash == std::wstring::npos) return 0;
        const DWORD folder = ::GetFileAttributesW(file.substr(0, slash + 1).c_str());
        if (folder == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = ::GetLastError();
            return error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error;
        }
        return (folder & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ERROR_PATH_NOT_FOUND;
    }
    // Windows refuses to rewrite a read-only file; Wine run by root would not.
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
    const fw::ScopedFile handle(::CreateFileW(file.c_str(), GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle.Valid() ? 0 : ::GetLastError();
}

std::wstring ReadWindowsProfileText(const std::wstring& section, const std::wstring& key, DWORD bufferChars)
{
    if (bufferChars == 0) return std::wstring();
    std::wstring buffer(bufferChars, L'\0');
    DWORD length = ::GetProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(), bufferChars);
    if (length >= bufferChars) length = bufferChars - 1;
    buffer.resize(length);
    return buffer;
}

std::wstring FormatNumber(int value)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%d", value);
    return text;
}

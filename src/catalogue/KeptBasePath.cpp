#include "catalogue/KeptBasePath.h"

#include "framework/Handles.h"
#include "platform/PathUtil.h"
#include "platform/ProfileText.h"

#include <windows.h>

#include <vector>

namespace {

constexpr wchar_t kLineEnd[] = L"\r\n";
constexpr DWORD kLongestFile = 64 * 1024;

Win32Result WriteWhole(const std::wstring& path, const std::string& bytes)
{
    fw::ScopedFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Win32Result::Failed(::GetLastError());
    DWORD written = 0;
    if (!::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return Win32Result::Failed(::GetLastError());
    if (written != bytes.size()) return Win32Result::Failed(ERROR_WRITE_FAULT);
    if (!::FlushFileBuffers(file.Get())) return Win32Result::Failed(::GetLastError());
    return Win32Result::Done();
}

bool ReadWhole(const std::wstring& path, std::string& bytes)
{
    fw::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLongestFile) return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}

bool SameFolder(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring KeptBasePathFile(const std::wstring& adminFile)
{
    return adminFile + L".userpath";
}

Win32Result KeepBasePath(const std::wstring& adminFile, const std::wstring& usersPath, const std::wstring& mediumPath)
{
    // A line break inside a path would not read back as that path.
    if ((usersPath + mediumPath).find_first_of(kLineEnd) != std::wstring::npos)
        return Win32Result::Failed(ERROR_INVALID_DATA);
    const std::wstring text = usersPath + kLineEnd + mediumPath + kLineEnd;
    // A new name of its own in the same folder, so the move over the kept file is one step.
    std::vector<wchar_t> temp(MAX_PATH + 1, L'\0');
    if (!::GetTempFileNameW(FolderPart(adminFile).c_str(), L"ovk", 0, temp.data()))
        return Win32Result::Failed(::GetLastError());
    Win32Result result = WriteWhole(temp.data(), EncodeProfileText(text, ProfileEncoding::Utf16Le));
    if (result && !::MoveFileExW(temp.data(), KeptBasePathFile(adminFile).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result = Win32Result::Failed(::GetLastError());
    if (!result) ::DeleteFileW(temp.data());
    return result;
}

bool KeptBasePath(const std::wstring& adminFile, const std::wstring& currentPath, std::wstring& usersPath)
{
    std::string bytes;
    if (!ReadWhole(KeptBasePathFile(adminFile), bytes)) return false;
    std::wstring text;
    DecodeProfileText(bytes.data(), bytes.size(), text);
    const std::size_t first = text.find(kLineEnd);
    const std::size_t second = first == std::wstring::npos ? first : text.find(kLineEnd, first + 2);
    const bool whole = second != std::wstring::npos && second + 2 == text.size();
    if (whole && first > 0 && SameFolder(text.substr(first + 2, second - first - 2), currentPath)) {
        usersPath = text.substr(0, first);
        return true;
    }
    // One that stays is found stale again by the next run, which tries again.
    static_cast<void>(ForgetKeptBasePath(adminFile));
    return false;
}

Win32Result ForgetKeptBasePath(const std::wstring& adminFile)
{
    const std::wstring kept = KeptBasePathFile(adminFile);
    if (::DeleteFileW(kept.c_str())) return Win32Result::Done();
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Win32Result::Done();
    return Win32Result::Failed(error);
}

// Reading a profile document from its file and putting the new file in place.
#include "platform/ProfileDocument.h"

#include "framework/Handles.h"
#include "platform/FileLinks.h"
#include "platform/PathUtil.h"

#include <algorithm>
#include <climits>

namespace {

constexpr DWORD kChunkBytes = 1u << 20;
// Attributes and times go with the file even where its security cannot.
constexpr DWORD kReplaceFlags = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;

// The platform looks for a bare file name in the Windows folder.
std::wstring ProfilePath(const std::wstring& path)
{
    if (path.find_first_of(L"\\/") == std::wstring::npos && !HasDriveLetter(path)) {
        wchar_t windows[MAX_PATH] = {};
        const UINT length = ::GetWindowsDirectoryW(windows, MAX_PATH);
        if (length > 0 && length < MAX_PATH) return std::wstring(windows) + L'\\' + path;
    }
    return FullPathName(path);
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::wstring folder = FolderPart(path);
    return folder.empty() ? std::wstring(L".") : folder;
}

// The replace keeps the replaced file's attributes and creation time on
// Windows; the rename that stands in for it, and Wine's replace, do not.
void KeepTraits(const std::wstring& path, const WIN32_FILE_ATTRIBUTE_DATA& old)
{
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD now = ::GetFileAttributesW(path.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & kKept) != (old.dwFileAttributes & kKept)) {
        const DWORD wanted = (now & ~kKept) | (old.dwFileAttributes & kKept);
        ::SetFileAttributesW(path.c_str(), wanted ? wanted : FILE_ATTRIBUTE_NORMAL);
    }
    fw::ScopedFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    FILETIME created{};
    if (file && ::GetFileTime(file.Get(), &created, nullptr, nullptr) &&
        ::CompareFileTime(&created, &old.ftCreationTime) != 0)
        ::SetFileTime(file.Get(), &old.ftCreationTime, nullptr, nullptr);
}

// ReplaceFileW with a backup name of our own: without one, Wine's replace
// leaves a temporary file of its own behind when it fails. A replace that
// failed half way has left the old file under the backup name; it goes back.
bool Replace(const std::wstring& target, const wchar_t* replacement)
{
    wchar_t backup[MAX_PATH] = {};
    if (!::GetTempFileNameW(FolderOf(target).c_str(), L"ovk", 0, backup)) return false;
    const bool ok = ::ReplaceFileW(target.c_str(), replacement, backup, kReplaceFlags, nullptr, nullptr) != FALSE;
    const DWORD error = ::GetLastError();
    if (!ok && ::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
        ::GetFileAttributesW(backup) != INVALID_FILE_ATTRIBUTES)
        ::MoveFileExW(backup, target.c_str(), MOVEFILE_WRITE_THROUGH);
    ::DeleteFileW(backup);
    ::SetLastError(error);
    return ok;
}

bool ReadWhole(HANDLE file, std::string& bytes)
{
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart > INT_MAX) return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunkBytes));
        if (!::ReadFile(file, bytes.data() + done, want, &read, nullptr)) return false;
        if (read == 0) break;  // shorter than it was a moment ago
        done += read;
    }
    bytes.resize(done);
    return true;
}

}  // namespace

bool ProfileDocument::Load(const std::wstring& path)
{
    path_ = ProfilePath(path);
    Parse(nullptr, 0);
    existed_ = false;
    fw::ScopedFile file(::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    std::string bytes;
    if (!ReadWhole(file.Get(), bytes) || !Adopt(std::move(bytes))) {
        Parse(nullptr, 0);
        return false;
    }
    existed_ = true;
    return true;
}

ProfileEncoding ProfileDocument::FileEncoding(const std::wstring& path)
{
    fw::ScopedFile file(::CreateFileW(ProfilePath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > static_cast<LONGLONG>(kMaxFileBytes))
        return ProfileEncoding::Ansi;
    unsigned char mark[3] = {};
    DWORD read = 0;
    if (!::ReadFile(file.Get(), mark, sizeof(mark), &read, nullptr)) return ProfileEncoding::Ansi;
    return ProfileTextEncoding(mark, read);
}

bool ProfileDocument::Save()
{
    if (!dirty_) return true;
    if (path_.empty()) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // The run is elevated and the folder may not be its own: through a link the
    // new file would land elsewhere, and a file with a second name would lose
    // it. Either is left as it is.
    if (const FileLink link = FileLinkAt(path_); link != FileLink::None) {
        ::SetLastError(link == FileLink::Link ? kErrorFileIsLink : kErrorFileHasNames);
        return false;
    }
    const std::wstring& target = path_;
    // The platform under Wine would rewrite a read-only file; Windows refuses it.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    std::string bytes = Compose();
    if (!WriteReplacing(target, bytes)) return false;
    // What was written is what the document holds now, read as from the file.
    Adopt(std::move(bytes));
    existed_ = true;
    return true;
}

bool ProfileDocument::WriteReplacing(const std::wstring& target, const std::string& bytes) const
{
    wchar_t temporary[MAX_PATH] = {};
    if (!::GetTempFileNameW(FolderOf(target).c_str(), L"ovk", 0, temporary)) return false;
    bool ok = false;
    {
        fw::ScopedFile file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        ok = file.Valid();
        for (std::size_t done = 0; ok && done < bytes.size();) {
            DWORD written = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunkBytes));
            ok = calls_.writeFile(file.Get(), bytes.data() + done, want, &written, nullptr) && written == want;
            if (ok) done += written;
            else if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_WRITE_FAULT);
        }
        ok = ok && ::FlushFileBuffers(file.Get());
    }
    WIN32_FILE_ATTRIBUTE_DATA old{};
    const bool replacing = ::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old) != FALSE;
    // One step puts the complete new file in place of the old one: the replace
    // that keeps what the old file carries, else a plain rename over it.
    ok = ok && ((replacing && Replace(target, temporary)) ||
                ::MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    if (!ok) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary);
        ::SetLastError(error);
        return false;
    }
    if (replacing) KeepTraits(target, old);
    return true;
}

// Reading a profile document from its file and putting the new file in place.
#include "platform/ProfileDocument.h"

#include "framework/Handles.h"

#include <algorithm>
#include <climits>

namespace {

constexpr DWORD kChunkBytes = 1u << 20;

// The platform looks for a bare file name in the Windows folder.
std::wstring ProfilePath(const std::wstring& path)
{
    if (path.find_first_of(L"\\/") == std::wstring::npos && !(path.size() >= 2 && path[1] == L':')) {
        wchar_t windows[MAX_PATH] = {};
        const UINT length = ::GetWindowsDirectoryW(windows, MAX_PATH);
        if (length > 0 && length < MAX_PATH) return std::wstring(windows) + L'\\' + path;
    }
    DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    size = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(size < full.size() ? size : 0);
    return full.empty() ? path : full;
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
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
    if (!ReadWhole(file.Get(), bytes) || !Parse(bytes.data(), bytes.size())) {
        Parse(nullptr, 0);
        return false;
    }
    existed_ = true;
    return true;
}

bool ProfileDocument::Save()
{
    if (!dirty_) return true;
    // The platform under Wine would rewrite a read-only file; Windows refuses it.
    const DWORD attributes = ::GetFileAttributesW(path_.c_str());
    if (path_.empty() ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!WriteReplacing(holdsFirstWrite_ ? firstWrite_ : EncodeProfileText(Text(), encoding_))) return false;
    dirty_ = false;
    existed_ = true;
    pending_.active = false;
    holdsFirstWrite_ = false;
    firstWrite_.clear();
    return true;
}

bool ProfileDocument::WriteReplacing(const std::string& bytes) const
{
    wchar_t temporary[MAX_PATH] = {};
    if (!::GetTempFileNameW(FolderOf(path_).c_str(), L"ovk", 0, temporary)) return false;
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
    // One rename puts the complete new file in place of the old one.
    ok = ok && ::MoveFileExW(temporary, path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary);
        ::SetLastError(error);
    }
    return ok;
}

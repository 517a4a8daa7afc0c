#include "files/engine/DirectoryTree.h"

#include "framework/Handles.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"

#include <windows.h>

namespace {

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What the link points at belongs to someone else: only the link itself goes,
// and only when folders go. RemoveDirectoryW removes a link, not its target.
bool RemoveFolderLink(const std::wstring& link, bool keepFolders)
{
    return keepFolders || ::RemoveDirectoryW(link.c_str()) != FALSE;
}

}  // namespace

bool CreateDirectoryTree(const std::wstring& path)
{
    if (path.empty()) return false;
    if (IsFolder(path)) return true;
    std::wstring folder = path;
    if (folder.back() == L'\\') folder.pop_back();
    const std::size_t slash = folder.rfind(L'\\');
    if (slash != std::wstring::npos && slash > 0) {
        if (!CreateDirectoryTree(folder.substr(0, slash))) return false;
    }
    return ::CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
}

bool DeleteTree(const std::wstring& folder, bool keepFolders, std::wstring* failed, unsigned long* error)
{
    std::wstring self = folder;
    if (!self.empty() && self.back() == L'\\') self.pop_back();
    // The path and the error of the call that failed, taken at once.
    auto failWith = [&](const std::wstring& path, DWORD why) {
        if (failed && failed->empty()) *failed = path;
        if (error && *error == 0) *error = why ? why : ERROR_ACCESS_DENIED;
        return false;
    };
    auto fail = [&](const std::wstring& path) { return failWith(path, ::GetLastError()); };
    // No folder would be the current one, or with its backslash the current drive.
    if (self.empty()) return failWith(folder, ERROR_INVALID_NAME);
    if (IsFolderLink(self)) return RemoveFolderLink(self, keepFolders) || fail(self);

    WIN32_FIND_DATAW data;
    {
        fw::ScopedFind find(::FindFirstFileW(JoinPath(folder, L"*").c_str(), &data));
        if (find) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = JoinPath(folder, name);
                if (IsFolderLinkAttributes(data.dwFileAttributes)) {
                    if (!RemoveFolderLink(child, keepFolders)) return fail(child);
                } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    if (!DeleteTree(child, keepFolders, failed, error)) return false;
                } else if (!DeleteFileForced(child, true)) {
                    return fail(child);
                }
            } while (::FindNextFileW(find.Get(), &data));
        }
    }
    if (keepFolders) return true;
    return ::RemoveDirectoryW(self.c_str()) != FALSE || fail(self);
}

bool DeleteFileForced(const std::wstring& path, bool force)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        if (!force) return false;
        ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return ::DeleteFileW(path.c_str()) != FALSE;
}

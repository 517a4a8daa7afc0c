#include "files/DirectoryTree.h"

#include "framework/Handles.h"
#include "platform/PathUtil.h"

#include <windows.h>

namespace {

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

bool DeleteTree(const std::wstring& folder, bool keepFolders)
{
    WIN32_FIND_DATAW data;
    {
        fw::ScopedFind find(::FindFirstFileW(JoinPath(folder, L"*").c_str(), &data));
        if (find) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = JoinPath(folder, name);
                const bool ok = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? DeleteTree(child, keepFolders)
                                                                                  : DeleteFileForced(child, true);
                if (!ok) return false;
            } while (::FindNextFileW(find.Get(), &data));
        }
    }
    if (keepFolders) return true;
    std::wstring self = folder;
    if (!self.empty() && self.back() == L'\\') self.pop_back();
    return ::RemoveDirectoryW(self.c_str()) != FALSE;
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

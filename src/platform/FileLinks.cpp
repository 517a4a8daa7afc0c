#include "platform/FileLinks.h"

#include "platform/PathUtil.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The final path of handle in the plain form ("\\?\C:\x" as "C:\x", "\\?\UNC\s\x" as "\\s\x").
bool FinalPath(HANDLE handle, std::wstring& path)
{
    path = WithoutLongPathPrefix(FinalPathOf(handle));
    return !path.empty();
}

// path split after its last backslash: the folder (with that backslash) and the name.
void SplitLast(const std::wstring& path, std::wstring& folder, std::wstring& name)
{
    name = LastPathComponent(path);
    folder = path.substr(0, path.size() - name.size());
}

// Wine shows a Linux symbolic link to a file as the file it points at, even to
// FILE_FLAG_OPEN_REPARSE_POINT; the final path of the handle still names the
// file reached. A file reached by its own name sits in its folder (as the
// folder's final path names it) under that name. Where the final paths cannot
// be had, nothing tells of a link.
bool ReachedThroughLink(HANDLE file, const std::wstring& path)
{
    std::wstring reached;
    if (!FinalPath(file, reached)) return false;
    // Mostly the path as given, made full: no folder to look at then.
    const std::wstring full = FullPathName(path);
    if (SameName(reached, full)) return false;
    std::wstring folder;
    std::wstring name;
    SplitLast(full, folder, name);
    if (folder.empty()) return false;
    fw::ScopedFile folderHandle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::wstring folderReached;
    if (!folderHandle || !FinalPath(folderHandle.Get(), folderReached)) return false;
    if (SameName(reached, JoinPath(folderReached, name))) return false;
    // A short name: the final path holds the long one.
    std::wstring reachedFolder;
    std::wstring reachedName;
    SplitLast(reached, reachedFolder, reachedName);
    return !(SameName(WithoutTrailingBackslashes(reachedFolder), WithoutTrailingBackslashes(folderReached)) &&
             SameName(reachedName, LastPathComponent(LongPathName(folder + name))));
}

FileLink LinkOf(HANDLE file, const std::wstring& path)
{
    BY_HANDLE_FILE_INFORMATION info{};
    // No file on a disk (a device, a pipe): no link to follow; the caller judges it.
    if (!::GetFileInformationByHandle(file, &info)) return FileLink::None;
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || ReachedThroughLink(file, path))
        return FileLink::Link;
    return info.nNumberOfLinks > 1 ? FileLink::ManyNames : FileLink::None;
}

}  // namespace

fw::ScopedFile OpenWithoutLink(const std::wstring& path, DWORD access, DWORD share, bool create, FileLink& link)
{
    link = FileLink::None;
    access |= FILE_READ_ATTRIBUTES;  // to look at what was opened
    for (int attempt = 0; attempt < 2; ++attempt) {
        fw::ScopedFile file(::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (file) {
            link = LinkOf(file.Get(), path);
            if (link == FileLink::None) return file;
            file.Reset();
            ::SetLastError(link == FileLink::Link ? kErrorFileIsLink : kErrorFileHasNames);
            return file;
        }
        if (!create || ::GetLastError() != ERROR_FILE_NOT_FOUND) return file;
        // Made here and now: a plain file with one name. A create that would
        // replace or follow whatever took the name meanwhile fails instead.
        file.Reset(::CreateFileW(path.c_str(), access, share, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (file) return file;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return file;
    }
    // A name that is there and yet leads to nothing: a link to a missing file.
    link = FileLink::Link;
    ::SetLastError(kErrorFileIsLink);
    return fw::ScopedFile();
}

FileLink FileLinkAt(const std::wstring& path)
{
    fw::ScopedFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return file ? LinkOf(file.Get(), path) : FileLink::None;
}

std::wstring FileLinkText(FileLink link)
{
    switch (link) {
    case FileLink::None: return std::wstring();
    case FileLink::Link: return L"it is a file link (a symbolic link or other reparse point to another file)";
    case FileLink::ManyNames: return L"it has more than one name (a hard link of another file)";
    }
    return std::wstring();
}

std::wstring FinalPathOf(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length + 1);
    }
}

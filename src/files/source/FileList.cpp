#include "files/source/FileList.h"

#include "framework/Handles.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <algorithm>
#include <unordered_set>

struct FileList::Walk {
    std::size_t rootLength = 0;
    std::wstring finalRoot;                    // the root, links resolved; empty: no link is walked
    std::unordered_set<std::wstring> reached;  // FileNameKey of each place a walked link leads to
};

bool FileList::Scan(const std::wstring& root)
{
    Clear();
    std::wstring path = root;
    path.erase(std::remove(path.begin(), path.end(), L'*'), path.end());
    // Without a root the walk would start at the root of the current drive.
    if (path.empty()) return false;
    if (path.back() != L'\\') path += L'\\';
    Walk walk;
    walk.rootLength = path.size();
    walk.finalRoot = FinalFolder(path);
    ScanFolder(path, walk);
    return true;
}

bool FileList::MayFollow(const std::wstring& path, Walk& walk)
{
    const std::wstring relative = path.substr(walk.rootLength);
    auto unread = [&](const std::wstring& why) {
        unread_.emplace_back(FileNameKey(relative), why);
        return false;
    };
    const std::wstring target = FinalFolder(path);
    if (target.empty() || walk.finalRoot.empty()) return unread(L"the folder link " + path + L" could not be resolved");
    if (!IsInsideFolder(target, walk.finalRoot))
        return unread(L"the folder " + path + L" is a link to " + target + L", outside the medium");
    // A link back up to a folder the walk is in would walk it again and again.
    if (IsInsideFolder(FinalFolder(FolderPart(path)), target))
        return unread(L"the folder " + path + L" is a link back to " + target);
    if (!walk.reached.insert(FileNameKey(target)).second)
        return unread(L"the folder " + path + L" is a link to " + target + L", which another link already leads to");
    return true;
}

std::wstring FileList::Unread(const std::wstring& relativeFolder) const
{
    const std::wstring folder = FileNameKey(WithoutTrailingBackslashes(relativeFolder));
    for (const auto& [key, why] : unread_)
        if (IsInsideFolder(key, folder) || IsInsideFolder(folder, key)) return why;
    return std::wstring();
}

void FileList::ScanFolder(std::wstring& path, Walk& walk)
{
    const std::size_t folderLength = path.size();
    Folder files;
    path += L'*';
    WIN32_FIND_DATAW data;
    // Basic information only: the short names are never used.
    fw::ScopedFind find(::FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    path.resize(folderLength);
    if (find) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                const wchar_t* name = data.cFileName;
                if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
                path += name;
                // A link is walked only where it stays on the medium, and never in a loop.
                const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
                if (link && !MayFollow(path, walk)) {
                    path.resize(folderLength);
                    continue;
                }
                path += L'\\';
                ScanFolder(path, walk);
                path.resize(folderLength);
            } else {
                files.sizes.push_back((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
                files.names.emplace_back(data.cFileName);
            }
        } while (::FindNextFileW(find.Get(), &data));
    }
    std::wstring key = FileNameKey(path.substr(walk.rootLength) + L"*");
    folders_[std::move(key)] = std::move(files);
}

const FileList::Sizes* FileList::Lookup(const std::wstring& pattern) const
{
    const Folder* folder = LookupFolder(pattern);
    return folder ? &folder->sizes : nullptr;
}

const FileList::Folder* FileList::LookupFolder(const std::wstring& pattern) const
{
    auto found = folders_.find(FileNameKey(pattern));
    return found == folders_.end() ? nullptr : &found->second;
}

std::size_t FileList::FileCount() const
{
    std::size_t files = 0;
    for (const auto& [key, folder] : folders_) files += folder.names.size();
    return files;
}

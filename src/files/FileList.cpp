#include "files/FileList.h"

#include "framework/Handles.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <algorithm>

bool FileList::Scan(const std::wstring& root)
{
    Clear();
    std::wstring path = root;
    path.erase(std::remove(path.begin(), path.end(), L'*'), path.end());
    // Without a root the walk would start at the root of the current drive.
    if (path.empty()) return false;
    if (path.back() != L'\\') path += L'\\';
    ScanFolder(path, path.size());
    return true;
}

void FileList::ScanFolder(std::wstring& path, std::size_t rootLength)
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
                // A junction or symbolic link is not part of the source, and may lead back into it.
                if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
                const wchar_t* name = data.cFileName;
                if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
                path += name;
                path += L'\\';
                ScanFolder(path, rootLength);
                path.resize(folderLength);
            } else {
                files.sizes.push_back((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
                files.names.emplace_back(data.cFileName);
            }
        } while (::FindNextFileW(find.Get(), &data));
    }
    std::wstring key = FileNameKey(path.substr(rootLength) + L"*");
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

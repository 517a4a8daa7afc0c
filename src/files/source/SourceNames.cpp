#include "files/source/SourceNames.h"

#include "platform/PathUtil.h"

bool SourceNames::Find(const std::wstring& relative, uint64_t& size)
{
    const std::wstring name = LastPathComponent(relative);
    if (name.empty()) return false;
    // The folder with its trailing backslash, or none for the root: the scan's key.
    const std::wstring key = FileNameKey(relative.substr(0, relative.size() - name.size()) + L"*");
    const FileList::Folder* folder = scan_.LookupFolder(key);
    if (!folder) return false;
    auto [place, added] = folders_.try_emplace(key);
    Index& index = place->second;
    if (added) {
        index.reserve(folder->names.size());
        for (std::size_t i = 0; i < folder->names.size(); ++i) index.emplace(FileNameKey(folder->names[i]), i);
    }
    const auto found = index.find(FileNameKey(name));
    if (found == index.end()) return false;
    size = folder->sizes[found->second];
    return true;
}

#include "files/elements/FileItem.h"

#include "files/source/FileList.h"
#include "files/source/SourceNames.h"
#include "framework/Handles.h"
#include "platform/PathUtil.h"

#include <windows.h>

uint64_t RoundToClusters(uint64_t size, uint64_t clusterSize)
{
    if (clusterSize == 0) return size;
    const uint64_t whole = clusterSize * (size / clusterSize);
    return whole < size ? whole + clusterSize : whole;
}

uint64_t CFileItem::SizeOnDisk(uint64_t clusterSize, const FileList&) const
{
    return RoundToClusters(size, clusterSize);
}

uint64_t CClassItem::SizeOnDisk(uint64_t clusterSize, const FileList& sourceFiles) const
{
    uint64_t sum = 0;
    for (const auto& child : children) {
        if (wholeFolder) {
            if (const FileList::Sizes* sizes = sourceFiles.Lookup(child->source))
                for (uint64_t size : *sizes) sum += RoundToClusters(size, clusterSize);
        } else {
            sum += child->SizeOnDisk(clusterSize, sourceFiles);
        }
    }
    return sum;
}

int CFileItem::FileCount(const FileList&) const
{
    return 1;
}

int CClassItem::FileCount(const FileList& sourceFiles) const
{
    int count = 0;
    for (const auto& child : children) {
        if (wholeFolder && !child->IsClass()) {
            const FileList::Sizes* sizes = sourceFiles.Lookup(child->source);
            count += sizes ? static_cast<int>(sizes->size()) : 0;
        } else {
            count += child->FileCount(sourceFiles);
        }
    }
    return count;
}

namespace {

bool HasWildcard(const std::wstring& text)
{
    return text.find_first_of(L"*?") != std::wstring::npos;
}

}  // namespace

int ExpandSource(const std::wstring& sourceDir, const std::wstring& source,
                 std::vector<std::unique_ptr<CFileItem>>& children, SourceNames* scanned)
{
    const std::wstring full = JoinPath(sourceDir, source);
    const std::wstring last = LastPathComponent(full);
    const std::wstring folder = full.substr(0, full.size() - last.size());  // with trailing backslash, or empty
    const bool wholeFolder = last == L"*";
    // A last component with other wildcards takes the files it matches.
    const bool pattern = wholeFolder || HasWildcard(last);
    const std::wstring search = wholeFolder ? folder + L"*.*" : full;
    if (uint64_t size = 0; !pattern && scanned && scanned->Find(source, size)) {
        children.push_back(std::make_unique<CFileItem>(full, size));
        return 1;
    }

    int added = 0;
    WIN32_FIND_DATAW data;
    fw::ScopedFind find(::FindFirstFileExW(search.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    if (find) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            children.push_back(std::make_unique<CFileItem>(pattern ? folder + data.cFileName : full, size));
            ++added;
            if (!pattern) break;
        } while (::FindNextFileW(find.Get(), &data));
    }
    if (added == 0 && wholeFolder) return -1;
    return added;
}

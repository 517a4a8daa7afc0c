// The scan's files looked up by name: a file section names thousands of files
// one by one, and a search of the medium for each costs more than its copy.
#pragma once

#include "files/source/FileList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

class SourceNames {
public:
    explicit SourceNames(const FileList& scan) : scan_(scan) {}

    // The size the scan found for the file at relative (below the scan's root,
    // folders separated by single backslashes), compared as file names are;
    // false when the scan holds no file under that spelling.
    bool Find(const std::wstring& relative, uint64_t& size);

private:
    using Index = std::unordered_map<std::wstring, std::size_t>;  // FileNameKey of a name, its place in the folder

    const FileList& scan_;
    // Each folder indexed on its first lookup, by the scan's key.
    std::unordered_map<std::wstring, Index> folders_;
};

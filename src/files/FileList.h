// The directory scan of the installation source: for every folder below the
// root, the names and sizes of the regular files directly in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class FileList {
public:
    using Sizes = std::vector<uint64_t>;

    // Replaces the contents with the scan of root. Every "*" is removed from
    // root and a backslash is appended when it does not end with one. Keys are
    // "*" for the root and "SUB\DIR\*" for a folder below it, upper-cased.
    // Folder links (junctions, symbolic links) below root are not walked. An
    // empty root is refused: false, and the list stays empty.
    bool Scan(const std::wstring& root);
    using Names = std::vector<std::wstring>;

    // The sizes recorded under pattern (upper-cased first), or null.
    const Sizes* Lookup(const std::wstring& pattern) const;
    // The names of those files, in the order of their sizes, or null: the
    // copy takes a folder's files from here instead of searching it again.
    const Names* LookupNames(const std::wstring& pattern) const;

    std::size_t FolderCount() const { return folders_.size(); }
    void Clear()
    {
        folders_.clear();
        names_.clear();
    }

private:
    // prefix: the relative folder with trailing backslash ("" for the root);
    // path: root + prefix, extended in place while walking.
    void ScanFolder(std::wstring& path, std::size_t rootLength);

    std::unordered_map<std::wstring, Sizes> folders_;
    std::unordered_map<std::wstring, Names> names_;  // by the same keys
};

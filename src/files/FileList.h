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
    using Names = std::vector<std::wstring>;
    // One folder's regular files: names[i] has sizes[i].
    struct Folder {
        Sizes sizes;
        Names names;
    };

    // Replaces the contents with the scan of root. Every "*" is removed from
    // root and a backslash is appended when it does not end with one. Keys are
    // "*" for the root and "SUB\DIR\*" for a folder below it, upper-cased.
    // Folder links (junctions, symbolic links) below root are not walked. An
    // empty root is refused: false, and the list stays empty.
    bool Scan(const std::wstring& root);

    // The sizes recorded under pattern (upper-cased first), or null.
    const Sizes* Lookup(const std::wstring& pattern) const;
    // The folder recorded under pattern, or null: the copy takes a folder's
    // files from here instead of searching it again.
    const Folder* LookupFolder(const std::wstring& pattern) const;

    std::size_t FolderCount() const { return folders_.size(); }
    void Clear() { folders_.clear(); }

private:
    // prefix: the relative folder with trailing backslash ("" for the root);
    // path: root + prefix, extended in place while walking.
    void ScanFolder(std::wstring& path, std::size_t rootLength);

    std::unordered_map<std::wstring, Folder> folders_;
};

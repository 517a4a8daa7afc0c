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
    // A folder link (junction, symbolic link) below root is walked, under its
    // own name, when what it leads to lies below root too and is not a folder
    // the walk is already in; each place a link leads to is walked once, so a
    // loop of links ends. A link that leads elsewhere, or that could not be
    // resolved, is not walked and is kept as unread. An empty root is refused:
    // false, and the list stays empty.
    bool Scan(const std::wstring& root);

    // The sizes recorded under pattern (upper-cased first), or null.
    const Sizes* Lookup(const std::wstring& pattern) const;
    // The folder recorded under pattern, or null: the copy takes a folder's
    // files from here instead of searching it again.
    const Folder* LookupFolder(const std::wstring& pattern) const;

    // Why the folder relative to the root (e.g. "data\Lumina"), or a folder
    // on the way to it or below it, was not read by the scan, naming that
    // folder; empty when every part of it that is there was read.
    std::wstring Unread(const std::wstring& relativeFolder) const;

    std::size_t FolderCount() const { return folders_.size(); }
    std::size_t FileCount() const;
    // Every folder read, by its key (as Lookup takes it).
    const std::unordered_map<std::wstring, Folder>& Folders() const { return folders_; }
    void Clear()
    {
        folders_.clear();
        unread_.clear();
    }

private:
    struct Walk;
    // path: root + the relative folder with trailing backslash, extended in
    // place while walking.
    void ScanFolder(std::wstring& path, Walk& walk);
    // Whether the link at path (no trailing backslash) is walked.
    bool MayFollow(const std::wstring& path, Walk& walk);

    std::unordered_map<std::wstring, Folder> folders_;
    // Folders not read, by upper-cased relative path without trailing
    // backslash, with the reason.
    std::vector<std::pair<std::wstring, std::wstring>> unread_;
};

// The copy engine's cache of folders: what a run has learnt about the folders it writes in, found by a folder's
// path: seen to be a plain folder (not a folder link), and the names it held
// when it was listed. Kept as a tree of folder names, each name once below its
// parent: a run over tens of thousands of package folders holds a few dozen
// bytes for each instead of its whole path in two sets.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class FolderCache {
public:
    // What is known of one folder.
    struct Facts {
        bool plain = false;   // a plain folder, not a folder link
        bool asked = false;   // its listing was asked for (or it was made empty)
        bool listed = false;  // asked, and read: names is what it held (a folder not there holds nothing)
        // The names it held, upper case (FileNameKey); null when it held none.
        std::unique_ptr<std::unordered_set<std::wstring>> names;
    };

    FolderCache();
    ~FolderCache();
    FolderCache(const FolderCache&) = delete;
    FolderCache& operator=(const FolderCache&) = delete;

    // The facts of folder (a path without trailing backslash, names compared as
    // FileNameKey compares them), made empty when nothing was known. The
    // reference stays valid until what lies below a folder above it is forgotten.
    Facts& At(const std::wstring& folder);
    // The facts of folder, or null when nothing is known of it.
    const Facts* Find(const std::wstring& folder) const;

    void RememberPlain(const std::wstring& folder) { At(folder).plain = true; }
    bool IsPlain(const std::wstring& folder) const
    {
        const Facts* facts = Find(folder);
        return facts && facts->plain;
    }

    // Forgets what folder holds and every folder below it (folder itself stays
    // known as it was): nothing more is written there, or what is written is
    // looked at afresh. Its parent's listing may not name it, but the folder
    // stays known, so it is never taken for one that is not there.
    void ForgetBelow(const std::wstring& folder);
    void Clear();

private:
    struct Node;
    std::unique_ptr<Node> root_;
};

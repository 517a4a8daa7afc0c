// The administration file held in memory between the operations of the package
// list: read once, changed in memory, written whole once per operation.
#pragma once

#include "platform/ProfileDocument.h"
#include "platform/Win32Error.h"

#include <windows.h>

#include <string>

class AdminDocument {
public:
    // The document of the file at path. It is read again when path names another
    // file, or when the file changed on disk since it was read or written here
    // (other programs of the suite write it too) and nothing is waiting to be
    // committed. A file that is there but cannot be read is an empty document
    // that is never committed.
    ProfileDocument& For(const std::wstring& path);

    // Writes the changes made since the last commit, in one step, through a
    // temporary file that replaces the file. On failure the changes are dropped
    // (the next For reads the file again), so the document always tells what
    // the file holds. Done when nothing had changed.
    Win32Result Commit();

    // Drops the changes not yet committed.
    void Discard() { loaded_ = false; }

    // Whether two paths name the same file (case and relative forms aside).
    static bool SamePath(const std::wstring& a, const std::wstring& b);

private:
    struct Stamp {
        bool exists = false;
        ULONGLONG size = 0;
        FILETIME written{};
    };
    static Stamp StampOf(const std::wstring& path);
    static bool Same(const Stamp& a, const Stamp& b);

    ProfileDocument document_;
    std::wstring path_;  // as given to For
    bool loaded_ = false;
    bool readable_ = false;
    Stamp stamp_;
};

// The old destination of a copy, moved to a unique name in its folder instead of
// being deleted, so that it comes back when the copy fails.
#pragma once

#include <windows.h>

#include <string>

class InstallRun;

class OldFileAside {
public:
    explicit OldFileAside(InstallRun& run) : run_(run) {}
    OldFileAside(const OldFileAside&) = delete;
    OldFileAside& operator=(const OldFileAside&) = delete;
    // A file still set aside here is put back.
    ~OldFileAside() { Restore(); }

    // Moves dest away; 0 on success, else the Win32 error (2 when dest is gone).
    // attributes are the file's attributes before any change, restored on Restore.
    DWORD MoveAway(const std::wstring& dest, DWORD attributes);
    // Puts the old file back in place (over a partial copy), with its attributes.
    void Restore();
    // The copy is in place: the old file goes (at the next restart when it is still in use).
    void Discard();

private:
    InstallRun& run_;
    std::wstring dest_;
    std::wstring aside_;
    DWORD attributes_ = INVALID_FILE_ATTRIBUTES;
};

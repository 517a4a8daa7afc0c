// Files the engine keeps beside a destination while it replaces it: the new
// copy until it takes the destination's place, and the old file, moved aside
// instead of deleted, until the new one is in place.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class InstallRun;

// Puts a file at a free name beside dest with place(name, ownPlaceholder):
// dest + suffix, then dest + suffix + "1" ... "7" while those are taken; on any
// other failure, or when all are taken, a temporary name of dest's folder
// ("ovk" prefix), which exists already (ownPlaceholder true) and is removed
// again when place fails there. 0 and name set, or the Win32 error.
DWORD PlaceBeside(const std::wstring& dest, const wchar_t* suffix,
                  const std::function<bool(const std::wstring& name, bool ownPlaceholder)>& place, std::wstring& name);

// The old destination, moved to a free name "<dest>.~ovk", "<dest>.~ovk1", ...
// A file still aside when this goes is put back.
class OldFileAside {
public:
    explicit OldFileAside(InstallRun& run) : run_(run) {}
    OldFileAside(const OldFileAside&) = delete;
    OldFileAside& operator=(const OldFileAside&) = delete;
    ~OldFileAside() { Restore(); }

    // Moves dest away: 0, or the Win32 error (ERROR_FILE_NOT_FOUND: dest is gone).
    DWORD MoveAway(const std::wstring& dest);
    // Puts the old file back over whatever stands at dest: 0, or the Win32 error;
    // the old file then stays at AsidePath().
    DWORD Restore();
    // The new file is in place: the old one is removed. One still in use (a
    // running program, a loaded library) is removed at the next restart, and
    // the run needs that restart, which the copy log says.
    void Discard();

    bool IsAside() const { return !aside_.empty(); }
    const std::wstring& AsidePath() const { return aside_; }

private:
    InstallRun& run_;
    std::wstring dest_;
    std::wstring aside_;
};

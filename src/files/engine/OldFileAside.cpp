#include "files/engine/OldFileAside.h"

#include "files/run/InstallRun.h"
#include "files/engine/ReplaceAtBoot.h"
#include "platform/PathUtil.h"

namespace {

bool Taken(DWORD error)
{
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}

DWORD LastErrorOr(DWORD fallback)
{
    const DWORD error = ::GetLastError();
    return error ? error : fallback;
}

}  // namespace

DWORD PlaceBeside(const std::wstring& dest, const wchar_t* suffix,
                  const std::function<bool(const std::wstring&, bool)>& place, std::wstring& name)
{
    // A name derived from dest is tried first (one call). Any failure there but
    // a taken name may be the name itself (too long: Wine says "not found"), so
    // the folder's temporary-name rule gets the last word.
    DWORD error = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::wstring candidate = dest + suffix + (attempt ? std::to_wstring(attempt) : std::wstring());
        if (place(candidate, false)) {
            name = std::move(candidate);
            return 0;
        }
        error = LastErrorOr(ERROR_ACCESS_DENIED);
        if (!Taken(error)) break;
    }
    std::wstring folder = FolderPart(dest);
    if (folder.empty()) folder = L".";
    wchar_t temp[MAX_PATH] = {};
    if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"ovk", 0, temp)) return error;
    if (!place(temp, true)) {
        error = LastErrorOr(ERROR_ACCESS_DENIED);
        ::DeleteFileW(temp);
        return error;
    }
    name = temp;
    return 0;
}

DWORD OldFileAside::MoveAway(const std::wstring& dest)
{
    std::wstring aside;
    const DWORD error = PlaceBeside(
        dest, L".~ovk",
        [&](const std::wstring& name, bool ownPlaceholder) {
            return run_.moveFile(dest.c_str(), name.c_str(), ownPlaceholder ? MOVEFILE_REPLACE_EXISTING : 0) != FALSE;
        },
        aside);
    if (error) return error;
    dest_ = dest;
    aside_ = std::move(aside);
    return 0;
}

DWORD OldFileAside::Restore()
{
    if (aside_.empty()) return 0;
    // Whatever stands at dest now is a partial or foreign copy; the old file wins.
    ::SetFileAttributesW(dest_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!run_.moveFile(aside_.c_str(), dest_.c_str(), MOVEFILE_REPLACE_EXISTING)) return LastErrorOr(ERROR_ACCESS_DENIED);
    aside_.clear();
    return 0;
}

void OldFileAside::Discard()
{
    if (aside_.empty()) return;
    const std::wstring aside = std::move(aside_);
    aside_.clear();
    if (::DeleteFileW(aside.c_str())) return;
    // A running program or a loaded library can be renamed but not deleted: it
    // goes at the next start, and until then the old code runs.
    const DWORD error = ::GetLastError();
    const bool scheduled = ScheduleRemovalAtRestart(run_, aside);  // while the flag says whether it is the first entry
    run_.NeedRestart();
    if (scheduled) {
        run_.copyLog.Write(L"\t\tOld file set aside as " + aside + L" is in use: it is removed at the next restart.\n");
        return;
    }
    run_.copyLog.Write(L"\t\tOld file set aside as " + aside + L" is in use and cannot be removed. Error code " +
                           std::to_wstring(static_cast<int>(error)) + L"\n");
}

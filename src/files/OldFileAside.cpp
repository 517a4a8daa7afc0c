#include "files/OldFileAside.h"

#include "files/InstallRun.h"
#include "platform/PathUtil.h"

namespace {

// Moves dest to a name beside it that is not taken. A name derived from dest is
// tried first (cheap); a temporary name of the folder when those are taken or too long.
DWORD MoveToFreeName(InstallRun& run, const std::wstring& dest, std::wstring& aside)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::wstring candidate = dest + L".~ovk" + (attempt ? std::to_wstring(attempt) : std::wstring());
        if (run.moveFile(dest.c_str(), candidate.c_str(), 0)) {
            aside = candidate;
            return 0;
        }
        DWORD error = ::GetLastError();
        if (error == ERROR_FILENAME_EXCED_RANGE) break;
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return error ? error : ERROR_ACCESS_DENIED;
    }
    wchar_t temp[MAX_PATH] = {};
    std::wstring folder = FolderPart(dest);
    if (folder.empty()) folder = L".";
    if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"ovk", 0, temp)) {
        DWORD error = ::GetLastError();
        return error ? error : ERROR_FILENAME_EXCED_RANGE;
    }
    if (!run.moveFile(dest.c_str(), temp, MOVEFILE_REPLACE_EXISTING)) {
        DWORD error = ::GetLastError();
        ::DeleteFileW(temp);
        return error ? error : ERROR_ACCESS_DENIED;
    }
    aside = temp;
    return 0;
}

}  // namespace

DWORD OldFileAside::MoveAway(const std::wstring& dest, DWORD attributes)
{
    // A folder is never moved: deleting one as a file fails the same way.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
    std::wstring aside;
    if (DWORD error = MoveToFreeName(run_, dest, aside)) return error;
    dest_ = dest;
    aside_ = aside;
    attributes_ = attributes;
    return 0;
}

void OldFileAside::Restore()
{
    if (aside_.empty()) return;
    ::SetFileAttributesW(dest_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (run_.moveFile(aside_.c_str(), dest_.c_str(), MOVEFILE_REPLACE_EXISTING) &&
        attributes_ != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesW(dest_.c_str(), attributes_);
    aside_.clear();
}

void OldFileAside::Discard()
{
    if (aside_.empty()) return;
    ::SetFileAttributesW(aside_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::DeleteFileW(aside_.c_str())) run_.moveFile(aside_.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    aside_.clear();
}

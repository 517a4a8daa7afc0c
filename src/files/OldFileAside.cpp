#include "files/OldFileAside.h"

#include "platform/PathUtil.h"

DWORD OldFileAside::MoveAway(const std::wstring& dest, DWORD attributes)
{
    // A folder is never moved: deleting one as a file fails the same way.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
    wchar_t aside[MAX_PATH] = {};
    std::wstring folder = FolderPart(dest);
    if (folder.empty()) folder = L".";
    if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"ovk", 0, aside)) {
        DWORD error = ::GetLastError();
        return error ? error : ERROR_FILENAME_EXCED_RANGE;
    }
    if (!::MoveFileExW(dest.c_str(), aside, MOVEFILE_REPLACE_EXISTING)) {
        DWORD error = ::GetLastError();
        ::DeleteFileW(aside);
        return error ? error : ERROR_ACCESS_DENIED;
    }
    dest_ = dest;
    aside_ = aside;
    attributes_ = attributes;
    return 0;
}

void OldFileAside::Restore()
{
    if (aside_.empty()) return;
    ::SetFileAttributesW(dest_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (::MoveFileExW(aside_.c_str(), dest_.c_str(), MOVEFILE_REPLACE_EXISTING) &&
        attributes_ != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesW(dest_.c_str(), attributes_);
    aside_.clear();
}

void OldFileAside::Discard()
{
    if (aside_.empty()) return;
    ::SetFileAttributesW(aside_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::DeleteFileW(aside_.c_str())) ::MoveFileExW(aside_.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    aside_.clear();
}

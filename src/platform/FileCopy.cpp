#include "platform/FileCopy.h"

#include <cstring>
#include <cwchar>
#include <memory>

BOOL CopyFileData(HANDLE from, HANDLE to)
{
    // On the stack: a fresh heap block of this size would be new pages for
    // every file, each touched by the read.
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(from, buffer, sizeof buffer, &read, nullptr)) return FALSE;
        if (read == 0) return TRUE;
        DWORD written = 0;
        if (!::WriteFile(to, buffer, read, &written, nullptr)) return FALSE;
        if (written != read) {
            ::SetLastError(ERROR_DISK_FULL);
            return FALSE;
        }
    }
}

namespace {

// Reads until size bytes are in or the file ends: the count, or -1.
int ReadFull(HANDLE file, char* buffer, DWORD size)
{
    DWORD total = 0;
    while (total < size) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer + total, size - total, &read, nullptr)) return -1;
        if (read == 0) break;
        total += read;
    }
    return static_cast<int>(total);
}

}  // namespace

bool SameFileData(HANDLE a, HANDLE b)
{
    char left[32 * 1024], right[32 * 1024];
    for (;;) {
        const int got = ReadFull(a, left, sizeof left);
        if (got < 0 || ReadFull(b, right, sizeof right) != got) return false;
        if (std::memcmp(left, right, static_cast<size_t>(got)) != 0) return false;
        if (got < static_cast<int>(sizeof left)) return true;
    }
}

BOOL RenameOpenFile(HANDLE file, const wchar_t* to, BOOL replace)
{
    const size_t length = std::wcslen(to);
    if (length > 32767) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    const size_t size = sizeof(FILE_RENAME_INFO) + length * sizeof(wchar_t);
    const auto block = std::make_unique<char[]>(size);  // zeroed: the name's terminator and RootDirectory
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(block.get());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->FileNameLength = static_cast<DWORD>(length * sizeof(wchar_t));
    std::wmemcpy(info->FileName, to, length);
    return ::SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(size));
}

#include "platform/ReadableFile.h"

#include "framework/Handles.h"

#include <vector>

bool IsMissingFileError(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_MOD_NOT_FOUND;
}

FileRead ReadableFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return {IsMissingFileError(error) ? FileFound::Missing : FileFound::Unreadable, error};
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {FileFound::Folder, ERROR_DIRECTORY};
    fw::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return {IsMissingFileError(error) ? FileFound::Missing : FileFound::Unreadable, error};
    }
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK) return {FileFound::Unreadable, ERROR_BAD_FILE_TYPE};
    // Read to the end: a damaged disc opens, and fails only where it is damaged.
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            return {FileFound::Unreadable, ::GetLastError()};
        if (read == 0) return {FileFound::Readable, 0};
    }
}

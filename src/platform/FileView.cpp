#include "platform/FileView.h"

#include <cstddef>

FileView::FileView(HANDLE file)
{
    LARGE_INTEGER size{};
    if (file == INVALID_HANDLE_VALUE || !::GetFileSizeEx(file, &size)) {
        error_ = file == INVALID_HANDLE_VALUE ? ERROR_INVALID_HANDLE : ::GetLastError();
        return;
    }
    if (size.QuadPart == 0) {
        error_ = ERROR_FILE_INVALID;  // what a mapping of an empty file fails with
        return;
    }
    if (static_cast<uint64_t>(size.QuadPart) > SIZE_MAX / 2) {
        error_ = ERROR_NOT_ENOUGH_MEMORY;
        return;
    }
    // The size asked for, not "the whole file": a file cut short meanwhile fails
    // here instead of leaving a view shorter than the size it is read by. Once
    // mapped, the file cannot be cut.
    mapping_.Reset(::CreateFileMappingW(file, nullptr, PAGE_READONLY, static_cast<DWORD>(size.QuadPart >> 32),
                                        static_cast<DWORD>(size.QuadPart), nullptr));
    if (!mapping_) {
        error_ = ::GetLastError();
        return;
    }
    view_.Reset(::MapViewOfFile(mapping_.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!view_) {
        error_ = ::GetLastError();
        return;
    }
    size_ = static_cast<uint64_t>(size.QuadPart);
}

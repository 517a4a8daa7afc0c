// A read-only view of a whole open file, for checks that look at a few of its
// bytes here and there (a PE image's headers and resources).
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <cstdint>

class FileView {
public:
    // Maps all of file (borrowed: the caller keeps it open while the view is used).
    // Data() is null, with the Win32 error in Error(), when it cannot be mapped:
    // an empty file, one larger than the address space can hold, a failed mapping.
    explicit FileView(HANDLE file);
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;

    const uint8_t* Data() const { return static_cast<const uint8_t*>(view_.Get()); }
    uint64_t Size() const { return size_; }
    DWORD Error() const { return error_; }

private:
    fw::ScopedKernelHandle mapping_;
    fw::ScopedView view_;
    uint64_t size_ = 0;
    DWORD error_ = 0;
};

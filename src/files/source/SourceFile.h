// The file being installed, opened once for all the engine reads of it: its
// first bytes for the version decision, then its bytes for the copy.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

class SourceFile {
public:
    explicit SourceFile(const std::wstring& path) : path_(path) {}
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    const std::wstring& Path() const { return path_; }
    // Reads up to size bytes from the start into head: the count, or -1 when
    // the file cannot be opened or read.
    int ReadStart(char* head, DWORD size);
    // The open file, positioned at its start; INVALID_HANDLE_VALUE with the
    // error set when it cannot be opened.
    HANDLE FromStart();

private:
    std::wstring path_;
    fw::ScopedFile file_;
};

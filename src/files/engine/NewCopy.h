// The engine's own copy of a file it installs: a new file made from the open
// source, dated and writable as an installed file is, and the check whether an
// installed file already is the source.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

class InstallRun;
class SourceFile;

// Copies the whole source to name, created with disposition (CREATE_NEW, or
// CREATE_ALWAYS over a placeholder of the engine's own), dated as the source
// (the next run compares the dates) and writable: the new file, still open, or
// none with the error set and nothing left at name (a file that was already
// there stays as it is).
fw::ScopedFile WriteCopy(InstallRun& run, SourceFile& source, const std::wstring& name, DWORD disposition,
                         const WIN32_FILE_ATTRIBUTE_DATA& sourceData);

// True when dest already is what the copy would make of it: the source's size,
// date, hidden and system attributes, and bytes (read to be sure; a damaged
// file of the same size and date is replaced). The same medium installed
// again then rewrites nothing, and a file in use that is already up to date
// needs no restart.
bool AlreadyInPlace(SourceFile& source, const std::wstring& dest, const WIN32_FILE_ATTRIBUTE_DATA& sourceData,
                    const WIN32_FILE_ATTRIBUTE_DATA& destData);

// The new file, copied beside the destination as "<dest>.~ovn" (or the next
// free name) and kept open until it is renamed over the destination through
// its own handle; removed unless it took the destination's place.
class NewCopy {
public:
    NewCopy() = default;
    NewCopy(const NewCopy&) = delete;
    NewCopy& operator=(const NewCopy&) = delete;
    ~NewCopy();

    // 0, or the Win32 error of the copy.
    DWORD Make(InstallRun& run, SourceFile& source, const std::wstring& dest, const WIN32_FILE_ATTRIBUTE_DATA& sourceData);
    // Renames the copy to dest (over the old file with replace): true when it is in place.
    bool MoveTo(InstallRun& run, const std::wstring& dest, bool replace);

private:
    fw::ScopedFile file_;
    std::wstring path_;
};

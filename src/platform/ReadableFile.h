// Whether a file the run reads (a script, the catalogue, a language library)
// is there and can be read to its end. A file that is missing is one thing,
// and the run may go on without it; a file that is there but cannot be read
// (denied, a damaged disc, a device or pipe in its place) is another: taking
// it as missing would make the run report an empty medium as success.
#pragma once

#include <windows.h>

#include <string>

enum class FileFound {
    Readable,
    Missing,     // "file not found" or "path not found", and nothing else
    Folder,      // a folder stands there
    Unreadable,  // any other failure to find, open or read it whole
};

struct FileRead {
    FileFound found = FileFound::Missing;
    DWORD error = 0;  // the Win32 error of the step that failed
};

FileRead ReadableFile(const std::wstring& path);

// The error a library load or a file look-up gives for a file that is not there.
bool IsMissingFileError(DWORD error);

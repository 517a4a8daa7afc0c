// A billboard picture read from the medium at the size the backdrop draws it.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

enum class PictureCheck {
    NotOpened,  // the file cannot be opened: the entry is left out
    Empty,      // opened, but not a consistent bitmap: shown as no picture
    Usable,
};

// Opens the bitmap file at path and checks its header against the file's size;
// reads no pixels.
PictureCheck CheckPictureFile(const std::wstring& path);

// The bitmap file at path drawn at drawn's size, as a packed 32-bit top-down
// bitmap in movable memory (the header, then the pixels); empty when the file
// cannot be read or is not a consistent bitmap. Uncoded pixels are read a band
// of rows at a time, so what is held is the drawn picture and one band, however
// large the file.
fw::ScopedGlobal ReadPictureAt(const std::wstring& path, SIZE drawn);

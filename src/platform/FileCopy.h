// The platform steps of the copy the program makes itself: the bytes of one
// open file into another, their comparison, and the rename of an open file
// through its own handle.
#pragma once

#include <windows.h>

// Copies from the current position of from to its end into to: TRUE, or FALSE
// with the error set.
BOOL CopyFileData(HANDLE from, HANDLE to);

// True when a and b hold the same bytes from their current positions to
// their ends; false also when either cannot be read.
bool SameFileData(HANDLE a, HANDLE b);

// Renames file (opened with DELETE access) to the full path to, over a file
// there when replace: TRUE, or FALSE with the error set (ERROR_ALREADY_EXISTS
// without replace; ERROR_ACCESS_DENIED for a file in use).
BOOL RenameOpenFile(HANDLE file, const wchar_t* to, BOOL replace);

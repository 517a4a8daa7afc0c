// The user's data base path while the medium's data folder stands in for it
// (the package installers read the path from the administration file). A run
// that is stopped meanwhile leaves the user's path here, and the next run puts
// it back.
//
// The file: the administration file's name followed by ".userpath", beside it.
// Two lines, each ending with CR LF, UTF-16 with byte-order mark: the user's
// path, then the medium's path written in its place. It is written beside and
// then moved over, so it is always whole or not there.
#pragma once

#include "platform/Win32Error.h"

#include <string>

// The name of the file that keeps the user's path of adminFile.
std::wstring KeptBasePathFile(const std::wstring& adminFile);

// Keeps usersPath before mediumPath is written as the data base path. Failed,
// with the error, when it could not be kept.
Win32Result KeepBasePath(const std::wstring& adminFile, const std::wstring& usersPath, const std::wstring& mediumPath);

// The user's path that a stopped run kept: true when there is one and the
// administration file still holds the medium's path written then (currentPath).
// A kept path that no longer applies (the user chose another path since) is
// removed.
bool KeptBasePath(const std::wstring& adminFile, const std::wstring& currentPath, std::wstring& usersPath);

// Removes the kept path once the user's path is back. Done when it is gone.
Win32Result ForgetKeptBasePath(const std::wstring& adminFile);

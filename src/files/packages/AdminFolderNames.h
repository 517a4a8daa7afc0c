// Where a package went, as the administration file records it: the folder that
// holds it (localpath) and its own folder name there (dirname). The product
// reads them back as paths, so an 8-bit file gets them exactly or not at all.
#pragma once

#include "platform/ProfileText.h"

#include <string>

class CIEArray;
class InstallRun;

// The folder split at its last backslash; directly below a drive root the
// whole folder is the localpath and the dirname is empty.
void SplitDestination(std::wstring folder, std::wstring& localpath, std::wstring& dirname);

// localpath and dirname of destination as an administration file of encoding
// holds them: in UTF-8 and UTF-16 as they are; in an 8-bit file the dirname
// exactly (the package's own name for its folder) and the localpath exactly
// or by its short form. False, with why, when that cannot be.
bool AdminFolderNames(const std::wstring& destination, ProfileEncoding encoding, std::wstring& localpath,
                      std::wstring& dirname, std::wstring& why);

// The encoding of the administration file at path: 8-bit when it is missing
// (a new one is made so) or cannot be read.
ProfileEncoding AdminFileEncoding(const std::wstring& path);

// Before any folder is made: each selected package whose destination the
// administration file adminFile cannot record is refused (its element failed
// with why) and deselected, so it is neither copied nor recorded.
void RefuseUnrecordableFolders(InstallRun& run, const CIEArray& elements, const std::wstring& adminFile);

// The check of a folder the user typed or chose, and the space figures of a
// drive: what the selected elements need there and what is free.
#pragma once

#include "platform/DriveSpace.h"

#include <cstdint>
#include <functional>
#include <string>

class CIEArray;
class FileList;
class InstallRun;

// How a page learns a drive's cluster size and free space: GetDriveSpace, or a
// figure a test gives.
using DriveSpaceQuery = std::function<DriveSpace(wchar_t driveLetter)>;

// 1 when path is a usable folder, 0 when not. A path without ':' or '\' is
// refused (string 66); a drive root is usable when its space can be queried; a
// file of that name is refused (string 17) whatever quiet says. A missing folder
// gives 0 when quiet; otherwise the user is asked (string 18) and on yes it is
// created with every missing parent, each new folder recorded in the run's
// uninstall log when that is open (string 19 when that fails). Messages go to
// run.ui.
int ValidatePath(InstallRun& run, const std::wstring& path, int quiet);

// Whole KB (rounded up) that the selected elements whose destination lies on
// driveLetter (either case) need there; 0 when the drive cannot be queried.
uint64_t RequiredSpaceKB(const CIEArray& elements, const FileList& sourceFiles, wchar_t driveLetter,
                         const DriveSpaceQuery& query = GetDriveSpace);

// Free space of the drive in KB; 0 when it cannot be queried.
double FreeSpaceKB(wchar_t driveLetter, const DriveSpaceQuery& query = GetDriveSpace);

// A drive letter in lower or upper case (drive letters are compared without case
// and shown in upper case); other characters stay as they are.
wchar_t LowerDriveLetter(wchar_t letter);
wchar_t UpperDriveLetter(wchar_t letter);

// The check of a folder the user typed or chose, and the space figures of a
// drive: what the selected elements need there and what is free.
#pragma once

#include "platform/DriveSpace.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// Why path cannot be the installation folder, as the path dialog would refuse
// it typed: not a full path (a drive letter, ":\" and plain folder names), its
// drive not there, or a file of that name. Empty when it can be. Shows and
// creates nothing: a folder that is missing is made by the install phase.
std::wstring InstallFolderRefusal(const std::wstring& path, const DriveSpaceQuery& query = GetDriveSpace);

// A drive on which the selected elements need more than is free.
struct DriveShortage {
    wchar_t letter;  // upper case
    uint64_t neededKB;
    double freeKB;
};

// The drives the run writes to (element 0's folder, selected or not, then each
// selected element's, in the order of first appearance) that lack space.
std::vector<DriveShortage> DrivesShortOfSpace(const CIEArray& elements, const FileList& sourceFiles,
                                              const DriveSpaceQuery& query = GetDriveSpace);

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

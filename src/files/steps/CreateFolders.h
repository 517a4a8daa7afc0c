// The folders of a run, made before anything is copied.
#pragma once

#include <string>
#include <vector>

class CIEArray;
class InstallRun;

// Creates, through the folder chain that records new folders in the run's
// uninstall log: the folders of element 0 and of every selected package (with
// the package's category folders), the subfolders of the "WinSxS" section of
// scriptFile, and the folders of "CreateDir" and "CreateDirHalvue" (below
// installDir) and "CreateProgramDataDir" (below the application-data folder).
// From here on the run knows installDir as the folder below which it writes
// through no folder link: a selected package with a link on the way to its
// folder or a category folder is refused and deselected. A folder value that
// does not fit its buffer or would lead outside its root is refused (asked
// Abort, Retry, Ignore; Abort stops the run before the copy).
// The folders of section ("WinSxS", "CreateDir", "CreateProgramDataDir" or
// "CreateDirHalvue") of scriptFile, read and refused as CreateFolders reads
// them, relative to their root; nothing is made. False when the user chose Abort.
bool ScriptFolderList(InstallRun& run, const std::wstring& scriptFile, const std::wstring& section,
                      std::vector<std::wstring>& folders);

void CreateFolders(InstallRun& run, const CIEArray& elements, const std::wstring& scriptFile,
                   const std::wstring& installDir);

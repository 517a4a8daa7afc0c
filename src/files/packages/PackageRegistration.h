// After the copy: the administration file learns which packages are installed
// where, and each chosen package's own installer runs from the medium.
#pragma once

#include <string>
#include <vector>

class CIEArray;
class InstallRun;

// Merges the catalogue of sourceDir\data into the packages known to adminFile
// ("obj\orvekAdmin.ini" below installDir when empty), records every selected
// package element (1 to count - 10 of elements) as installed at its destination,
// runs each one's installer and waits for it, one after the other, and saves.
// The installer is the plugin of the medium's catalogue record, in the plg
// folder of the package's own folder on the medium (sourceDir\data\<dirname>).
//
// A package is recorded and its installer started only when its folder is on
// the medium and every one of its files is in place (the element's
// filesInPlace); otherwise its record keeps what it had. The installers see
// the medium's data folder as the data base path; the user's path is kept
// beside the administration file meanwhile (KeptBasePath.h) and put back at the
// end, or by the next run when this one is stopped. When there was none it
// stays at the medium's data folder.
//
// Shows nothing; tells each installer and each step not done to run's setup
// log, and each step not done makes the run fail (InstallRun::Refuse). Each
// selected package element ends with its outcome: installed, or what kept it
// out. True when the administration file was written.
bool InstallDataPackages(InstallRun& run, const CIEArray& elements, const std::wstring& installDir,
                         const std::wstring& sourceDir, const std::wstring& adminFile);

// A user's data base path that a stopped run kept (KeptBasePath.h) is put back
// into adminFile at once, so that a run which ends before the registration (a
// cancelled page, nothing selected) does not leave the medium's path standing.
// False, told to the setup log and failing the run, when it could not be written.
bool PutBackKeptBasePath(InstallRun& run, const std::wstring& adminFile);

class CInstElement;
// Whether adminFile records the element's package as installed (status bit 2)
// in the element's destination folder.
bool RecordedAsInstalled(const std::wstring& adminFile, const CInstElement& element);

// After the copy: the administration file learns which packages are installed
// where, and each chosen package's own installer runs from the medium.
#pragma once

#include <string>

class CIEArray;

// Merges the catalogue of sourceDir\data into the packages known to adminFile
// ("obj\orvekAdmin.ini" below installDir when empty), records every selected
// package element (1 to count - 10 of elements) as installed at its destination,
// runs each one's installer (sourceDir\data\<dirname>\plg\<plugin>, in that plg
// folder) and waits for it, one after the other, and saves. The user's data base
// path survives; when there was none it stays at the medium's data folder.
// Shows nothing. Always false; recorded (when given) tells whether the
// administration file was written.
bool InstallDataPackages(const CIEArray& elements, const std::wstring& installDir, const std::wstring& sourceDir,
                         const std::wstring& adminFile, bool* recorded = nullptr);

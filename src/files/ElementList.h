// The install element list of a run and the folders created before copying.
#pragma once

#include <cstddef>

// Fills the run's element list: element 0 (the program), one element per
// package of the source catalogue in catalogue order, then the nine fixed
// elements. With n elements the packages are 1 to n - 10 and the fixed ones
// n - 9 to n - 1.
void BuildElementList();

// Creates, through the folder chain that records new folders in the run's
// uninstall log: the folders of element 0 and of every selected package (with
// the package's category folders), the subfolders of the "WinSxS" section, and
// the folders of "CreateDir", "CreateProgramDataDir" and "CreateDirHalvue".
void CreateFolders();

// The fixed elements that close the list.
inline constexpr std::size_t kFixedElementCount = 9;

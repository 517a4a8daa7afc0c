// The install element list of a run and the folders created before copying.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CIEArray;
class CInstElement;
class InstallRun;
struct LeftOutPackage;

// Fills elements: element 0 (the program), one element per package of the
// catalogue in sourceDir\data (country picks the package variants) in catalogue
// order, then the nine fixed elements. With n elements the packages are 1 to
// n - 10 and the fixed ones n - 9 to n - 1. run gives the system kind, the
// Windows folder and the user interface. leftOut (when given) receives the
// packages of the catalogue that are not offered (CFirmenArray::LoadCatalogue).
void BuildElementList(InstallRun& run, CIEArray& elements, const std::wstring& sourceDir, int country,
                      std::vector<LeftOutPackage>* leftOut = nullptr);

// The layout of the list, written here only: element 0 is the program, the
// packages are elements 1 to PackageCount, and the fixed elements close the
// list in this order, each at its own distance from the end.
enum class FixedElement : std::size_t {
    AdditionalFiles,   // "Additional Files"
    HalvueFiles,       // "Halvue Files"
    Docs,              // "Dokumente"
    System,            // "System Files"
    CommonDtb,         // "Common DTB"
    FilesPriv,         // "Private Files"
    Setup,             // "Setup Dateien"
    WinSxS,            // "System WinSxS"
    ProgramDataFiles,  // "ProgramData Files"
};
inline constexpr std::size_t kFixedElementCount = 9;

// True when the list holds element 0 and the fixed elements; a shorter list
// has no packages and no fixed element.
bool HasFixedElements(const CIEArray& elements);
// The number of packages: n - 10 of n elements, 0 for a shorter list.
std::size_t PackageCount(const CIEArray& elements);
// The fixed element which; only for a list with HasFixedElements.
CInstElement& FixedElementOf(const CIEArray& elements, FixedElement which);
// Gives element 0's folder (the install folder) to the fixed elements that go
// there: "Dokumente", "Common DTB" and "Private Files". Nothing for a list
// without its fixed elements.
void GiveProgramFolderToFixedElements(const CIEArray& elements);

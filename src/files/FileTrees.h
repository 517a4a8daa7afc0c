// The file trees of the install elements: the program's and the private files'
// from the data script, the fixed layout of each data package.
#pragma once

#include <string>

class CInstElement;

// The data categories of a package, in the order their folders are installed.
inline constexpr const wchar_t* kPackageCategories[] = {L"cad", L"dtb", L"lvk", L"pic", L"geo", L"sym", L"att"};

// Gives element's root the package layout: the files of data\<dirname>\ and of
// each category folder below it, expanded only when installed. False when the
// element has no package or no root.
bool BuildPackageTree(CInstElement& element);

// New trees for the private-files element, element 0 and every package element
// of the run's element list. False as soon as a section read was aborted.
bool BuildFileTrees(const std::wstring& scriptPath);

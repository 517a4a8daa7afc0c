// The file trees of the install elements: the program's and the private files'
// from the data script, the fixed layout of each data package.
#pragma once

#include <string>

class CIEArray;
class CInstElement;
struct SectionContext;

// Gives element a package item as its root (PackageItem.h): the files of
// data\<dirname>\ and of each category folder below it, laid out and expanded
// only when installed. False when the element has no package.
bool BuildPackageTree(CInstElement& element);

// New trees for the private-files element, element 0 and every package element
// of elements. adminMode: the administration file was found (the ini files then
// belong to the private files). False as soon as a section read was aborted.
bool BuildFileTrees(const SectionContext& context, const std::wstring& scriptPath, CIEArray& elements,
                    bool adminMode);

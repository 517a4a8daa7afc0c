// The copy phase: every selected element with a file tree, under the progress
// of the run's user interface.
#pragma once

#include <string>

class CIEArray;
class CInstElement;
class FileList;
class InstallRun;

// Installs the tree of every selected element into its destination, package
// elements with their own uninstall log. One progress step per file. False when
// the copy was cancelled or an answer asked to stop (the run's result is then
// failed); the elements after that point install nothing, and every selected
// package not refused or failed before fails for the stop. sourceFiles is the
// scan the whole-folder items are counted against.
bool InstallElements(InstallRun& run, const CIEArray& elements, const FileList& sourceFiles);

// Why the package element's folder on the medium cannot be copied whole: the
// scan did not find it, or left a part of it unread (a link leading off the
// medium); empty when it can.
std::wstring NotWholeOnMedium(const CInstElement& element, const InstallRun& run, const FileList& sourceFiles);

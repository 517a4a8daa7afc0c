// The copy phase: every selected element with a file tree, under the progress
// of the run's user interface.
#pragma once

class CIEArray;
class FileList;
class InstallRun;

// Installs the tree of every selected element into its destination, package
// elements with their own uninstall log. One progress step per file. False when
// the copy was cancelled or an answer asked to stop (the run's result is then
// failed); the elements after that point install nothing, and every selected
// package not refused or failed before fails for the stop. sourceFiles is the
// scan the whole-folder items are counted against.
bool InstallElements(InstallRun& run, const CIEArray& elements, const FileList& sourceFiles);

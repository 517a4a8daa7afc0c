// The copy phase: every selected element with a file tree, under one progress dialog.
#pragma once

#include <windows.h>

class CIEArray;

// Installs the tree of every selected element into its destination, package
// elements with their own uninstall log. One progress step per file. False when
// the copy was cancelled or an answer asked to stop (the run's result is then
// 0); the elements after that point install nothing. owner (not owned) owns the
// progress dialog.
bool InstallElements(const CIEArray& elements, HWND owner = nullptr);

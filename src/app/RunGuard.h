// One run at a time on this machine: two would copy into the same folders and
// write the same administration file.
#pragma once

#include "framework/Handles.h"

inline constexpr wchar_t kRunGuardName[] = L"Global\\OrvekDataSetupRun";

// Creates the guard under name into guard. False when this run does not own
// it alone: another run holds it, or the name cannot be had at all (another
// kind of object holds it, access is denied); each counts as another run.
bool OwnRunGuard(fw::ScopedKernelHandle& guard, const wchar_t* name = kRunGuardName);

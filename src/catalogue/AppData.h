// The suite's per-machine folders and the machine's administration file.
#pragma once

#include <string>

namespace fw {
class UserInterface;
}

// C:\ProgramData\Orvekhaus\ (desktop: ...\Orvekhaus\OrvekDesktop\), always with a
// trailing backslash. Without the folder: false, and unless quiet a message to ui.
bool AppDataFolder(fw::UserInterface& ui, std::wstring& folder, bool desktop, bool quiet);

// AppDataFolder (no desktop) joined to OrvekData.
bool DataFolder(fw::UserInterface& ui, std::wstring& folder, bool quiet);

// The data folder (not quiet) joined to orvekAdmin.ini; true when the file exists.
bool MachineAdminFile(fw::UserInterface& ui, std::wstring& path);

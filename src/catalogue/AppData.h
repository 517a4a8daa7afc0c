// The suite's per-machine folders and the machine's administration file.
#pragma once

#include <string>

// C:\ProgramData\Orvekhaus\ (desktop: ...\Orvekhaus\OrvekDesktop\), always with a
// trailing backslash. Without the folder: false, and unless quiet a message.
bool AppDataFolder(std::wstring& folder, bool desktop, bool quiet);

// AppDataFolder (no desktop) joined to OrvekData.
bool DataFolder(std::wstring& folder, bool quiet);

// The data folder (not quiet) joined to orvekAdmin.ini; true when the file exists.
bool MachineAdminFile(std::wstring& path);

// a and b with exactly one backslash between them; an empty b adds nothing.
std::wstring JoinFolder(const std::wstring& a, const std::wstring& b);

// The script files beside the setup program and the keys the run reads itself.
#pragma once

#include <string>

inline constexpr wchar_t kSetupInfoFile[] = L"setup.inf";
inline constexpr wchar_t kDataScriptFile[] = L"DataSetup.inf";
inline constexpr wchar_t kInstallSection[] = L"Install32";
inline constexpr wchar_t kIniSection[] = L"Ini32";

// SourcePath of section SetupInfo in setupDir + "setup.inf", up to 1023
// characters: the caller refuses one longer than a path field (PathFitsField).
std::wstring ReadSourcePath(const std::wstring& setupDir);

// The source root derived from the setup folder: everything from the last
// "install" (any case) on is cut off. False when the word is not there.
bool SourceRootFromSetupDir(const std::wstring& setupDir, std::wstring& root);

// The source root a SourcePath value names: an absolute value as given; a
// relative one below setupDir, and a rooted one ("\Medium") on setupDir's
// drive or share, whatever the current folder of the process is. Relative
// values come back as full paths ("..\" resolved).
std::wstring SourceDirFromValue(const std::wstring& setupDir, const std::wstring& value);

// SourcePath (SourceDirFromValue) when set, else the derived root. False: the
// source cannot be found. Whether the folder is there, and the length, are the
// caller's to check, as with ReadSourcePath.
bool ResolveSourceDir(const std::wstring& setupDir, std::wstring& sourceDir);

// Ini of the install section (520 characters); empty when absent.
std::wstring ReadIniName(const std::wstring& scriptFile, const std::wstring& installSection);

// DotNetFx of the install section; 0 when absent or not a number.
int ReadDotNetFx(const std::wstring& scriptFile, const std::wstring& installSection);

// Country of section Land of the administration file; current when absent.
int ReadAdminCountry(const std::wstring& adminFile, int current);

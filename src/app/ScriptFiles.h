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

// SourcePath when set, else the derived root. False: the source cannot be found.
// The length is the caller's to check, as with ReadSourcePath.
bool ResolveSourceDir(const std::wstring& setupDir, std::wstring& sourceDir);

// Ini of the install section (520 characters); empty when absent.
std::wstring ReadIniName(const std::wstring& scriptFile, const std::wstring& installSection);

// DotNetFx of the install section; 0 when absent or not a number.
int ReadDotNetFx(const std::wstring& scriptFile, const std::wstring& installSection);

// Country of section Land of the administration file; current when absent.
int ReadAdminCountry(const std::wstring& adminFile, int current);

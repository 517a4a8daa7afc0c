// The .NET Framework a setup script can require: whether it is installed, read
// from the registry, and where to get the version that is missing.
#pragma once

#include <string>

// The vendor's download pages of the framework versions.
inline constexpr wchar_t kDotNet11DownloadUrl[] = L"https://www.microsoft.com/en-us/download/details.aspx?id=26";
inline constexpr wchar_t kDotNet20DownloadUrl[] = L"https://www.microsoft.com/en-us/download/details.aspx?id=19";
inline constexpr wchar_t kDotNet30DownloadUrl[] =
    L"https://www.microsoft.com/downloads/details.aspx?FamilyID=10cc340b-f857-4a14-83f5-25634c3bf043";
inline constexpr wchar_t kDotNet35DownloadUrl[] = L"https://dotnet.microsoft.com/download/dotnet-framework/net35-sp1";

// The required-version codes of key "DotNetFx" of the setup script.
inline constexpr int kDotNet10 = 100;
inline constexpr int kDotNet11 = 110;
inline constexpr int kDotNet20 = 200;
inline constexpr int kDotNet30 = 300;
inline constexpr int kDotNet35 = 350;

// True when the framework version of code is installed (registry of
// HKEY_LOCAL_MACHINE). versionText and downloadUrl are set for the prompt: "3.5"
// and the 3.5 page, then what the code's rule names ("1.0" keeps the 3.5 page).
// A code without a rule is never present. Unreadable values count as absent.
bool DotNetFrameworkPresent(int code, std::wstring& versionText, std::wstring& downloadUrl);

#include "app/ScriptFiles.h"

#include "platform/PathUtil.h"
#include "platform/Profile.h"

#include <cwctype>
#include <shlwapi.h>

namespace {

// Far more than a path may hold: a value too long for the run is read whole and
// refused (PathFitsField) rather than cut to a path that names another folder.
constexpr DWORD kSourcePathChars = 1024;
constexpr DWORD kIniNameChars = 520;

}  // namespace

std::wstring ReadSourcePath(const std::wstring& setupDir)
{
    return ReadProfileText(JoinPath(setupDir, kSetupInfoFile), L"SetupInfo", L"SourcePath", kSourcePathChars);
}

bool SourceRootFromSetupDir(const std::wstring& setupDir, std::wstring& root)
{
    std::wstring lower = setupDir;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    std::wstring::size_type at = lower.rfind(L"install");
    if (at == std::wstring::npos) {
        root.clear();
        return false;
    }
    root = setupDir.substr(0, at);
    return true;
}

std::wstring SourceDirFromValue(const std::wstring& setupDir, const std::wstring& value)
{
    if (value.empty() || IsAbsolutePath(value)) return value;
    std::wstring joined;
    if (value[0] == L'\\' || value[0] == L'/') {
        // Rooted: on the setup folder's drive or share, not the current one.
        wchar_t root[MAX_PATH] = {};
        if (setupDir.size() >= MAX_PATH) return JoinPath(setupDir, value);
        setupDir.copy(root, setupDir.size());
        if (!::PathStripToRootW(root)) return JoinPath(setupDir, value);
        joined = JoinPath(root, value);
    } else {
        joined = JoinPath(setupDir, value);
    }
    // "..\" and "/" as the system reads them; the length is checked by the caller.
    return FullPathName(joined);
}

bool ResolveSourceDir(const std::wstring& setupDir, std::wstring& sourceDir)
{
    sourceDir = SourceDirFromValue(setupDir, ReadSourcePath(setupDir));
    if (!sourceDir.empty()) return true;
    return SourceRootFromSetupDir(setupDir, sourceDir);
}

std::wstring ReadIniName(const std::wstring& scriptFile, const std::wstring& installSection)
{
    return ReadProfileText(scriptFile, installSection, L"Ini", kIniNameChars);
}

int ReadDotNetFx(const std::wstring& scriptFile, const std::wstring& installSection)
{
    return ReadProfileNumber(scriptFile, installSection, L"DotNetFx", 0);
}

int ReadAdminCountry(const std::wstring& adminFile, int current)
{
    return ReadProfileNumber(adminFile, L"Land", L"Country", current);
}

#include "app/PathFields.h"

#include "app/ScriptFiles.h"
#include "app/SetupState.h"

namespace {

const wchar_t* NameOf(PathOrigin origin)
{
    switch (origin) {
    case PathOrigin::InstallPath: return L"The installation path";
    case PathOrigin::SourcePath: return L"The source path (SourcePath in setup.inf)";
    case PathOrigin::DataScript: return L"The path of the setup script";
    case PathOrigin::MainIniFile: return L"The path of the settings file";
    }
    return L"A path";
}

}  // namespace

bool PathFitsField(const std::wstring& path, PathOrigin origin, std::wstring& message)
{
    if (path.size() <= kPathFieldChars) return true;
    message = std::wstring(NameOf(origin)) + L" is too long: " + std::to_wstring(path.size()) +
              L" characters, at most " + std::to_wstring(kPathFieldChars) + L".\n\n" + path;
    return false;
}

bool StartPathsFit(const SetupState& state, const std::wstring& moduleDir, std::wstring& message)
{
    // The installation path of the command line is recorded only: whatever its
    // length, it forms no path of the run.
    (void)state;
    return PathFitsField(moduleDir + kDataScriptFile, PathOrigin::DataScript, message);
}

#include "files/FolderChain.h"

#include "files/InstallRun.h"
#include "files/Refusals.h"
#include "platform/PathUtil.h"

#include <windows.h>

namespace {

// CreateDirectoryW, where a folder that is already there counts as done.
bool CreateOne(InstallRun& run, const std::wstring& folder)
{
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
        if (UninstallLog* log = run.RunLog()) log->WriteDir(folder);
        return true;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    return FolderExists(folder);
}

}  // namespace

bool CreateFolderChain(InstallRun& run, const std::wstring& path)
{
    if (path.empty()) return false;
    if (const std::wstring link = run.LinkOnTheWay(path); !link.empty()) {
        RefuseFolderLink(run, L"The folder " + path, link);
        return false;
    }
    bool result = false;
    // Each prefix ends at a backslash, which it keeps, or at the end of the path:
    // "C:\" is three characters and skipped, "C:\x\" is made and logged so.
    // The uninstaller reads these lines as they are.
    for (size_t end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end - 1] != L'\\') continue;
        if (end > 3) result = CreateOne(run, path.substr(0, end));
    }
    return result;
}

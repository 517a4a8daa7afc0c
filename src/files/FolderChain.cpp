#include "files/FolderChain.h"

#include "files/InstallRun.h"
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
    bool result = false;
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != L'\\') continue;
        if (i == path.size() && path.back() == L'\\') break;  // tried at that backslash
        std::wstring prefix = path.substr(0, i);
        if (prefix.size() > 3) result = CreateOne(run, prefix);
    }
    return result;
}

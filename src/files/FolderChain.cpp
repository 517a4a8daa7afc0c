#include "files/FolderChain.h"

#include "files/InstallRun.h"
#include "files/Refusals.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <vector>

namespace {

enum class Made { Yes, There, Missing, Failed };

// CreateDirectoryW of one folder: made (and logged), already there as a
// folder, its parent missing, or failed.
Made CreateOne(InstallRun& run, const std::wstring& folder)
{
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
        run.SeenFolders().Made(folder);
        if (UninstallLog* log = run.RunLog()) log->WriteDir(folder);
        return Made::Yes;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) return Made::Missing;
    if (error != ERROR_ALREADY_EXISTS) return Made::Failed;
    return FolderExists(folder) ? Made::There : Made::Failed;
}

}  // namespace

bool CreateFolderChain(InstallRun& run, const std::wstring& path)
{
    if (path.empty()) return false;
    if (const std::wstring link = run.LinkOnTheWay(path); !link.empty()) {
        RefuseFolderLink(run, L"The folder " + path, link);
        return false;
    }
    // Each prefix ends at a backslash, which it keeps, or at the end of the path:
    // "C:\" is three characters and skipped, "C:\x\" is made and logged so.
    // The uninstaller reads these lines as they are.
    std::vector<std::size_t> ends;
    for (std::size_t end = 4; end <= path.size(); ++end)
        if (end == path.size() || path[end - 1] == L'\\') ends.push_back(end);
    // From the deepest folder up to the first that is there or can be made (one
    // call when the parent is there), then down again, top first as the log has them.
    std::size_t made = ends.size();
    while (made > 0) {
        const Made outcome = CreateOne(run, path.substr(0, ends[made - 1]));
        if (outcome == Made::Failed) return false;
        if (outcome != Made::Missing) break;
        --made;
    }
    if (made == 0) return false;
    for (std::size_t i = made; i < ends.size(); ++i) {
        const Made outcome = CreateOne(run, path.substr(0, ends[i]));
        if (outcome != Made::Yes && outcome != Made::There) return false;
    }
    return true;
}

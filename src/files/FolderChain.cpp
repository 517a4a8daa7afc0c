#include "files/FolderChain.h"

#include "files/InstallRun.h"
#include "files/Refusals.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <vector>

namespace {

enum class Made { Yes, There, Link, Missing, Failed };

// CreateDirectoryW of one folder: made (and logged), already there as a
// folder, there as a folder link (one that appeared since the run looked),
// its parent missing, or failed.
Made CreateOne(InstallRun& run, const std::wstring& folder)
{
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
        run.MadeFolder(folder);
        if (UninstallLog* log = run.RunLog()) log->WriteDir(folder);
        return Made::Yes;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) return Made::Missing;
    if (error != ERROR_ALREADY_EXISTS) return Made::Failed;
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Made::Failed;
    return IsFolderLinkAttributes(attributes) ? Made::Link : Made::There;
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
    // A link is refused only below the installation folder, as LinkOnTheWay
    // looks; above it, whoever chose the folder chose where it leads.
    auto below = [&](std::size_t end) {
        std::wstring link = path.substr(0, end), root = run.installDir;
        while (!link.empty() && link.back() == L'\\') link.pop_back();
        while (!root.empty() && root.back() == L'\\') root.pop_back();
        return !root.empty() && link.size() > root.size() && IsInsideFolder(link, root) ? link : std::wstring();
    };
    auto refused = [&](const std::wstring& link) {
        RefuseFolderLink(run, L"The folder " + path, link);
        return false;
    };
    std::size_t made = ends.size();
    while (made > 0) {
        const Made outcome = CreateOne(run, path.substr(0, ends[made - 1]));
        if (outcome == Made::Failed) return false;
        if (outcome == Made::Link && !below(ends[made - 1]).empty()) return refused(below(ends[made - 1]));
        if (outcome != Made::Missing) break;
        --made;
    }
    if (made == 0) return false;
    for (std::size_t i = made; i < ends.size(); ++i) {
        const Made outcome = CreateOne(run, path.substr(0, ends[i]));
        if (outcome == Made::Link && !below(ends[i]).empty()) return refused(below(ends[i]));
        if (outcome == Made::Missing || outcome == Made::Failed) return false;
    }
    return true;
}

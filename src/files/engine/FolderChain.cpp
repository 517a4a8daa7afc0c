#include "files/engine/FolderChain.h"

#include "files/run/InstallRun.h"
#include "files/engine/Refusals.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <vector>

namespace {

enum class Made { Yes, There, Link, Missing, Failed };

// CreateDirectoryW of one folder: made (and logged), already there as a
// folder, there as a folder link, its parent missing, or failed.
Made CreateOne(InstallRun& run, const std::wstring& folder, DWORD& failure)
{
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
        run.MadeFolder(folder);
        if (UninstallLog* log = run.RunLog(); log && !log->WriteDir(folder) && !log->Unnamed().empty())
            run.Refuse(L"the run's uninstall log cannot name the folder " + folder + L" (8-bit), not even by a short name");
        return Made::Yes;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) return Made::Missing;
    if (error != ERROR_ALREADY_EXISTS) {
        failure = error;
        return Made::Failed;
    }
    // Without its trailing backslash: with it, a link answers for where it leads.
    const DWORD attributes = ::GetFileAttributesW(WithoutTrailingBackslashes(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // A file of that name stands where the folder should be.
        failure = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_ALREADY_EXISTS;
        return Made::Failed;
    }
    if (IsFolderLinkAttributes(attributes)) return Made::Link;
    run.FoundPlainFolder(folder);
    return Made::There;
}

}  // namespace

bool CreateFolderChain(InstallRun& run, const std::wstring& path, DWORD* error)
{
    DWORD failure = 0;
    // On every way out: the error of the folder that could not be made.
    struct Tell {
        DWORD& failure;
        DWORD* error;
        ~Tell()
        {
            if (error) *error = failure;
        }
    } tell{failure, error};
    if (path.empty()) {
        failure = ERROR_INVALID_NAME;
        return false;
    }
    if (const std::wstring link = run.LinkOnTheWay(path); !link.empty()) {
        RefuseFolderLink(run, L"The folder " + path, link);
        failure = ERROR_ACCESS_DENIED;
        return false;
    }
    // Each prefix ends at a backslash, which it keeps, or at the end of the path:
    // "C:\" is three characters and skipped, "C:\x\" is made and logged so.
    // The uninstaller reads these lines as they are.
    std::vector<std::size_t> ends;
    for (std::size_t end = 4; end <= path.size(); ++end)
        if (end == path.size() || path[end - 1] == L'\\') ends.push_back(end);
    auto prefix = [&](std::size_t i) { return path.substr(0, ends[i]); };
    // A link is refused below the installation folder only, as LinkOnTheWay
    // looks; above it, whoever chose the folder chose where it leads.
    const std::wstring root = WithoutTrailingBackslashes(run.installDir);
    auto refused = [&](std::size_t i) {
        const std::wstring folder = WithoutTrailingBackslashes(prefix(i));
        if (root.empty() || folder.size() <= root.size() || !IsInsideFolder(folder, root)) return false;
        RefuseFolderLink(run, L"The folder " + path, folder);
        failure = ERROR_ACCESS_DENIED;
        return true;
    };
    // Made from the deepest folder the run knows to be plain (or from the
    // installation folder) down, each one looked at as it is made: a link that
    // appeared meanwhile is not written through.
    auto known = [&](std::size_t i) {
        const std::wstring folder = WithoutTrailingBackslashes(prefix(i));
        return run.KnownPlainFolder(folder) || (!root.empty() && SameName(folder, root));
    };
    // Top down from first; false when a folder could not be made, and with
    // missing set when one's parent was not there after all.
    auto down = [&](std::size_t first, bool& missing) {
        for (std::size_t i = first; i < ends.size(); ++i) {
            const Made outcome = CreateOne(run, prefix(i), failure);
            if (outcome == Made::Link && refused(i)) return false;
            missing = outcome == Made::Missing;
            if (outcome == Made::Missing) failure = ERROR_PATH_NOT_FOUND;
            if (outcome == Made::Missing || outcome == Made::Failed) return false;
        }
        return true;
    };
    std::size_t first = ends.size();
    while (first > 0 && !known(first - 1)) --first;
    bool missing = false;
    if (first == ends.size() && FolderExists(path)) return true;
    if (first > 0 && first < ends.size()) {
        if (down(first, missing)) return true;
        if (!missing) return false;
    }
    // Knowing none, or a known folder gone meanwhile: from the deepest folder that is there.
    first = ends.size();
    while (first > 0) {
        const Made outcome = CreateOne(run, prefix(first - 1), failure);
        if (outcome == Made::Failed) return false;
        if (outcome == Made::Link && refused(first - 1)) return false;
        if (outcome != Made::Missing) break;
        --first;
    }
    if (first == 0) {
        failure = ERROR_PATH_NOT_FOUND;
        return false;
    }
    return down(first, missing);
}

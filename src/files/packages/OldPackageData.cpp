#include "files/packages/OldPackageData.h"

#include "catalogue/Firma.h"
#include "files/engine/DirectoryTree.h"
#include "files/run/InstallRun.h"
#include "files/engine/Refusals.h"
#include "framework/Handles.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"
#include "files/run/RunFiles.h"
#include "platform/Win32Error.h"

#include <windows.h>

namespace {

constexpr std::size_t kShortestSearchedFolder = 4;
constexpr std::size_t kLongestLeftAlone = 5;
constexpr std::size_t kShortestWalkedPath = 4;

bool IsKeptDatabase(const std::wstring& fileName)
{
    const std::size_t dot = fileName.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    const wchar_t* extension = fileName.c_str() + dot;
    return ::lstrcmpiW(extension, L".mdb") == 0 || ::lstrcmpiW(extension, L".rdb") == 0;
}

// A folder link is not walked into: it may lead back up the tree.
bool HoldsOtherFile(const std::wstring& folder)
{
    if (folder.size() < kShortestWalkedPath) return false;
    WIN32_FIND_DATAW data;
    fw::ScopedFind find(::FindFirstFileW(JoinPath(folder, L"*").c_str(), &data));
    if (!find) return false;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            if (HoldsOtherFile(JoinPath(folder, name))) return true;
        } else if (!IsKeptDatabase(name)) {
            return true;
        }
    } while (::FindNextFileW(find.Get(), &data));
    return false;
}

// One plain folder name below an absolute folder: "X:\name..." or
// "\\server\share\name...".
bool IsRemovableFolder(const std::wstring& folder)
{
    if (folder.size() <= kLongestLeftAlone) return false;
    const std::wstring path = WithoutTrailingBackslashes(folder);
    std::size_t rootEnd = 0;  // where the first folder below the root begins
    if (IsUncPath(path)) {
        const std::size_t server = path.find(L'\\', 2);
        const std::size_t share = server == std::wstring::npos ? server : path.find(L'\\', server + 1);
        if (share == std::wstring::npos) return false;
        rootEnd = share + 1;
    } else if (IsAbsolutePath(path)) {
        rootEnd = 3;
    } else {
        return false;
    }
    if (path.size() <= rootEnd) return false;
    return IsPlainFolderName(LastPathComponent(path));
}

// Empty, or the path and the Win32 error of a file that is there and could not be deleted.
std::wstring DeleteIfThere(const std::wstring& path)
{
    if (!FileExists(path) || DeleteFileForced(path, true)) return std::wstring();
    const DWORD error = ::GetLastError();
    return path + ErrorCodeSuffix(error);
}

}  // namespace

bool HasOldPackageData(const std::wstring& folder, std::wstring* parent)
{
    if (folder.size() < kShortestSearchedFolder) return false;
    bool found = false;
    for (const wchar_t* category : kOldDataCategories) {
        if (HoldsOtherFile(JoinPath(folder, category))) {
            found = true;
            break;
        }
    }
    if (found && parent) {
        const std::wstring path = WithoutTrailingBackslashes(folder);
        const std::size_t slash = path.rfind(L'\\');
        *parent = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    }
    return found;
}

std::wstring PackageFolderLink(const std::wstring& folder, const std::wstring& installDir, InstallRun* run, bool* there)
{
    bool found = false;
    auto linkBelow = [run, &found](const std::wstring& root, const std::wstring& path) {
        if (run) return run->LinkBelow(root, path, &found);
        found = FolderExists(path);
        return FolderLinkBelow(root, path);
    };
    std::wstring root = installDir;
    if (!IsInsideFolder(folder, installDir)) {
        const std::size_t slash = WithoutTrailingBackslashes(folder).rfind(L'\\');
        root = slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
    }
    std::wstring link = linkBelow(root, WithoutTrailingBackslashes(folder));
    if (there) *there = found;
    // Below a package folder that is not there, nothing is.
    if (!link.empty() || !found) return link;
    for (const wchar_t* category : kOldDataCategories) {
        if (!link.empty()) break;
        link = linkBelow(root, JoinPath(folder, category));
    }
    return link;
}

std::wstring RemoveOldPackageData(const std::wstring& folder)
{
    if (!IsRemovableFolder(folder)) return std::wstring();
    // Its categories would be those of the place it leads to.
    if (IsFolderLink(WithoutTrailingBackslashes(folder))) return std::wstring();
    std::wstring failed;
    for (const wchar_t* category : kOldDataCategories) {
        const std::wstring path = JoinPath(folder, category);
        std::wstring where;
        DWORD error = 0;
        if (AnyMatch(path) && !DeleteTree(path, false, &where, &error) && failed.empty())
            failed = where + ErrorCodeSuffix(error);
    }
    for (const std::wstring& file :
         {JoinPath(folder, kPackageLogName), JoinPath(folder, LastPathComponent(WithoutTrailingBackslashes(folder)) + L".inf")}) {
        const std::wstring why = DeleteIfThere(file);
        if (failed.empty()) failed = why;
    }
    return failed;
}

bool ConfirmReplaceOldData(InstallUi& ui, InstallRun& run, ReplaceOldDataDecision& decision,
                           const std::wstring& packageName, const std::wstring& folder, const std::wstring& installDir,
                           PackageOutcome* refusal)
{
    bool there = false;
    if (const std::wstring link = PackageFolderLink(folder, installDir, &run, &there); !link.empty()) {
        RefuseFolderLink(run, L"The package " + packageName, link);
        if (refusal) *refusal = PackageOutcome::Refused(PackageStep::FolderLink, link);
        return false;
    }
    std::wstring parent;
    if (!there || !HasOldPackageData(folder, &parent)) return true;
    if (::lstrcmpiW(parent.c_str(), decision.parentFolder.c_str()) != 0) {
        decision.parentFolder = parent;
        decision.dontAskAgain = false;
    }
    if (decision.alwaysReplace) {
        decision.lastAnswer = true;
        run.Tell(L"the old data of " + packageName + L" in " + folder + L" is replaced without asking");
    } else if (!decision.dontAskAgain) {
        bool applyToAll = false;
        decision.lastAnswer = ui.AskReplaceOldData(packageName, folder, decision.passThrough != 0, applyToAll) == IDYES;
        decision.dontAskAgain = applyToAll;
    }
    if (!decision.lastAnswer) return false;
    // What stays is written over by the copy or left beside it; the package still goes in.
    if (const std::wstring failed = RemoveOldPackageData(folder); !failed.empty())
        run.Tell(L"the old data of " + packageName + L" in " + folder + L" could not be removed entirely: " + failed);
    return true;
}

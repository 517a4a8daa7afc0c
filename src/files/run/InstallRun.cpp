#include "files/run/InstallRun.h"

#include "framework/Handles.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"

InstallRun::~InstallRun()
{
    copyLog.Close();
    runLog.Close();
}

void InstallRun::Tell(const std::wstring& line) const
{
    if (reporter) reporter(line);
}

void InstallRun::Refuse(const std::wstring& why)
{
    ++refusals_;
    Tell(L"refused: " + why);
}

void InstallRun::NotInstalled(const std::wstring& what)
{
    constexpr std::size_t kNamedFiles = 20;  // a summary, not a second copy log
    ++totals.notInstalled;
    if (totals.named.size() < kNamedFiles) totals.named.push_back(what);
}

std::wstring InstallRun::LinkOnTheWay(const std::wstring& path, bool* there)
{
    if (installDir.empty()) {
        if (there) *there = false;
        return std::wstring();
    }
    return LinkBelow(installDir, path, there);
}

std::wstring InstallRun::LinkBelow(const std::wstring& root, const std::wstring& path, bool* there)
{
    return FolderLinkBelow(root, path, folders_, there,
                           [this](const std::wstring& folder) { return KnownMissing(folder); });
}

bool InstallRun::KnownMissing(const std::wstring& path)
{
    const std::wstring name = LastPathComponent(path);
    if (name.empty() || name.size() == path.size()) return false;
    const std::wstring folder = ParentFolder(path);
    FolderCache::Facts& seen = folders_.At(folder);
    if (!seen.asked) {
        seen.asked = true;
        WIN32_FIND_DATAW data;
        fw::ScopedFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                               nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (find) {
            auto names = std::make_unique<std::unordered_set<std::wstring>>();
            do names->insert(FileNameKey(data.cFileName));
            while (::FindNextFileW(find.Get(), &data));
            seen.names = std::move(names);
            seen.listed = true;
        } else {
            // A folder that is not there holds nothing; one that cannot be read is not known.
            const DWORD error = ::GetLastError();
            seen.listed = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        }
    }
    return seen.listed && !(seen.names && seen.names->count(FileNameKey(name)));
}

void InstallRun::MadeFolder(const std::wstring& folder)
{
    const std::wstring path = WithoutTrailingBackslashes(folder);
    if (path.empty()) return;
    FolderCache::Facts& facts = folders_.At(path);
    facts.plain = true;
    // Listing it would only find it empty (the run just made it).
    if (!facts.asked) facts.asked = facts.listed = true;
}

void InstallRun::FoundPlainFolder(const std::wstring& folder)
{
    const std::wstring path = WithoutTrailingBackslashes(folder);
    if (!path.empty()) folders_.RememberPlain(path);
}

bool InstallRun::KnownPlainFolder(const std::wstring& folder) const
{
    const std::wstring path = WithoutTrailingBackslashes(folder);
    return !path.empty() && folders_.IsPlain(path);
}

void InstallRun::ForgetBelow(const std::wstring& folder)
{
    const std::wstring path = WithoutTrailingBackslashes(folder);
    if (!path.empty()) folders_.ForgetBelow(path);
}

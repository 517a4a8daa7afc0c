#include "files/InstallRun.h"

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
    return plainFolders_.LinkBelow(root, path, there, [this](const std::wstring& folder) { return KnownMissing(folder); });
}

bool InstallRun::KnownMissing(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos || slash + 1 == path.size()) return false;
    const std::wstring folder = path.substr(0, slash);
    auto [entry, added] = folderNames_.try_emplace(FileNameKey(folder));
    FolderNames& seen = entry->second;
    if (added) {
        WIN32_FIND_DATAW data;
        fw::ScopedFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                               nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (find) {
            do seen.names.insert(FileNameKey(data.cFileName));
            while (::FindNextFileW(find.Get(), &data));
            seen.listed = true;
        } else {
            // A folder that is not there holds nothing; one that cannot be read is not known.
            const DWORD error = ::GetLastError();
            seen.listed = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        }
    }
    return seen.listed && seen.names.count(FileNameKey(path.substr(slash + 1))) == 0;
}

void InstallRun::MadeFolder(const std::wstring& folder)
{
    const std::wstring path = WithoutTrailingBackslashes(folder);
    if (path.empty()) return;
    plainFolders_.Remember(path);
    // Listing it would only find it empty (the run just made it).
    if (auto [entry, added] = folderNames_.try_emplace(FileNameKey(path)); added) entry->second.listed = true;
}

#include "files/InstallRun.h"

#include "framework/Handles.h"
#include "platform/FolderLinks.h"

InstallRun::~InstallRun()
{
    copyLog.Close();
    runLog.Close();
}

namespace {

std::wstring Upper(const std::wstring& text)
{
    std::wstring upper(text.size(), L'\0');
    if (!text.empty() &&
        !::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), upper.data(),
                         static_cast<int>(upper.size()), nullptr, nullptr, 0))
        return text;
    return upper;
}

}  // namespace

void InstallRun::Tell(const std::wstring& line) const
{
    if (reporter) reporter(line);
}

void InstallRun::Refuse(const std::wstring& why)
{
    ++refusals_;
    Tell(L"refused: " + why);
}

std::wstring InstallRun::LinkOnTheWay(const std::wstring& path) const
{
    return installDir.empty() ? std::wstring() : FolderLinkBelow(installDir, path);
}

bool InstallRun::KnownMissing(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos || slash + 1 == path.size()) return false;
    const std::wstring folder = path.substr(0, slash);
    auto [entry, added] = folderNames_.try_emplace(Upper(folder));
    FolderNames& seen = entry->second;
    if (added) {
        WIN32_FIND_DATAW data;
        fw::ScopedFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                               nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (find) {
            do seen.names.insert(Upper(data.cFileName));
            while (::FindNextFileW(find.Get(), &data));
            seen.listed = true;
        } else {
            // A folder that is not there holds nothing; one that cannot be read is not known.
            const DWORD error = ::GetLastError();
            seen.listed = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        }
    }
    return seen.listed && seen.names.count(Upper(path.substr(slash + 1))) == 0;
}

#include "catalogue/AppData.h"

#include "catalogue/FirmenArray.h"
#include "framework/UserInterface.h"

#include <windows.h>
#include <shlobj.h>

bool AppDataFolder(std::wstring& folder, bool desktop, bool quiet)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
        folder.clear();
        if (!quiet)
            fw::Message(L"You do not have enough rights to execute this application: No Applicationdata path found",
                        MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    folder = JoinFolder(path, L"Orvekhaus");
    if (desktop) folder = JoinFolder(folder, L"OrvekDesktop");
    folder += L'\\';
    return true;
}

bool DataFolder(std::wstring& folder, bool quiet)
{
    if (!AppDataFolder(folder, false, quiet)) return false;
    folder = JoinFolder(folder, L"OrvekData");
    return true;
}

bool MachineAdminFile(std::wstring& path)
{
    path.clear();
    std::wstring folder;
    if (!DataFolder(folder, false)) return false;
    path = JoinFolder(folder, kAdminFileName);
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring JoinFolder(const std::wstring& a, const std::wstring& b)
{
    if (b.empty()) return a;
    if (a.empty()) return b;
    std::wstring joined = a;
    const bool aEnds = joined.back() == L'\\';
    const bool bBegins = b.front() == L'\\';
    if (aEnds && bBegins) joined.append(b, 1, std::wstring::npos);
    else if (!aEnds && !bBegins) joined += L'\\' + b;
    else joined += b;
    return joined;
}

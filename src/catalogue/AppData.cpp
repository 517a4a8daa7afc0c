#include "catalogue/AppData.h"

#include "catalogue/FirmenArray.h"
#include "framework/UserInterface.h"
#include "platform/PathUtil.h"

#include <windows.h>
#include <shlobj.h>

bool AppDataFolder(fw::UserInterface& ui, std::wstring& folder, bool desktop, bool quiet)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
        folder.clear();
        if (!quiet)
            ui.Message(L"You do not have enough rights to execute this application: No Applicationdata path found",
                        MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    folder = JoinPath(path, L"Orvekhaus");
    if (desktop) folder = JoinPath(folder, L"OrvekDesktop");
    folder += L'\\';
    return true;
}

bool DataFolder(fw::UserInterface& ui, std::wstring& folder, bool quiet)
{
    if (!AppDataFolder(ui, folder, false, quiet)) return false;
    folder = JoinPath(folder, L"OrvekData");
    return true;
}

bool MachineAdminFile(fw::UserInterface& ui, std::wstring& path)
{
    path.clear();
    std::wstring folder;
    if (!DataFolder(ui, folder, false)) return false;
    path = JoinPath(folder, kAdminFileName);
    return FileExists(path);
}

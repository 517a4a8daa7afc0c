// The administration context of CFirmenArray: where the administration file is,
// its base paths, country and language.
#include "catalogue/FirmenArray.h"
#include "framework/Handles.h"
#include "framework/UserInterface.h"
#include "platform/PathUtil.h"
#include "platform/Profile.h"

#include <windows.h>

namespace {

constexpr DWORD kWinIniValueChars = 1024;
constexpr DWORD kCountryChars = 512;
constexpr DWORD kWholeValue = 0xFFFFFFFF;
constexpr wchar_t kProfileSection[] = L"ORVEK";
const wchar_t* const kProfileKeys[] = {L"Orvek_Admin_V2008", L"Orvek_Admin_V350", L"Orvek_Admin_V300"};

// Drive and folder of the running program, with the trailing backslash.
std::wstring RunningProgramFolder()
{
    std::wstring path;
    if (!fw::ProgramPath(path)) return std::wstring();
    std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// A new administration file holds only its first section.
bool CreateAdminFile(const std::wstring& path)
{
    fw::ScopedFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    static const char kContent[] = "[basepath]\r\n";
    DWORD written = 0;
    BOOL ok = ::WriteFile(file.Get(), kContent, sizeof(kContent) - 1, &written, nullptr);
    return ok && written == sizeof(kContent) - 1;
}

}  // namespace

std::wstring AdminFileIn(const std::wstring& installDir)
{
    return JoinPath(installDir, std::wstring(L"obj\\") + kAdminFileName);
}

bool CFirmenArray::LocateAdminFile(bool create)
{
    std::wstring installation;
    for (const wchar_t* key : kProfileKeys) {
        installation = ReadWindowsProfileText(kProfileSection, key, kWinIniValueChars);
        if (!installation.empty()) break;
    }
    if (!installation.empty()) {
        adminFolder = installation;
        adminFile = AdminFileIn(installation);
    } else {
        adminFolder = programFolder.empty() ? RunningProgramFolder() : programFolder;
        // Without the program's folder the bare file name would be looked for,
        // or made, in whatever the current folder is.
        if (adminFolder.empty()) {
            adminFile.clear();
            return false;
        }
        adminFile = JoinPath(adminFolder, kAdminFileName);
    }
    if (FileExists(adminFile)) return true;
    if (create) CreateAdminFile(adminFile);
    return false;
}

bool CFirmenArray::SetAdminFile(const std::wstring& path)
{
    adminFile = path;
    if (adminFile.empty()) return LocateAdminFile(false);
    return true;
}

bool CFirmenArray::ReadBasePath()
{
    // Whole, however long: the run keeps the user's path and writes it back, and
    // compares it with the one it wrote; a cut path would name another folder.
    dataBasePath = Admin().Get(L"basepath", L"path", std::wstring(), kWholeValue);
    if (dataBasePath.empty()) return false;
    localCatalogue = JoinPath(dataBasePath, kCatalogueFileName);
    localCatalogueExists = FileExists(localCatalogue);
    return localCatalogueExists;
}

Win32Result CFirmenArray::SetBasePath(const std::wstring& folder)
{
    dataBasePath = folder;
    if (adminFile.empty()) LocateAdminFile(true);
    // Nowhere to write it, or refused as the platform's write refuses it, even when the value is there.
    if (adminFile.empty()) return Win32Result::Failed(ERROR_FILE_NOT_FOUND);
    if (const DWORD error = ProfileWriteError(adminFile)) return Win32Result::Failed(error);
    // Set refuses a value that would not read back, and says nothing of why.
    if (!Admin().Set(L"basepath", L"path", dataBasePath)) {
        admin_.Discard();
        return Win32Result::Failed(ERROR_INVALID_DATA);
    }
    return admin_.Commit();
}

bool CFirmenArray::ReadCountryAndLanguage()
{
    if (adminFile.empty()) LocateAdminFile(false);
    if (adminFile.empty()) return false;
    const ProfileDocument& admin = Admin();
    countryCode = admin.Get(L"Land", L"Country", std::wstring(), kCountryChars);
    if (countryCode.empty()) countryCode = L"00";
    else if (countryCode.size() == 1) countryCode.insert(0, 1, L'0');
    surfaceLanguage = admin.Get(L"Sprachen", L"Oberflaeche", std::wstring(), kCountryChars);
    return true;
}

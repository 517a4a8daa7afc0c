#include "files/ElementList.h"

#include "catalogue/AppData.h"
#include "files/FileTrees.h"
#include "files/InstElement.h"
#include "files/InstallRun.h"
#include "files/FolderChain.h"
#include "platform/PathUtil.h"
#include "platform/Profile.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kValueChars = 256;
constexpr wchar_t kWinSxsKey[] = L"WinSxS";

// The values of every key of section, in file order.
std::vector<std::wstring> SectionValues(const std::wstring& file, const wchar_t* section)
{
    std::vector<std::wstring> values;
    for (const std::wstring& key : ReadProfileKeys(file, section))
        values.push_back(ReadProfileText(file, section, key, kValueChars));
    return values;
}

// base joined with relative in a path buffer; a result that would not fit is
// not created at all rather than cut.
void CreateJoined(InstallRun& run, const std::wstring& base, const std::wstring& relative)
{
    wchar_t path[MAX_PATH] = {};
    if (JoinPath(path, base.c_str(), relative.c_str())) CreateFolderChain(run, path);
}

// The third field of a file entry (between the second and third comma, as it
// stands); false when the entry has fewer than three commas.
bool ThirdField(const std::wstring& value, std::wstring& field)
{
    const std::size_t first = value.find(L',');
    if (first == std::wstring::npos) return false;
    const std::size_t second = value.find(L',', first + 1);
    if (second == std::wstring::npos) return false;
    const std::size_t third = value.find(L',', second + 1);
    if (third == std::wstring::npos) return false;
    field = value.substr(second + 1, third - second - 1);
    return true;
}

}  // namespace

void CreateFolders(InstallRun& run, const CIEArray& elements, const std::wstring& scriptFile,
                   const std::wstring& installDir)
{

    for (std::size_t i = 0; i < elements.GetSize(); ++i) {
        const CInstElement& element = *elements[i];
        if (i == 0) {
            CreateFolderChain(run, element.destination);
        } else if (element.packageElement && element.selected) {
            CreateFolderChain(run, element.destination);
            for (const wchar_t* sub : kFolderOrderCategories) CreateFolderChain(run, JoinPath(element.destination, sub));
        }
    }

    for (std::size_t i = elements.GetSize(); i > 1; --i) {
        const CInstElement& element = *elements[i - 1];
        if (element.packageElement || element.folderKey != kWinSxsKey) continue;
        for (const std::wstring& value : SectionValues(scriptFile, kWinSxsKey)) {
            std::wstring subfolder;
            if (ThirdField(value, subfolder)) CreateJoined(run, element.destination, subfolder);
        }
        break;
    }

    for (const std::wstring& value : SectionValues(scriptFile, L"CreateDir")) CreateJoined(run, installDir, value);

    std::wstring appData;
    if (AppDataFolder(run.ui, appData, false, true)) {
        for (const std::wstring& value : SectionValues(scriptFile, L"CreateProgramDataDir"))
            CreateJoined(run, appData, value);
    }

    for (const std::wstring& value : SectionValues(scriptFile, L"CreateDirHalvue"))
        CreateJoined(run, installDir, value);
}

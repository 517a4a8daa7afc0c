#include "files/ElementList.h"

#include "app/SetupState.h"
#include "catalogue/AppData.h"
#include "catalogue/InstElement.h"
#include "files/FolderChain.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kKeyListChars = 32000;
constexpr DWORD kValueChars = 256;
constexpr wchar_t kWinSxsKey[] = L"WinSxS";

// The values of every key of section, in file order.
std::vector<std::wstring> SectionValues(const std::wstring& file, const wchar_t* section)
{
    std::vector<wchar_t> keys(kKeyListChars, L'\0');
    const DWORD length =
        ::GetPrivateProfileStringW(section, nullptr, L"", keys.data(), kKeyListChars, file.c_str());
    std::vector<std::wstring> values;
    for (DWORD pos = 0; pos < length && keys[pos];) {
        const wchar_t* key = keys.data() + pos;
        pos += static_cast<DWORD>(wcslen(key)) + 1;
        wchar_t value[kValueChars] = {};
        ::GetPrivateProfileStringW(section, key, L"", value, kValueChars, file.c_str());
        values.emplace_back(value);
    }
    return values;
}

// base joined with relative in a path buffer; a result that would not fit is
// not created at all rather than cut.
void CreateJoined(const std::wstring& base, const std::wstring& relative)
{
    wchar_t path[MAX_PATH] = {};
    if (JoinPath(path, base.c_str(), relative.c_str())) CreateFolderChain(path);
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

void CreateFolders()
{
    const SetupState& state = State();
    const CIEArray& elements = state.elements;

    for (std::size_t i = 0; i < elements.GetSize(); ++i) {
        const CInstElement& element = *elements[i];
        if (i == 0) {
            CreateFolderChain(element.destination);
        } else if (element.packageElement && element.selected) {
            CreateFolderChain(element.destination);
            for (const wchar_t* sub : {L"lvk", L"dtb", L"cad", L"pic", L"geo", L"sym", L"att"})
                CreateFolderChain(JoinPath(element.destination, sub));
        }
    }

    for (std::size_t i = elements.GetSize(); i > 1; --i) {
        const CInstElement& element = *elements[i - 1];
        if (element.packageElement || element.folderKey != kWinSxsKey) continue;
        for (const std::wstring& value : SectionValues(state.scriptFile, kWinSxsKey)) {
            std::wstring subfolder;
            if (ThirdField(value, subfolder)) CreateJoined(element.destination, subfolder);
        }
        break;
    }

    for (const std::wstring& value : SectionValues(state.scriptFile, L"CreateDir"))
        CreateJoined(state.installDir, value);

    std::wstring appData;
    if (AppDataFolder(appData, false, true)) {
        for (const std::wstring& value : SectionValues(state.scriptFile, L"CreateProgramDataDir"))
            CreateJoined(appData, value);
    }

    for (const std::wstring& value : SectionValues(state.scriptFile, L"CreateDirHalvue"))
        CreateJoined(state.installDir, value);
}

#include "files/ElementList.h"

#include "app/SetupState.h"
#include "catalogue/AppData.h"
#include "catalogue/FirmenArray.h"
#include "catalogue/InstElement.h"
#include "platform/PathUtil.h"
#include "platform/SystemInfo.h"

#include <windows.h>

namespace {

struct FixedElement {
    const char* displayName;
    const char* folderKey;
    const char* folderKey95;  // on the 95 family
    int selected;
};

// The order is an interface: the dialogs and the package step address these by
// their distance from the end of the list.
constexpr FixedElement kFixedElements[] = {
    {"Additional Files", "FilesIfExists", "FilesIfExists", 1},
    {"Halvue Files", "FilesHalvue", "FilesHalvue", 1},
    {"Dokumente", "Docs", "Docs", 0},
    {"System Files", "System", "System98", 1},
    {"Common DTB", "CommonDTB", "CommonDTB", 1},
    {"Private Files", "FilesPriv", "FilesPriv", 1},
    {"Setup Dateien", "Setup", "Setup", 0},
    {"System WinSxS", "WinSxS", "WinSxS", 1},
    {"ProgramData Files", "ProgramDataFiles", "ProgramDataFiles", 1},
};

// Windows XP or later: the NT family above version 5.0.
bool IsXpOrLater()
{
    if (GetSystemKind() != SystemKind::NtFamily) return false;
    const DWORD version = ::GetVersion();
    const int major = LOBYTE(LOWORD(version));
    const int minor = HIBYTE(LOWORD(version));
    return major > 5 || (major == 5 && minor > 0);
}

std::wstring SystemFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace

void BuildElementList()
{
    SetupState& state = State();
    CIEArray& elements = state.elements;
    elements.RemoveAll();
    const bool nt = GetSystemKind() == SystemKind::NtFamily;

    auto program = std::make_unique<CInstElement>("ORVEK Applikation", nt ? "Files" : "Files98", 1);
    elements.Add(std::move(program));

    CFirmenArray catalogue;
    catalogue.LoadCatalogue(JoinPath(state.sourceDir, L"data"), state.country);
    while (catalogue.GetSize() > 0) {
        auto element = std::make_unique<CInstElement>();
        element->package = catalogue.RemoveAt(0);
        element->displayName = element->package->name;
        element->folderKey = element->package->dirname;
        element->selected = 1;
        element->packageElement = 1;
        elements.Add(std::move(element));
    }

    for (const FixedElement& fixed : kFixedElements) {
        auto element =
            std::make_unique<CInstElement>(fixed.displayName, nt ? fixed.folderKey : fixed.folderKey95, fixed.selected);
        const std::string key = fixed.folderKey;
        if (key == "System") {
            element->destination = SystemFolder();
        } else if (key == "WinSxS") {
            element->selected = IsXpOrLater() ? 0 : 1;
            element->destination = WindowsFolder();
        } else if (key == "ProgramDataFiles") {
            std::wstring folder;
            if (AppDataFolder(folder, true, false)) element->destination = folder;
        }
        elements.Add(std::move(element));
    }
}

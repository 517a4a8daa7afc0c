#include "files/elements/ElementList.h"

#include "catalogue/AppData.h"
#include "catalogue/FirmenArray.h"
#include "files/elements/InstElement.h"
#include "files/run/InstallRun.h"
#include "platform/PathUtil.h"
#include "platform/SystemInfo.h"

#include <windows.h>

#include <iterator>

namespace {

struct FixedEntry {
    const char* displayName;
    const char* folderKey;
    const char* folderKey95;  // on the 95 family
    int selected;
};

// In the order of enum FixedElement, which addresses them from the end of the list.
constexpr FixedEntry kFixedElements[] = {
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
static_assert(std::size(kFixedElements) == kFixedElementCount);
static_assert(static_cast<std::size_t>(FixedElement::ProgramDataFiles) + 1 == kFixedElementCount);

}  // namespace

bool HasFixedElements(const CIEArray& elements)
{
    return elements.GetSize() >= kFixedElementCount + 1;
}

std::size_t PackageCount(const CIEArray& elements)
{
    return HasFixedElements(elements) ? elements.GetSize() - kFixedElementCount - 1 : 0;
}

CInstElement& FixedElementOf(const CIEArray& elements, FixedElement which)
{
    return *elements[elements.GetSize() - kFixedElementCount + static_cast<std::size_t>(which)];
}

void GiveProgramFolderToFixedElements(const CIEArray& elements)
{
    if (!HasFixedElements(elements)) return;
    for (FixedElement which : {FixedElement::Docs, FixedElement::CommonDtb, FixedElement::FilesPriv})
        FixedElementOf(elements, which).destination = elements[0]->destination;
}

void BuildElementList(InstallRun& run, CIEArray& elements, const std::wstring& sourceDir, int country,
                      std::vector<LeftOutPackage>* leftOut)
{
    elements.RemoveAll();
    const bool nt = run.systemKind == SystemKind::NtFamily;

    auto program = std::make_unique<CInstElement>("ORVEK Applikation", nt ? "Files" : "Files98", 1);
    elements.Add(std::move(program));

    CFirmenArray catalogue;
    catalogue.LoadCatalogue(JoinPath(sourceDir, L"data"), country, leftOut);
    // All at once: taking the first record each time moves the rest every time.
    for (std::unique_ptr<CFirma>& package : catalogue.TakeAll()) {
        auto element = std::make_unique<CInstElement>();
        element->package = std::move(package);
        element->displayName = element->package->name;
        element->folderKey = element->package->dirname;
        element->selected = 1;
        element->packageElement = 1;
        elements.Add(std::move(element));
    }

    for (const FixedEntry& fixed : kFixedElements) {
        auto element =
            std::make_unique<CInstElement>(fixed.displayName, nt ? fixed.folderKey : fixed.folderKey95, fixed.selected);
        const std::string key = fixed.folderKey;
        if (key == "System") {
            element->destination = QuerySystemFolder();
        } else if (key == "WinSxS") {
            element->selected = IsXpOrLater(run.systemKind) ? 0 : 1;
            element->destination = run.windowsFolder;
        } else if (key == "ProgramDataFiles") {
            std::wstring folder;
            if (AppDataFolder(run.ui, folder, true, false)) element->destination = folder;
        }
        elements.Add(std::move(element));
    }
}

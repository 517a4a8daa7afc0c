// What the command line asks of a run beyond silence: the packages (/M) and the
// installation folder (/P). Both are checked before anything is changed, so an
// administrator's typing error ends the run with 1603 and a reason instead of
// installing something else.
#include "app/Sequencer.h"

#include "app/PathFields.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "dialogs/PathCheck.h"
#include "dialogs/SetupUi.h"
#include "files/ElementList.h"
#include "platform/PathUtil.h"

#include <cwchar>

bool Sequencer::KnowPackageNames()
{
    const CIEArray& elements = state_.elements;
    std::vector<PackageNames> names;
    packages_.clear();
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        const CInstElement& element = *elements[i];
        PackageNames package{element.folderKey, element.folderKey, element.displayName};
        if (element.package) package = {element.package->id, element.package->dirname, element.package->name};
        names.push_back(package);
        PackageResult result;
        result.name = package.name.empty() ? element.displayName : package.name;
        packages_.push_back(result);
    }
    choice_ = ChoosePackages(state_.manufacturerSelection, state_.manufacturerRequests, names);
    if (choice_.unknown.empty()) return true;
    std::wstring list;
    for (const std::wstring& name : choice_.unknown) list += (list.empty() ? L"\"" : L", \"") + name + L"\"";
    const std::wstring why = L"Not a package of this medium (/M): " + list + L".";
    ui_.Message(why, MB_ICONERROR | MB_OK);
    End(EarlyEnd::Failed, why);
    return false;
}

void Sequencer::TakePackageChoice()
{
    CIEArray& elements = state_.elements;
    for (std::size_t i = 0; i < packages_.size() && i + 1 < elements.GetSize(); ++i)
        elements[i + 1]->selected = (choice_.every || choice_.chosen[i]) ? 1 : 0;
}

void Sequencer::RefuseInstallFolder(const std::wstring& why)
{
    const std::wstring text = L"The installation folder " + state_.commandInstallPath + L" (/P) is refused: " + why;
    ui_.Message(text, MB_ICONERROR | MB_OK);
    End(EarlyEnd::Failed, text);
}

bool Sequencer::TakeInstallFolder()
{
    const std::wstring& folder = state_.commandInstallPath;
    if (folder.empty()) return true;
    // Recorded whatever its length; only as the folder of the run must it fit.
    if (folder.size() > kPathFieldChars) {
        RefuseInstallFolder(L"it is longer than a folder path can be (" + std::to_wstring(folder.size()) +
                            L" characters, at most " + std::to_wstring(kPathFieldChars) + L")");
        return false;
    }
    if (const std::wstring why = InstallFolderRefusal(folder); !why.empty()) {
        RefuseInstallFolder(why);
        return false;
    }
    // As "Pfad..." on the options page: each package in its own folder below it.
    state_.installDir = folder;
    state_.installDirText = folder;
    CIEArray& elements = state_.elements;
    const ElementFolderNames names(state_.scriptFile);
    for (std::size_t i = 0; i < packages_.size() && i + 1 < elements.GetSize(); ++i)
        SetElementDestination(*elements[i + 1], folder, names);
    log_.Write(L"installation folder " + folder + L" (/P)");
    return true;
}

bool Sequencer::RoomInInstallFolder()
{
    if (state_.commandInstallPath.empty()) return true;
    const std::vector<DriveShortage> shortages = DrivesShortOfSpace(state_.elements, state_.sourceFiles);
    if (shortages.empty()) return true;
    std::wstring why = L"not enough space";
    for (const DriveShortage& shortage : shortages) {
        wchar_t free[32];
        std::swprintf(free, 32, L"%.0f", shortage.freeKB);
        why += L" on drive " + std::wstring(1, shortage.letter) + L": " + std::to_wstring(shortage.neededKB) +
               L" KB needed, " + free + L" KB free;";
    }
    why.pop_back();
    RefuseInstallFolder(why);
    return false;
}

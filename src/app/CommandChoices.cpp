// What the command line asks of a run beyond silence: the packages (/M) and the
// installation folder (/P). Both are checked before anything is changed, so an
// administrator's typing error ends the run with 1603 and a reason instead of
// installing something else.
#include "app/Sequencer.h"

#include "app/LogTarget.h"
#include "app/PathFields.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "dialogs/PathCheck.h"
#include "dialogs/SetupUi.h"
#include "files/elements/ElementList.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"

#include <cwchar>

namespace {

// The packages of names (id, folder name or name, as /M matches them) that name matches.
std::vector<bool> Matching(const std::wstring& name, const std::vector<PackageNames>& names)
{
    return ChoosePackages({name}, {name}, names).chosen;
}

// What the catalogue says of a package it does not offer, for the setup log.
std::wstring WhyLeftOut(const LeftOutPackage& package, int country)
{
    if (package.why == LeftOutPackage::Why::Country)
        return L"it is not offered for country " + std::to_wstring(country);
    return L"it is not offered: its folder name \"" + package.dirname + L"\" is not one plain folder name";
}

// Why /P's folder lies on the installation medium (the source root or the
// setup folder, or below either), however it is spelt; empty when it does not.
// A run installing there would write onto the medium it reads.
std::wstring OnTheMedium(const std::wstring& folder, const std::vector<std::wstring>& medium)
{
    std::wstring path = ComparablePath(folder);
    for (const std::wstring& root : medium) {
        std::wstring rootPath = WithoutTrailingBackslashes(ComparablePath(root));
        if (!rootPath.empty() && IsInsideFolder(path, rootPath))
            return L"it lies on the installation medium (" + root + L")";
    }
    // Another name for a folder of the medium (a link, a share of this
    // machine): each existing folder on the way up, by identity.
    for (path = WithoutTrailingBackslashes(FullPathName(folder)); !path.empty();) {
        if (PathExists(path)) {
            for (const std::wstring& root : medium)
                if (SameFile(path, root)) return L"it lies on the installation medium (" + root + L")";
        }
        const std::size_t slash = path.find_last_of(L"\\/");
        if (slash == std::wstring::npos || IsDriveRoot(path)) break;
        path = path.substr(0, slash);
        if (path.size() == 2 && HasDriveLetter(path)) path += L'\\';  // the drive's root
    }
    return std::wstring();
}

}  // namespace

bool Sequencer::KnowPackageNames()
{
    if (state_.manufacturersGiven && state_.manufacturerSelection.empty()) {
        // A deployment script whose variable came out empty must not roll out everything.
        const std::wstring why = L"The package list of /M is empty: give the packages, \"complete\" for every "
                                 L"package or \"none\"; no /M installs every package.";
        Fail(why);
        return false;
    }
    const CIEArray& elements = state_.elements;
    std::vector<PackageNames> names;
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        const CInstElement& element = *elements[i];
        PackageNames package{element.folderKey, element.folderKey, element.displayName};
        if (element.package) package = {element.package->id, element.package->dirname, element.package->name};
        names.push_back(package);
    }
    packagesKnown_ = true;
    choice_ = ChoosePackages(state_.manufacturerSelection, state_.manufacturerRequests, names);
    if (choice_.unknown.empty()) return true;
    std::vector<PackageNames> leftOutNames;
    for (const LeftOutPackage& package : leftOut_) leftOutNames.push_back({package.id, package.dirname, package.name});
    std::wstring list;
    std::wstring notOffered;
    for (const std::wstring& name : choice_.unknown) {
        const std::vector<bool> matched = Matching(name, leftOutNames);
        bool onTheMedium = false;
        for (std::size_t i = 0; i < matched.size(); ++i) {
            if (!matched[i]) continue;
            onTheMedium = true;
            notOffered +=
                L" \"" + name + L"\" (" + leftOut_[i].name + L"): " + WhyLeftOut(leftOut_[i], state_.country) + L".";
        }
        if (!onTheMedium) list += (list.empty() ? L"\"" : L", \"") + name + L"\"";
    }
    std::wstring why = list.empty() ? std::wstring() : L"Not a package of this medium (/M): " + list + L".";
    if (!notOffered.empty()) why += (why.empty() ? L"" : L" ") + std::wstring(L"A package of /M") + notOffered;
    Fail(why);
    return false;
}

void Sequencer::TakePackageChoice()
{
    CIEArray& elements = state_.elements;
    for (std::size_t i = 1; i <= PackageCount(elements); ++i)
        elements[i]->selected = (choice_.every || choice_.chosen[i - 1]) ? 1 : 0;
}

void Sequencer::RefuseInstallFolder(const std::wstring& why)
{
    const std::wstring text = L"The installation folder " + state_.commandInstallPath + L" (/P) is refused: " + why;
    Fail(text);
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
    std::wstring why = InstallFolderRefusal(folder);
    if (why.empty()) why = OnTheMedium(folder, {state_.sourceDir, state_.setupDir});
    if (!why.empty()) {
        RefuseInstallFolder(why);
        return false;
    }
    // As "Pfad..." on the options page: each package in its own folder below it.
    state_.installDir = folder;
    state_.installDirText = folder;
    CIEArray& elements = state_.elements;
    const ElementFolderNames names(state_.scriptFile);
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) SetElementDestination(*elements[i], folder, names);
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

#include "files/elements/ElementList.h"

#include "catalogue/AppData.h"
#include "files/sections/FileTrees.h"
#include "files/elements/InstElement.h"
#include "files/run/InstallRun.h"
#include "files/engine/FolderChain.h"
#include "files/packages/OldPackageData.h"
#include "files/engine/Refusals.h"
#include "platform/PathUtil.h"
#include "platform/ProfileDocument.h"
#include "files/steps/CreateFolders.h"
#include "files/elements/PackageItem.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kValueChars = 256;
constexpr std::size_t kLogBlock = 4096;
constexpr wchar_t kWinSxsKey[] = L"WinSxS";

// The folders that the values of section name relative to their root, in file
// order: folderOf gives a value's folder (false: the value names none). A value
// whose folder its buffer would cut, or whose folder would lead outside the
// root, is refused (Abort, Retry, Ignore). False when the user chose Abort.
bool SectionFolders(InstallRun& run, const std::wstring& file, const wchar_t* section,
                    bool (*folderOf)(const std::wstring& value, std::wstring& folder), std::vector<std::wstring>& folders)
{
    ProfileDocument script;
    script.Load(file);
    for (const std::wstring& key : script.Keys(section)) {
        for (;;) {
            const ScriptValue value = ReadScriptValue(script, section, key, kValueChars);
            std::wstring folder;
            std::wstring wholeFolder;
            const bool namesFolder = folderOf(value.read, folder);
            std::wstring why;
            if (namesFolder != folderOf(value.whole, wholeFolder) || folder != wholeFolder) {
                why = CutFieldText(kValueChars);
            } else if (!namesFolder) {
                break;
            } else if (StaysBelowRoot(folder)) {
                folders.push_back(RelativeToRoot(folder));
                break;
            } else {
                why = L"leads outside its folder: " + folder;
            }
            const EntryAnswer answer = RefuseEntry(run.ui, run, key, section, why);
            if (answer == EntryAnswer::Abort) return false;
            if (answer == EntryAnswer::Skip) break;
        }
    }
    return true;
}

bool WholeValue(const std::wstring& value, std::wstring& folder)
{
    folder = value;
    return true;
}

// base joined with relative in a path buffer; a result that would not fit is
// not created at all rather than cut.
void CreateJoined(InstallRun& run, const std::wstring& base, const std::wstring& relative)
{
    wchar_t path[MAX_PATH] = {};
    if (!JoinPath(path, base.c_str(), relative.c_str())) return;
    DWORD error = 0;
    if (!CreateFolderChain(run, path, &error) && error != ERROR_ACCESS_DENIED)
        run.Refuse(L"the folder " + std::wstring(path) + L" could not be made" + ErrorSuffix(error));
}

// The element's folder and the folders below it that its files need; false,
// with the element failed, when one could not be made.
bool CreateElementFolders(InstallRun& run, CInstElement& element, const std::vector<std::wstring>& folders)
{
    for (const std::wstring& folder : folders) {
        DWORD error = 0;
        if (CreateFolderChain(run, folder, &error)) continue;
        FailElement(run, element, PackageOutcome::Failed(PackageStep::FolderNotMade, folder, error));
        return false;
    }
    return true;
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

bool ScriptFolderList(InstallRun& run, const std::wstring& scriptFile, const std::wstring& section,
                      std::vector<std::wstring>& folders)
{
    return SectionFolders(run, scriptFile, section.c_str(), section == kWinSxsKey ? ThirdField : WholeValue, folders);
}

void CreateFolders(InstallRun& run, const CIEArray& elements, const std::wstring& scriptFile,
                   const std::wstring& installDir)
{
    run.installDir = installDir;
    // An Abort ends the run as the user's stop, before anything is copied.
    auto stop = [&run] { run.Cancel(); };

    // The "dir" lines of an element's folders go to the run log in one write:
    // a medium of thousands of packages makes eight folders for each.
    UninstallLog* runLog = run.RunLog();
    if (runLog) runLog->Hold(kLogBlock);
    for (std::size_t i = 0; i < elements.GetSize(); ++i) {
        CInstElement& element = *elements[i];
        if (i == 0) {
            if (element.selected && !element.destination.empty())
                CreateElementFolders(run, element, {element.destination});
        } else if (element.packageElement && element.selected) {
            if (const std::wstring link = PackageFolderLink(element.destination, installDir, &run); !link.empty()) {
                RefuseFolderLink(run, L"The package " + ElementName(element), link);
                element.outcome = PackageOutcome::Refused(PackageStep::FolderLink, link);
                element.selected = 0;  // neither copied nor recorded
                continue;
            }
            std::vector<std::wstring> folders{element.destination};
            for (const wchar_t* sub : kFolderOrderCategories) folders.push_back(JoinPath(element.destination, sub));
            // Files that could not be put where they belong are not copied at all.
            if (!CreateElementFolders(run, element, folders)) element.selected = 0;
        }
        if (runLog) runLog->Flush();
    }
    if (runLog) runLog->Hold(0);

    for (std::size_t i = elements.GetSize(); i > 1; --i) {
        const CInstElement& element = *elements[i - 1];
        if (element.packageElement || element.folderKey != kWinSxsKey) continue;
        std::vector<std::wstring> subfolders;
        if (!SectionFolders(run, scriptFile, kWinSxsKey, ThirdField, subfolders)) return stop();
        for (const std::wstring& subfolder : subfolders) CreateJoined(run, element.destination, subfolder);
        break;
    }

    std::vector<std::wstring> folders;
    if (!SectionFolders(run, scriptFile, L"CreateDir", WholeValue, folders)) return stop();
    for (const std::wstring& folder : folders) CreateJoined(run, installDir, folder);

    std::wstring appData;
    if (AppDataFolder(run.ui, appData, false, true)) {
        folders.clear();
        if (!SectionFolders(run, scriptFile, L"CreateProgramDataDir", WholeValue, folders)) return stop();
        for (const std::wstring& folder : folders) CreateJoined(run, appData, folder);
    }

    folders.clear();
    if (!SectionFolders(run, scriptFile, L"CreateDirHalvue", WholeValue, folders)) return stop();
    for (const std::wstring& folder : folders) CreateJoined(run, installDir, folder);
}

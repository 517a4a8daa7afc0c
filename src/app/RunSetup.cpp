// The main driver of the run: source, element list, prerequisites, the
// administration file, file sets, the options page, the old-data question, and
// the install phase. Every early end returns to StartRun, which still ends the
// run through 0x47B.
#include "app/Sequencer.h"

#include "app/LogTarget.h"
#include "app/PathFields.h"
#include "app/ScriptFiles.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "catalogue/AppData.h"
#include "catalogue/FirmenArray.h"
#include "catalogue/KeptBasePath.h"
#include "dialogs/SetupUi.h"
#include "files/elements/ElementList.h"
#include "files/sections/FileSection.h"
#include "files/sections/FileTrees.h"
#include "files/source/SourceNames.h"
#include "files/packages/OldPackageData.h"
#include "files/packages/PackageRegistration.h"
#include "files/engine/Refusals.h"
#include "platform/DotNetFramework.h"
#include "platform/FileLinks.h"
#include "platform/PathUtil.h"
#include "platform/Registry.h"
#include "resources/resource.h"

bool Sequencer::FindSource()
{
    state_.setupDir = paths_.moduleDir;
    if (state_.setupDir.empty()) {
        ui_.Message(L"No setup path given!", MB_ICONERROR | MB_OK);
        End(EarlyEnd::Failed, L"no setup folder");
        return false;
    }
    if (state_.setupDir.back() != L'\\') state_.setupDir += L'\\';
    if (!ResolveSourceDir(state_.setupDir, state_.sourceDir)) {
        ui_.MessageId(IDS_INSERT_ORIGINAL_DVD, MB_ICONERROR | MB_OK);
        End(EarlyEnd::Failed, L"no installation source");
        return false;
    }
    std::wstring tooLong;
    if (!PathFitsField(state_.sourceDir, PathOrigin::SourcePath, tooLong)) {
        Fail(tooLong);
        return false;
    }
    if (!SourceFolderThere()) return false;
    log_.Write(L"source " + state_.sourceDir);
    return true;
}

bool Sequencer::ReadAdministration()
{
    state_.runMode = kRunModeAdmin;
    if (!MachineAdminFile(ui_, state_.adminFile)) {
        state_.adminFile.clear();
        state_.runMode = kRunModeNoAdmin;
        std::wstring suite;
        const UINT id = RegistryValue(L"OrvekSuite", L"InstallDir", suite) ? IDS_SUITE_ONLY : IDS_NO_INSTALLATION;
        ui_.MessageId(id, MB_ICONINFORMATION | MB_OK);
        return true;
    }
    // The data folder may have been made by someone else: a link in the place
    // of the file would carry every record into the file it points at.
    if (const FileLink link = FileLinkAt(state_.adminFile); link != FileLink::None) {
        const std::wstring text =
            L"The administration file " + state_.adminFile + L" is refused: " + FileLinkText(link);
        Fail(text);
        return false;
    }
    log_.Write(L"administration file " + state_.adminFile);
    keptPathDue_ = true;
    state_.installDir = FolderPart(state_.adminFile);
    CIEArray& elements = state_.elements;
    const ElementFolderNames names(state_.scriptFile);
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        elements[i]->selected = 1;
        SetElementDestination(*elements[i], state_.installDir, names);
    }
    return true;
}

// A silent run never shows the options page, which would give element 0 and
// three fixed elements their folder: they get the install folder here, as the
// page gives them on OK, so their files are not left out. The packages go
// below its local folder (with /P they already have their folders below it).
void Sequencer::SetDestinations()
{
    CIEArray& elements = state_.elements;
    if (!HasFixedElements(elements)) return;
    elements[0]->destination = state_.installDir;
    GiveProgramFolderToFixedElements(elements);
    if (!state_.commandInstallPath.empty()) return;
    const std::wstring localBase = JoinPath(state_.installDir, L"local");
    const ElementFolderNames names(state_.scriptFile);
    for (std::size_t i = 1; i <= PackageCount(elements); ++i)
        if (elements[i]->selected) SetElementDestination(*elements[i], localBase, names);
}

void Sequencer::PutBackKeptPath()
{
    if (!keptPathDue_) return;
    keptPathDue_ = false;
    PutBackKeptBasePath(run_, state_.adminFile);
}

bool Sequencer::ConfirmOldData()
{
    CIEArray& elements = state_.elements;
    const std::wstring adminFile =
        state_.adminFile.empty() ? AdminFileIn(state_.installDir) : state_.adminFile;
    ReplaceOldDataDecision decision;
    decision.alwaysReplace = state_.replaceOldData;
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        CInstElement& element = *elements[i];
        if (!element.selected) continue;
        const std::wstring name = ElementName(element);
        PackageOutcome refusal;
        element.selected =
            ConfirmReplaceOldData(ui_, run_, decision, name, element.destination, state_.installDir, &refusal) ? 1 : 0;
        if (refusal.LeftOut()) {
            element.outcome = refusal;
            continue;
        }
        // Kept where the administration file has it installed, it stays installed.
        if (!element.selected)
            element.outcome = PackageOutcome::OldDataKept(element.destination, RecordedAsInstalled(adminFile, element));
        log_.Write(L"package " + name + (element.selected ? L": to be installed in " + element.destination
                                                            : L": skipped, its old data in " + element.destination +
                                                                  L" is kept"));
    }
    for (std::size_t i = 0; i < elements.GetSize(); ++i)
        if (elements[i]->selected) return true;
    return false;
}

void Sequencer::RunSetup()
{
    if (!FindSource()) return;

    state_.scriptFile = state_.setupDir + kDataScriptFile;
    // FindSource found a folder there; a source the scan refuses leaves nothing to install from.
    if (!state_.sourceFiles.Scan(state_.sourceDir)) {
        ui_.MessageId(IDS_INSERT_ORIGINAL_DVD, MB_ICONERROR | MB_OK);
        End(EarlyEnd::Failed, L"no installation source");
        return;
    }
    log_.Write(L"medium read: " + std::to_wstring(state_.sourceFiles.FileCount()) + L" files in " +
               std::to_wstring(state_.sourceFiles.FolderCount()) + L" folders");
    run_.sourceDir = state_.sourceDir;

    state_.installSection = kInstallSection;
    state_.iniSection = kIniSection;
    const std::wstring iniName = ReadIniName(state_.scriptFile, state_.installSection);
    if (!iniName.empty()) state_.iniName = iniName;

    std::wstring machineAdmin;
    if (MachineAdminFile(ui_, machineAdmin)) state_.country = ReadAdminCountry(machineAdmin, state_.country);

    BuildElementList(run_, state_.elements, state_.sourceDir, state_.country, &leftOut_);
    if (!TellCatalogue()) return;
    if (!KnowPackageNames()) return;

    const int dotNet = ReadDotNetFx(state_.scriptFile, state_.installSection);
    if (dotNet > 0) {
        std::wstring versionText;
        std::wstring downloadUrl;
        if (!DotNetFrameworkPresent(dotNet, versionText, downloadUrl) &&
            ui_.ShowDotNetMissing(versionText, downloadUrl) == IDCANCEL) {
            // A quiet run cannot install the framework: it ends on an error, not by a choice.
            End(state_.quiet ? EarlyEnd::Failed : EarlyEnd::Cancelled, L".NET Framework " + versionText + L" missing");
            return;
        }
    }

    CIEArray& elements = state_.elements;
    for (std::size_t i = 1; i < elements.GetSize(); ++i) elements[i]->selected = 0;

    if (!ReadAdministration()) return;
    if (state_.installDir.empty()) state_.installDir = JoinPath(ProgramFilesDir(), L"OrvekDesktop");
    state_.installDir = NormaliseInstallDir(state_.installDir);
    state_.installDirText = state_.installDir;

    SourceNames scanned(state_.sourceFiles);
    const SectionContext sections{ui_, run_, state_.sourceDir, state_.uiLanguage, &scanned};
    if (!BuildFileTrees(sections, state_.scriptFile, elements, state_.runMode == kRunModeAdmin)) {
        PutBackKeptPath();
        End(EarlyEnd::Cancelled, L"a file section was aborted");
        return;
    }
    if (state_.runMode != kRunModeAdmin) {
        End(EarlyEnd::Failed, L"no administration file on this machine");
        return;
    }

    TakePackageChoice();
    if (!TakeInstallFolder()) return;
    if (state_.silent) {
        RefuseWhatCannotBeInstalled();
        SetDestinations();
        if (!RoomInInstallFolder()) return;
    } else if (ui_.ShowOptionsPage(run_, state_.installDir, state_.sourceDir, state_.scriptFile, elements,
                                   state_.sourceFiles) != IDOK) {
        PutBackKeptPath();
        End(EarlyEnd::Cancelled, L"the options page was cancelled");
        return;
    }

    NoteSelection();
    // Refused before anything changes: the log's place is known in full only
    // now (the options page may have moved the installation folder).
    if (!LogApartFromInstall()) return;
    PutBackKeptPath();
    if (!ConfirmOldData()) {
        ui_.MessageId(IDS_NOTHING_SELECTED, MB_OK);
        End(state_.silent ? EarlyEnd::Failed : EarlyEnd::Cancelled, L"nothing selected");
        return;
    }
    PerformInstall();
}

bool Sequencer::LogApartFromInstall()
{
    // The options page may have moved the installation folder since start-up
    // looked at the log's path.
    if (!log_.IsOpen()) return true;
    // Every file the run writes, compared by file identity where it is there.
    OwnFiles own;
    AddRunFiles(own, state_.adminFile, state_.installDir);
    // The packages' uninstall logs are not compared one by one (a few
    // milliseconds each under Wine, minutes on a large medium): a log of that
    // name is refused wherever it stands, and one that is a link or another
    // name of such a file was refused when it was opened.
    std::wstring why;
    if (!LogPathRefused(log_.Path(), own, why)) return true;
    const std::wstring text = L"The setup log " + log_.Path() + L" is refused: " + why;
    Fail(text);
    return false;
}

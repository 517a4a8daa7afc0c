#include "app/MediumCheck.h"

#include "app/Billboard.h"
#include "app/CheckFindings.h"
#include "app/Countries.h"
#include "app/LanguageLibrary.h"
#include "app/PathFields.h"
#include "app/QuietUi.h"
#include "app/ScriptFiles.h"
#include "app/Sequencer.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "catalogue/FirmenArray.h"
#include "dialogs/SetupUi.h"
#include "files/elements/ElementList.h"
#include "files/elements/InstElement.h"
#include "files/elements/PackageOutcome.h"
#include "files/packages/InstallerCommand.h"
#include "files/run/InstallRun.h"
#include "files/sections/FileSection.h"
#include "files/sections/FileTrees.h"
#include "files/source/SourceNames.h"
#include "files/source/FileList.h"
#include "files/steps/CreateFolders.h"
#include "files/steps/InstallElements.h"
#include "files/engine/Refusals.h"
#include "files/engine/VersionCompare.h"
#include "files/elements/FileItem.h"
#include "platform/AnsiNames.h"
#include "platform/PathUtil.h"
#include "platform/ReadableFile.h"

#include <unordered_map>

namespace {

constexpr wchar_t kRefusedPrefix[] = L"refused: ";

// Answers as a quiet run answers and keeps what the run would have shown, in
// order; a box followed by the refusal it asked about counts once, as the refusal.
class CheckUi : public SetupUi {
public:
    struct Event {
        bool refusal = false;
        std::wstring text;
        bool answered = false;  // a box whose refusal followed
    };

    std::vector<Event> events;

    void Refused(const std::wstring& why)
    {
        if (!events.empty() && !events.back().refusal && !events.back().answered) events.back().answered = true;
        events.push_back({true, why, false});
    }

    int ShowMessage(UINT, const std::wstring& text, UINT flags, const std::wstring&) override
    {
        events.push_back({false, text, false});
        return QuietUi::DefaultAnswer(flags);
    }
    void BeginProgress(int) override {}
    void ShowProgressFile(const std::wstring&, const std::wstring&) override {}
    void StepProgress() override {}
    bool ProgressCancelled() override { return false; }
    void EndProgress() override {}
    int AskReplaceOldData(const std::wstring&, const std::wstring&, bool, bool& applyToAll) override
    {
        applyToAll = false;
        return IDNO;
    }
    int ChooseLanguage(const std::wstring&, int&) override { return IDCANCEL; }
    int ShowOptionsPage(InstallRun&, std::wstring&, const std::wstring&, const std::wstring&, CIEArray&,
                        const FileList&) override
    {
        return IDCANCEL;
    }
    bool BrowseForFolder(std::wstring&, const std::wstring&) override { return false; }
    int EditPath(InstallRun&, CIEArray&, const FileList&, std::size_t, const std::wstring&, std::wstring&) override
    {
        return IDCANCEL;
    }
    int ShowDotNetMissing(const std::wstring&, const std::wstring&) override { return IDCANCEL; }
};

// A box's text on one line, as the setup log writes it.
std::wstring OneLine(std::wstring text)
{
    std::wstring line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') continue;
        line += text[i] == L'\n' ? std::wstring(L" | ") : std::wstring(1, text[i]);
    }
    return line;
}

class Check {
public:
    Check(const SetupState& state, const ModulePaths& paths, CheckFindings& findings)
        : state_(state), paths_(paths), findings_(findings)
    {
        run_.reporter = [this](const std::wstring& line) {
            if (line.rfind(kRefusedPrefix, 0) == 0) ui_.Refused(line.substr(std::size(kRefusedPrefix) - 1));
        };
    }

    void Run()
    {
        ScriptFiles();
        Languages();
        if (!Source()) return;
        Catalogue();
        FileTrees();
        Packages();
        Versions();
        Pictures();
    }

private:
    void Add(FindingKind kind, const std::wstring& file, const std::wstring& text) { findings_.Add(kind, file, text); }

    // A script that is there but cannot be read ends the run; a missing one is left to the step that reads it.
    void Readable(const std::wstring& what, const std::wstring& path)
    {
        const FileRead read = ReadableFile(path);
        if (read.found == FileFound::Readable || read.found == FileFound::Missing) return;
        Add(FindingKind::Refused, path,
            what + L" cannot be read" +
                (read.found == FileFound::Folder ? std::wstring(L": it is a folder") : ErrorSuffix(read.error)));
    }

    void ScriptFiles()
    {
        if (paths_.moduleDir.empty()) return;
        const std::wstring setupInfo = paths_.moduleDir + kSetupInfoFile;
        Readable(L"the setup script", setupInfo);
        if (FileNameKey(paths_.scriptPath) != FileNameKey(setupInfo)) Readable(L"the setup script", paths_.scriptPath);
        Readable(L"the data script", paths_.moduleDir + kDataScriptFile);
    }

    // Every language library beside the program, as a run in its language loads it.
    void Languages()
    {
        if (paths_.moduleDir.empty()) return;
        const int language = IsSupportedLanguage(state_.language) ? state_.language : kFallbackLanguage;
        uiLanguage_ = language;
        for (int number : kSupportedLanguages) {
            if (number == kGermanLanguage) continue;
            const std::wstring path = paths_.moduleDir + LanguageLibrary::FileName(number);
            const bool ours = number == language;
            const std::wstring inRun = ours ? std::wstring() : L" (a run in language " + std::to_wstring(number) + L")";
            const FileRead read = ReadableFile(path);
            if (read.found == FileFound::Missing) {
                if (ours) {
                    Add(FindingKind::Told, path, L"Language could not be loaded. | Proceeding in german.");
                    uiLanguage_ = 0;
                }
                continue;
            }
            LanguageLibrary& library = ours ? library_ : other_;
            const bool loaded = read.found == FileFound::Readable && library.Load(paths_.moduleDir, number);
            if (!loaded) {
                const DWORD error = read.found == FileFound::Readable ? library.LoadError() : read.error;
                Add(FindingKind::Refused, path,
                    L"the language library cannot be read" +
                        (read.found == FileFound::Folder ? std::wstring(L": it is a folder") : ErrorSuffix(error)) +
                        inRun);
                if (ours) uiLanguage_ = 0;
                continue;
            }
            if (ours) ui_.UseResources(library_.Module());
            other_.Free();
        }
    }

    bool Source()
    {
        if (paths_.moduleDir.empty()) {
            Add(FindingKind::Refused, std::wstring(), L"No setup path given!");
            return false;
        }
        setupDir_ = paths_.moduleDir;
        if (setupDir_.back() != L'\\') setupDir_ += L'\\';
        const std::wstring setupInfo = setupDir_ + kSetupInfoFile;
        if (!ResolveSourceDir(setupDir_, sourceDir_)) {
            Add(FindingKind::Refused, setupInfo, L"no installation source (no SourcePath, no \"install\" in " + setupDir_ + L")");
            return false;
        }
        std::wstring tooLong;
        if (!PathFitsField(sourceDir_, PathOrigin::SourcePath, tooLong)) {
            Add(FindingKind::Refused, setupInfo, OneLine(tooLong));
            return false;
        }
        if (!FolderExists(sourceDir_)) {
            Add(FindingKind::Refused, setupInfo, L"no installation source: " + sourceDir_ + L" is no folder");
            return false;
        }
        scriptFile_ = setupDir_ + kDataScriptFile;
        if (!PathFitsField(scriptFile_, PathOrigin::DataScript, tooLong)) {
            Add(FindingKind::Refused, scriptFile_, OneLine(tooLong));
            return false;
        }
        scan_.Scan(sourceDir_);
        run_.sourceDir = sourceDir_;
        return true;
    }

    void Catalogue()
    {
        const std::wstring catalogue = JoinPath(JoinPath(sourceDir_, L"data"), kCatalogueFileName);
        const FileRead read = ReadableFile(catalogue);
        if (read.found == FileFound::Unreadable) {
            Add(FindingKind::Refused, catalogue, L"the package catalogue cannot be read" + ErrorSuffix(read.error));
            return;
        }
        BuildElementList(run_, elements_, sourceDir_, state_.country, &leftOut_);
        const std::wstring country = L"country " + std::to_wstring(state_.country);
        for (const LeftOutPackage& package : leftOut_) {
            if (package.why == LeftOutPackage::Why::Country)
                Add(FindingKind::LeftOut, catalogue,
                    L"package " + package.name + L" (" + package.id + L") is not offered for " + country);
            else
                Add(FindingKind::Refused, catalogue,
                    L"package " + package.name + L": its folder name \"" + package.dirname +
                        L"\" is not one plain folder name: not installed");
        }
        const std::size_t packages = PackageCount(elements_);
        if (packages == 0) {
            if (read.found == FileFound::Missing)
                Add(FindingKind::Note, catalogue, L"no package catalogue: no package is offered");
            else if (!leftOut_.empty())
                Add(FindingKind::Note, catalogue,
                    L"no package is offered for " + country + L" (" + std::to_wstring(leftOut_.size()) +
                        L" packages left out)");
            else
                Add(FindingKind::Refused, catalogue, L"the package catalogue offers no package");
        }
        const ElementFolderNames names(scriptFile_);
        for (std::size_t i = 1; i <= packages; ++i) {
            const CInstElement& element = *elements_[i];
            const std::wstring refused = names.Refused(element.folderKey);
            if (!refused.empty())
                Add(FindingKind::Refused, scriptFile_,
                    L"package " + element.displayName + L": its folder name \"" + refused +
                        L"\" in [DTBPath] is not taken: installed into the folder " + element.folderKey);
        }
    }

    // Every file section, read as a run that found its administration file
    // reads them, and the folder lists; each box and each refusal is a finding.
    void FileTrees()
    {
        if (elements_.GetSize() == 0) return;
        SourceNames scanned(scan_);
        const SectionContext context{ui_, run_, sourceDir_, uiLanguage_, &scanned};
        ui_.events.clear();
        BuildFileTrees(context, scriptFile_, elements_, true);
        for (const wchar_t* section : {L"WinSxS", L"CreateDir", L"CreateProgramDataDir", L"CreateDirHalvue"}) {
            std::vector<std::wstring> folders;
            ScriptFolderList(run_, scriptFile_, section, folders);
        }
        for (const CheckUi::Event& event : ui_.events) {
            if (event.refusal)
                Add(FindingKind::Refused, scriptFile_, event.text);
            else if (!event.answered)
                Add(FindingKind::Told, scriptFile_, OneLine(event.text));
        }
        ui_.events.clear();
    }

    void Packages()
    {
        std::unordered_map<std::wstring, const CInstElement*> byFolder;  // "DATA\DIRNAME\"
        for (std::size_t i = 1; i <= PackageCount(elements_); ++i) {
            const CInstElement& element = *elements_[i];
            if (!element.package) continue;
            const CFirma& package = *element.package;
            const std::wstring folder = JoinPath(JoinPath(sourceDir_, L"data"), package.dirname);
            const std::wstring name = L"package " + ElementName(element) + L": ";
            // The lines the copy and the registration would write for the package.
            if (const std::wstring why = NotWholeOnMedium(element, run_, scan_); !why.empty()) {
                Add(FindingKind::Refused, folder,
                    OutcomeLogLine(element, PackageOutcome::Refused(PackageStep::NotTaken, std::wstring(), why)));
                continue;
            }
            byFolder.emplace(FileNameKey(L"data\\" + package.dirname + L"\\"), &element);
            if (!IsExactAnsi(package.dirname))
                Add(FindingKind::Note, folder,
                    name + L"its folder name \"" + package.dirname +
                        L"\" cannot be written exactly into an 8-bit administration file: refused where the "
                        L"administration file is 8-bit");
            if (package.plugin.empty()) continue;
            const std::wstring plg = JoinPath(folder, L"plg");
            InstallerCommand command;
            if (!InstallerCommandOf(plg, package.plugin, command))
                Add(FindingKind::Refused, folder,
                    OutcomeLogLine(element, PackageOutcome::Refused(PackageStep::InstallerOutside, plg, package.plugin)));
            else if (!OnMedium(command.program))
                Add(FindingKind::Refused, folder,
                    OutcomeLogLine(element, PackageOutcome::Failed(PackageStep::InstallerNotStarted, command.program,
                                                                   ERROR_FILE_NOT_FOUND)));
        }
        // The names the 8-bit logs are to hold, folder by folder of the scan.
        for (const auto& [key, files] : scan_.Folders()) {
            const std::size_t second = key.find(L'\\', key.find(L'\\') + 1);
            if (second == std::wstring::npos) continue;
            const auto owner = byFolder.find(key.substr(0, second + 1));
            if (owner == byFolder.end()) continue;
            const std::wstring folder = JoinPath(sourceDir_, key.substr(0, key.size() - 1));
            for (const std::wstring& file : files.names)
                if (!IsExactAnsi(file))
                    Add(FindingKind::Note, JoinPath(folder, file),
                        L"package " + ElementName(*owner->second) +
                            L": its name cannot be written exactly into the 8-bit uninstall log: installed by its "
                            L"short name where the disk makes short names, else not installed (1603)");
        }
    }

    // path is a file the scan of the medium found; a look-up of its own for
    // each package would cost a few milliseconds each under Wine.
    bool OnMedium(const std::wstring& path) const
    {
        const std::wstring key = FileNameKey(path);
        std::wstring root = FileNameKey(sourceDir_);
        if (root.back() != L'\\') root += L'\\';
        if (key.rfind(root, 0) != 0) return FileExists(path);
        const std::size_t slash = key.rfind(L'\\');
        const FileList::Folder* folder = scan_.LookupFolder(key.substr(root.size(), slash + 1 - root.size()) + L"*");
        if (!folder) return false;
        for (const std::wstring& name : folder->names)
            if (FileNameKey(name) == key.substr(slash + 1)) return true;
        return false;
    }

    // The files of the data script whose version the copy would compare with
    // an installed one: a version resource that cannot be believed is read as none.
    void Versions()
    {
        const bool headCheck = run_.systemKind == SystemKind::NtFamily;
        for (std::size_t i = 0; i < elements_.GetSize(); ++i) {
            const CInstElement& element = *elements_[i];
            if (element.packageElement || !element.fileTree) continue;
            VersionsIn(*element.fileTree, headCheck);
        }
    }
    void VersionsIn(const CClassItem& item, bool headCheck)
    {
        for (const auto& child : item.children) {
            if (child->IsClass()) {
                VersionsIn(static_cast<const CClassItem&>(*child), headCheck);
                continue;
            }
            if (!IsAbsolutePath(child->source)) continue;  // a whole folder, expanded only when installed
            const std::wstring text = UnreadableVersionText(child->source, headCheck);
            if (!text.empty())
                Add(FindingKind::Note, child->source,
                    L"its version information cannot be read (\"" + text +
                        L"\" in the copy log): the file dates decide whether it replaces an installed one");
        }
    }

    void Pictures()
    {
        for (const auto& [path, check] : Billboard::Entries(paths_.moduleDir + kBillboardFolder, paths_.scriptPath)) {
            if (check == PictureCheck::NotOpened)
                Add(FindingKind::Note, path, L"the billboard picture cannot be opened: not shown");
            else if (check == PictureCheck::Empty)
                Add(FindingKind::Note, path, L"the billboard picture is not a consistent bitmap: shown as no picture");
        }
    }

    const SetupState& state_;
    const ModulePaths& paths_;
    CheckFindings& findings_;
    CheckUi ui_;
    InstallRun run_{ui_};
    LanguageLibrary library_;  // the run's language, whose strings the boxes take
    LanguageLibrary other_;
    int uiLanguage_ = 0;
    std::wstring setupDir_;
    std::wstring sourceDir_;
    std::wstring scriptFile_;
    CIEArray elements_;
    std::vector<LeftOutPackage> leftOut_;
    FileList scan_;
};

}  // namespace

void CheckMedium(const SetupState& state, const ModulePaths& paths, CheckFindings& findings)
{
    Check check(state, paths, findings);
    check.Run();
}

int RunMediumCheck(const SetupState& state, const ModulePaths& paths, SetupLog* log)
{
    CheckFindings findings;
    CheckMedium(state, paths, findings);
    std::vector<std::wstring> lines;
    lines.push_back(L"check of the medium of " + paths.modulePath + L" (country " + std::to_wstring(state.country) +
                    L", language " + std::to_wstring(state.language) + L")");
    for (const Finding& finding : findings.All()) lines.push_back(CheckFindings::Line(finding));
    lines.push_back(findings.CountLine());
    WriteCheckLines(lines, log);
    return findings.ExitCode();
}

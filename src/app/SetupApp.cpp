#include "app/SetupApp.h"

#include "app/CommandHelp.h"
#include "app/CommandLine.h"
#include "app/Countries.h"
#include "app/LanguageLibrary.h"
#include "app/LogTarget.h"
#include "app/MediumCheck.h"
#include "app/PathFields.h"
#include "app/RunGuard.h"
#include "app/RunSummary.h"
#include "app/ScriptFiles.h"
#include "catalogue/AppData.h"
#include "catalogue/FirmenArray.h"
#include "platform/PathUtil.h"
#include "platform/Win32Error.h"
#include "resources/resource.h"

void DeriveModulePaths(const std::wstring& modulePath, std::wstring& scriptPath, std::wstring& moduleDir)
{
    scriptPath = modulePath.size() >= 4 ? modulePath.substr(0, modulePath.size() - 4) + L".inf" : std::wstring();
    wchar_t drive[_MAX_DRIVE] = {};
    wchar_t dir[_MAX_DIR] = {};
    if (_wsplitpath_s(modulePath.c_str(), drive, _MAX_DRIVE, dir, _MAX_DIR, nullptr, 0, nullptr, 0) != 0) {
        moduleDir.clear();
        return;
    }
    moduleDir = std::wstring(drive) + dir;
}

void ApplyCommandLine(SetupState& state, const wchar_t* commandLine)
{
    state.defaultCountry = SystemDefaultCountry();
    state.defaultLanguage = SystemDefaultLanguage();
    state.country = state.defaultCountry;
    state.language = state.defaultLanguage;

    OvkSetupCmdLineInfo info(state);
    fw::ParseCommandLine(info, commandLine);

    if (state.commandLanguage > 0 && IsSupportedLanguage(state.commandLanguage))
        state.language = state.commandLanguage;
    if (state.commandCountry >= 0 && IsKnownCountry(state.commandCountry))
        state.country = state.commandCountry;
}

namespace {

// The files the setup log must not be, as far as start-up knows them: the
// machine's administration file and the logs of a run in its folder, and the
// medium (the program's folder and the source root).
OwnFiles OwnFilesAtStart(SetupUi& ui, const std::wstring& moduleDir)
{
    OwnFiles own;
    std::wstring dataFolder;
    if (DataFolder(ui, dataFolder, true)) {
        AddRunFiles(own, JoinPath(dataFolder, kAdminFileName), dataFolder);
    }
    if (!moduleDir.empty()) {
        own.folders.push_back(moduleDir);
        std::wstring sourceDir;
        if (ResolveSourceDir(moduleDir, sourceDir)) own.folders.push_back(sourceDir);
    }
    return own;
}

// "Another installation is running", in the language the run would take: the
// language page has not been shown, so its library is loaded for this one box.
void TellAnotherRun(SetupUi& ui, int language, const std::wstring& moduleDir)
{
    if (!IsSupportedLanguage(language)) language = kFallbackLanguage;
    LanguageLibrary library;
    const HINSTANCE before = ui.Resources();
    if (language != kGermanLanguage && !moduleDir.empty() && library.Load(moduleDir, language))
        ui.UseResources(library.Module());
    ui.MessageId(IDS_ANOTHER_RUN, MB_OK | MB_ICONINFORMATION);
    ui.UseResources(before);
}

// "/?": the options and exit codes in a box (a quiet run: only in the log).
void ShowHelp(SetupUi& ui, SetupLog& log, bool quiet)
{
    std::wstring text;
    for (const std::wstring& line : CommandHelpLines()) {
        log.Write(line);
        text += line + L"\n";
    }
    if (!quiet) ui.ShowMessage(0, text, MB_OK | MB_ICONINFORMATION, L"");
}

}  // namespace

bool CSetupApp::InitInstance()
{
    // Until the run says otherwise, an end is a failed start.
    exitCode_ = kExitFailed;
    state.busy = false;
    ApplyCommandLine(state, ::GetCommandLineW());
    if (state.quiet) quietUi_ = std::make_unique<QuietUi>(ui_, log_);
    SetupUi& ui = Ui();
    const bool programPathFits = fw::ProgramPath(paths.modulePath);
    if (programPathFits) DeriveModulePaths(paths.modulePath, paths.scriptPath, paths.moduleDir);

    // A check writes nothing and waits for nobody: no run guard, no window.
    if (state.check && programPathFits) {
        SetupLog checkLog;
        if (!state.logPath.empty()) checkLog.Open(state.logPath);
        exitCode_ = RunMediumCheck(state, paths, &checkLog);
        return false;
    }

    bool logRefused = false;
    std::wstring logRefusal;
    const std::wstring logTrouble = OpenSetupLog(log_, state.logPath, state.quiet, DefaultSetupLogPath(),
                                                 OwnFilesAtStart(ui, paths.moduleDir), logRefused, &logRefusal);
    if (!logTrouble.empty() && !logRefused && !state.quiet)
        ui.Message(L"The setup log " + state.logPath + L" cannot be written." +
                       (log_.IsOpen() ? L"\nThe run logs to " + log_.Path() + L" instead." : std::wstring()),
                   MB_OK | MB_ICONWARNING);
    log_.Write(L"start: " + std::wstring(::GetCommandLineW()));

    if (state.help) {
        ShowHelp(ui, log_, state.quiet);
        return EndAtStart(kExitInstalled);
    }

    if (!OwnRunGuard(runMutex_)) {
        TellAnotherRun(ui, state.language, paths.moduleDir);
        log_.Write(ExitCodeLine(kExitAnotherRun));
        return EndAtStart(kExitAnotherRun);
    }

    com_ = std::make_unique<fw::ComInit>();
    if (!com_->Succeeded()) {
        ui.ShowMessage(0, L"Error : CoInitialize(NULL)", MB_OK, L"What ?");
        log_.Write(L"COM could not be initialised" + HresultSuffix(com_->Result()) + L"; the run goes on");
    }

    if (!programPathFits) {
        // A program path that does not fit is a broken start; nothing can be found from it.
        ui.ShowMessage(0, L"The program path is invalid.", MB_OK | MB_ICONERROR, L"");
        return EndAtStart(kExitFailed);
    }
    // A log aimed at the program's own files ends the run before it changes anything.
    bool showRefusal = true;
    if (logRefused) {
        state.startRefusal = logRefusal;
    } else if (!StartPathsFit(state, paths.moduleDir, state.startRefusal)) {
        showRefusal = !state.silent || state.quiet;
    }

    sequencer_ = std::make_unique<Sequencer>(state, paths, ui, log_);
    window_ = std::make_unique<CMainWindow>(paths.moduleDir, paths.scriptPath, *sequencer_);
    if (!window_->CreateBackdrop()) return false;
    SetMainWindow(window_.get());
    sequencer_->Attach(window_.get());
    ui_.SetOwner(window_->Handle());
    ui_.reporter = [this](const std::wstring& line) { log_.Write(line); };

    ::ShowWindow(window_->Handle(), SW_SHOW);
    ::UpdateWindow(window_->Handle());
    ::SetWindowTextW(window_->Handle(), L"ORVEK Installation");
    if (!state.startRefusal.empty()) {
        // The run ends as every run ends, without its steps. A silent run shows
        // no box for a path too long; the text stays for the log.
        if (showRefusal) ui.ShowMessage(0, state.startRefusal, MB_OK | MB_ICONERROR, L"");
        log_.Write(L"the run ends: " + state.startRefusal);
        log_.WriteExitCode(kExitFailed);
        window_->PostFinishRun(static_cast<WPARAM>(kRunNotStarted), 0);
        return true;
    }
    ::PostMessageW(window_->Handle(), WM_COMMAND, MAKEWPARAM(kCmdStartRun, 0), 0);
    return true;
}

bool CSetupApp::EndAtStart(int exitCode)
{
    log_.WriteExitCode(exitCode);
    exitCode_ = exitCode;
    return false;
}

int CSetupApp::ExitInstance()
{
    if (window_) window_->Destroy();
    ui_.SetOwner(nullptr);
    if (sequencer_) sequencer_->Attach(nullptr);
    window_.reset();
    SetMainWindow(nullptr);
    state.elements.RemoveAll();
    com_.reset();
    // Closes the copy log and the run's uninstall log and frees the language library.
    sequencer_.reset();
    return Application::ExitInstance();
}

#include "app/SetupApp.h"

#include "app/CommandLine.h"
#include "app/Countries.h"
#include "app/PathFields.h"
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

bool CSetupApp::InitInstance()
{
    // Until the run says otherwise, an end is a failed start.
    exitCode_ = kExitFailed;
    state.busy = false;
    ApplyCommandLine(state, ::GetCommandLineW());
    if (state.quiet) quietUi_ = std::make_unique<QuietUi>(ui_, log_);
    SetupUi& ui = Ui();
    const std::wstring logPath = !state.logPath.empty() ? state.logPath
                                 : state.quiet          ? DefaultSetupLogPath()
                                                        : std::wstring();
    if (!logPath.empty() && !log_.Open(logPath) && !state.quiet)
        ui.Message(L"The setup log " + logPath + L" cannot be written.", MB_OK | MB_ICONWARNING);
    log_.Write(L"start: " + std::wstring(::GetCommandLineW()));

    // One run at a time on this machine: two would copy into the same folders.
    runMutex_.Reset(::CreateMutexW(nullptr, FALSE, L"Global\\OrvekDataSetupRun"));
    if (runMutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        ui.MessageId(IDS_ANOTHER_RUN, MB_OK | MB_ICONINFORMATION);
        log_.Write(L"exit code " + std::to_wstring(kExitAnotherRun));
        exitCode_ = kExitAnotherRun;
        return false;
    }

    com_ = std::make_unique<fw::ComInit>();
    if (!com_->Succeeded()) ui.ShowMessage(0, L"Error : CoInitialize(NULL)", MB_OK, L"What ?");

    if (!fw::ProgramPath(paths.modulePath)) {
        // A program path that does not fit is a broken start; nothing can be found from it.
        ui.ShowMessage(0, L"The program path is invalid.", MB_OK | MB_ICONERROR, L"");
        log_.Write(L"exit code " + std::to_wstring(kExitFailed));
        return false;
    }
    DeriveModulePaths(paths.modulePath, paths.scriptPath, paths.moduleDir);
    const bool pathsFit = StartPathsFit(state, paths.moduleDir, state.startRefusal);

    sequencer_ = std::make_unique<Sequencer>(state, paths, ui, log_);
    window_ = std::make_unique<CMainWindow>(paths.moduleDir, paths.scriptPath, *sequencer_);
    if (!window_->CreateBackdrop()) return false;
    SetMainWindow(window_.get());
    sequencer_->Attach(window_.get());
    ui_.SetOwner(window_->Handle());

    ::ShowWindow(window_->Handle(), SW_SHOW);
    ::UpdateWindow(window_->Handle());
    ::SetWindowTextW(window_->Handle(), L"ORVEK Installation");
    if (!pathsFit) {
        // Cut, the path would name another folder: the run ends as every run ends,
        // without its steps. A silent run shows nothing; the text stays for the log.
        if (!state.silent || state.quiet) ui.ShowMessage(0, state.startRefusal, MB_OK | MB_ICONERROR, L"");
        log_.Write(L"the run ends: " + state.startRefusal);
        window_->PostFinishRun(static_cast<WPARAM>(kRunNotStarted), 0);
        return true;
    }
    ::PostMessageW(window_->Handle(), WM_COMMAND, MAKEWPARAM(kCmdStartRun, 0), 0);
    return true;
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

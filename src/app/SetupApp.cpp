#include "app/SetupApp.h"

#include "app/CommandLine.h"
#include "app/Countries.h"
#include "app/PathFields.h"


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
    com_ = std::make_unique<fw::ComInit>();
    if (!com_->Succeeded()) ui_.ShowMessage(0, L"Error : CoInitialize(NULL)", MB_OK, L"What ?");

    state.busy = false;
    ApplyCommandLine(state, ::GetCommandLineW());

    if (!fw::ProgramPath(paths.modulePath)) {
        // A program path that does not fit is a broken start; nothing can be found from it.
        ui_.ShowMessage(0, L"The program path is invalid.", MB_OK | MB_ICONERROR, L"");
        return false;
    }
    DeriveModulePaths(paths.modulePath, paths.scriptPath, paths.moduleDir);
    const bool pathsFit = StartPathsFit(state, paths.moduleDir, state.startRefusal);

    sequencer_ = std::make_unique<Sequencer>(state, paths, ui_);
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
        if (!state.silent) ui_.ShowMessage(0, state.startRefusal, MB_OK | MB_ICONERROR, L"");
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

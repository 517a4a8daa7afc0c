#include "app/SetupApp.h"

#include "app/CommandLine.h"
#include "app/Countries.h"
#include "app/SetupState.h"
#include "files/CopyLog.h"
#include "files/UninstallLog.h"
#include "framework/UserInterface.h"

#include <objbase.h>

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
    comInitialised_ = SUCCEEDED(::CoInitialize(nullptr));
    if (!comInitialised_)
        fw::Ui().ShowMessage(0, L"Error : CoInitialize(NULL)", MB_OK, L"What ?");

    SetupState& state = State();
    state.busy = false;
    ApplyCommandLine(state, ::GetCommandLineW());

    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        // A program path that does not fit is a broken start; nothing can be found from it.
        fw::Ui().ShowMessage(0, L"The program path is invalid.", MB_OK | MB_ICONERROR, L"");
        return false;
    }
    modulePath.assign(path, length);
    DeriveModulePaths(modulePath, scriptPath, moduleDir);

    window_ = std::make_unique<CMainWindow>(moduleDir, scriptPath);
    if (!window_->CreateBackdrop()) return false;
    SetMainWindow(window_.get());

    ::ShowWindow(window_->Handle(), SW_SHOW);
    ::UpdateWindow(window_->Handle());
    ::SetWindowTextW(window_->Handle(), L"ORVEK Installation");
    ::PostMessageW(window_->Handle(), WM_COMMAND, MAKEWPARAM(kCmdStartRun, 0), 0);
    return true;
}

int CSetupApp::ExitInstance()
{
    if (window_) window_->Destroy();
    window_.reset();
    SetMainWindow(nullptr);
    State().elements.RemoveAll();
    if (comInitialised_) ::CoUninitialize();
    comInitialised_ = false;
    CloseCopyLog();
    CloseUninstallLog();
    return Application::ExitInstance();
}

// The application object: start-up from the command line, the backdrop window,
// and the end of the run.
#pragma once

#include "app/MainWindow.h"
#include "framework/Application.h"

#include <memory>
#include <string>

struct SetupState;

// scriptPath and moduleDir of a program file: "X:\dir\setup.exe" gives
// "X:\dir\setup.inf" and "X:\dir\".
void DeriveModulePaths(const std::wstring& modulePath, std::wstring& scriptPath, std::wstring& moduleDir);

// Defaults from the system, then the command line over them (steps 3 to 6 of start-up).
void ApplyCommandLine(SetupState& state, const wchar_t* commandLine);

class CSetupApp : public fw::Application {
public:
    bool InitInstance() override;
    int ExitInstance() override;

    std::wstring modulePath;
    std::wstring scriptPath;
    std::wstring moduleDir;

private:
    std::unique_ptr<CMainWindow> window_;
    bool comInitialised_ = false;
};

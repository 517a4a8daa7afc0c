// The application object: start-up from the command line, the backdrop window,
// and the end of the run. It owns the setup state, the user interface, the
// sequencer and the window, and hands each what it uses.
#pragma once

#include "app/MainWindow.h"
#include "app/QuietUi.h"
#include "app/Sequencer.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "dialogs/WindowsUi.h"
#include "framework/Application.h"
#include "framework/Handles.h"

#include <memory>
#include <string>

// scriptPath and moduleDir of a program file: "X:\dir\setup.exe" gives
// "X:\dir\setup.inf" and "X:\dir\".
void DeriveModulePaths(const std::wstring& modulePath, std::wstring& scriptPath, std::wstring& moduleDir);

// Defaults from the system, then the command line over them (steps 3 to 6 of start-up).
void ApplyCommandLine(SetupState& state, const wchar_t* commandLine);

class CSetupApp : public fw::Application {
public:
    bool InitInstance() override;
    int ExitInstance() override;

    SetupState state;
    ModulePaths paths;

private:
    // The interface the run talks to: the quiet one in a quiet run.
    SetupUi& Ui() { return quietUi_ ? static_cast<SetupUi&>(*quietUi_) : ui_; }
    // The run ends before its window: the setup log's last line and the exit
    // code; false, for InitInstance to return.
    bool EndAtStart(int exitCode);

    SetupLog log_;
    fw::ScopedKernelHandle runMutex_;
    WindowsUi ui_;
    std::unique_ptr<QuietUi> quietUi_;
    std::unique_ptr<Sequencer> sequencer_;
    std::unique_ptr<CMainWindow> window_;
    std::unique_ptr<fw::ComInit> com_;
};

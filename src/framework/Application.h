// Application object: start-up, the message loop and the end of the run.
#pragma once

#include <windows.h>

namespace fw {

class Window;

class Application {
public:
    virtual ~Application() = default;

    // Start-up; false ends the program before the message loop.
    virtual bool InitInstance() = 0;
    // End of the run; the result is the process exit code.
    virtual int ExitInstance() { return exitCode_; }

    // InitInstance, the message loop until WM_QUIT, ExitInstance.
    int Run();

    Window* MainWindow() const { return mainWindow_; }
    void SetMainWindow(Window* window) { mainWindow_ = window; }

protected:
    int exitCode_ = 0;  // wParam of WM_QUIT

private:
    Window* mainWindow_ = nullptr;  // owned by the derived application
};

}  // namespace fw

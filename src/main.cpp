#include "app/SetupApp.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Every library loaded by name from here on comes from the system folder,
    // never from the medium or a download folder beside setup.exe.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    CSetupApp app;
    return app.Run();
}

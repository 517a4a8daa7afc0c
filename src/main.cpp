#include "app/SetupApp.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    CSetupApp app;
    return app.Run();
}

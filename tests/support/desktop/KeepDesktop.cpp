// keepdesktop.exe: holds a hidden window on Wine's desktop for as long as the Wine
// session runs (scripts/wine-session starts it; stopping the session ends it).
// Wine closes the desktop a second after the last program with a window ends, and
// the next program that opens one starts its desktop process (explorer.exe) anew
// and waits for it, up to 10 s on a busy machine: with this window there is always
// a user of the desktop, so it is started once per session.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Never shown: no test or picture meets it, and it takes no focus.
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!window) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}

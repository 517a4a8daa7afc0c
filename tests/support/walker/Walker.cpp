// walker.exe SHOT_FOLDER TIMEOUT_MS STEP...: a user walking through the windows of
// another program, taking pictures on the way (the demo and scripts/screenshots).
// The steps are done in order; each is "CAPTION=ACTION,ACTION,..." and waits for a
// visible, enabled top-level window of another process with that caption. Actions:
//   shot:NAME      the window as SHOT_FOLDER\NAME.bmp, once the screen holds it still
//   screen:NAME    the whole screen, the same way
//   select:ID:TEXT the entry TEXT of combo box ID
//   space:ID       the space key on control ID
//   click:ID       a click on button ID
//   command:ID     the command a click on ID sends (also for a hidden button)
//   gone           waits until the window is gone or hidden
// Exit code 0 when every step was done, 1 when the time ran out (stderr names the step).
#include "framework/Handles.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Search {
    std::wstring caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindByCaption(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t text[256] = {};
    ::InternalGetWindowText(hwnd, text, 256);  // no message: a busy program is never waited for
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId() && search->caption == text && ::IsWindowVisible(hwnd) &&
        ::IsWindowEnabled(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The screen's pixels in area, bottom-up rows of 24 bits as a BMP holds them.
std::string Capture(const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return std::string();
    BITMAPINFOHEADER info{sizeof(info), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::string pixels(static_cast<size_t>((width * 3 + 3) & ~3) * height, '\0');
    fw::WindowDC screen(nullptr);
    fw::ScopedMemoryDC memory(::CreateCompatibleDC(screen.Get()));
    fw::ScopedBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !bitmap) return std::string();
    bool copied = false;
    {
        fw::SelectGuard select(memory.Get(), bitmap.Get());
        copied = ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    }
    const bool read = copied && ::GetDIBits(screen.Get(), bitmap.Get(), 0, height, pixels.data(),
                                            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == height;
    if (!read) return std::string();
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(info)};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    return std::string(reinterpret_cast<const char*>(&file), sizeof(file)) +
           std::string(reinterpret_cast<const char*>(&info), sizeof(info)) + pixels;
}

// Saves window's area (or the screen's) once two pictures in a row agree: the
// program has painted. A window whose picture keeps changing (the progress
// dialog) is taken as last seen.
bool Shoot(HWND window, const std::wstring& path)
{
    std::string last, picture;
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (window && !::IsWindowVisible(window)) break;
        RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        if (window) ::GetWindowRect(window, &area);
        picture = Capture(area);
        if (!picture.empty() && picture == last) break;
        if (!picture.empty()) last = picture;
        ::Sleep(50);
    }
    if (last.empty()) return false;
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    const bool written = std::fwrite(last.data(), 1, last.size(), file) == last.size();
    return std::fclose(file) == 0 && written;
}

// Does one action on window; false when it cannot be done.
bool Act(HWND window, const std::wstring& action, const std::wstring& folder, DWORD deadline)
{
    const size_t colon = action.find(L':');
    const std::wstring verb = action.substr(0, colon);
    const std::wstring arg = colon == std::wstring::npos ? std::wstring() : action.substr(colon + 1);
    HWND item = ::GetDlgItem(window, _wtoi(arg.c_str()));
    if (verb == L"shot" || verb == L"screen") return Shoot(verb == L"shot" ? window : nullptr, folder + L"\\" + arg + L".bmp");
    if (verb == L"gone") {
        while (::IsWindow(window) && ::IsWindowVisible(window)) {
            if (::GetTickCount() > deadline) return false;
            ::Sleep(20);
        }
        return true;
    }
    if (verb == L"select") {
        const std::wstring text = arg.substr(arg.find(L':') + 1);
        const LRESULT index = ::SendMessageW(item, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(text.c_str()));
        if (index < 0) return false;
        ::SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(item), CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(item));
        return true;
    }
    if (verb == L"space") {
        // Sent, not posted: the page has toggled the row when the next action comes.
        if (!item) return false;
        ::SendMessageW(item, WM_KEYDOWN, VK_SPACE, 0x00390001);
        ::SendMessageW(item, WM_KEYUP, VK_SPACE, 0xC0390001);
        return true;
    }
    if (verb == L"click") return item && ::PostMessageW(item, BM_CLICK, 0, 0);
    if (verb == L"command")
        return item && ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(item), BN_CLICKED),
                                      reinterpret_cast<LPARAM>(item));
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) return 2;
    // Screen coordinates as they are: at a scale above 100 % the system would
    // otherwise give an unaware walker its windows' rectangles shrunk to 96 dpi.
    ::SetProcessDPIAware();
    const std::wstring folder = argv[1];
    const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(_wtoi(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const std::wstring step = argv[i];
        Search search{step.substr(0, step.find(L'='))};
        while (::EnumWindows(FindByCaption, reinterpret_cast<LPARAM>(&search)), !search.found) {
            if (::GetTickCount() > deadline) {
                std::fwprintf(stderr, L"walker: no window \"%ls\" in time\n", search.caption.c_str());
                return 1;
            }
            ::Sleep(20);
        }
        std::wstringstream actions(step.find(L'=') == std::wstring::npos ? L"" : step.substr(step.find(L'=') + 1));
        std::wstring action;
        while (std::getline(actions, action, L',')) {
            if (!Act(search.found, action, folder, deadline)) {
                std::fwprintf(stderr, L"walker: \"%ls\" failed on \"%ls\"\n", action.c_str(), search.caption.c_str());
                return 1;
            }
        }
    }
    return 0;
}

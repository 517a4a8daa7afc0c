// PostSetup.exe: the follow-up program that setup.exe starts from its own folder
// when a run ends, with that folder as its argument. It tells the user, in German
// and English, that the data installation has ended and shows the setup folder;
// then it closes by itself. It changes nothing on the machine.
//
// POSTSETUP_CLOSE_MS: how long the notice stays, in milliseconds (default 4000,
// 0 = close at once), so tests and demos never wait. A click, Enter, Space or
// Escape closes it earlier.
#include "RecordFile.h"

#include <shellapi.h>
#include <string>

namespace {

constexpr long kDefaultCloseMs = 4000;
constexpr long kLongestCloseMs = 10 * 60 * 1000;
constexpr UINT_PTR kCloseTimer = 1;
constexpr int kClientWidth = 460;
constexpr int kClientHeight = 136;
constexpr int kBandHeight = 6;
constexpr COLORREF kBandColour = RGB(24, 72, 140);
const wchar_t kClassName[] = L"OrvekPostSetup";
const wchar_t kTitle[] = L"ORVEK";
const wchar_t kEndedGerman[] = L"Die Installation der Daten ist abgeschlossen.";
const wchar_t kEndedEnglish[] = L"The data installation has ended.";
const wchar_t kFolderLabel[] = L"Setup-Ordner / Setup folder:";
const wchar_t kNoFolder[] = L"(keiner angegeben / none given)";

class ScopedFont {
public:
    explicit ScopedFont(HFONT font) : font_(font) {}
    ~ScopedFont()
    {
        if (font_) DeleteObject(font_);
    }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;
    HFONT Get() const { return font_; }

private:
    HFONT font_;
};

// Selects a GDI object into a DC and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, previous_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;           // borrowed from the caller's paint
    HGDIOBJ previous_; // owned by the DC
};

HFONT MessageFont(LONG weight)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return nullptr;
    metrics.lfMessageFont.lfWeight = weight;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// What the window shows; lives in wWinMain for as long as the window.
struct Notice {
    std::wstring folder;
    UINT closeMs = 0;
    ScopedFont normal{MessageFont(FW_NORMAL)};
    ScopedFont bold{MessageFont(FW_BOLD)};
};

long CloseDelayMs()
{
    long ms = companion::EnvironmentNumber(L"POSTSETUP_CLOSE_MS", kDefaultCloseMs);
    if (ms < 0) return kDefaultCloseMs;
    return ms > kLongestCloseMs ? kLongestCloseMs : ms;
}

// The setup folder is the whole argument text, so a folder with blanks that a
// caller did not quote is still shown whole. A quoted folder with its trailing
// backslash ("C:\Setup\") arrives as C:\Setup" because the backslash escapes the
// quote; a folder name cannot hold a quote, so it is read back as the backslash.
std::wstring SetupFolderFromCommandLine()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return {};
    std::wstring folder;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) folder += L' ';
        folder += argv[i];
    }
    LocalFree(argv);
    if (!folder.empty() && folder.back() == L'"') folder.back() = L'\\';
    return folder;
}

void DrawLine(HDC dc, HFONT font, COLORREF colour, const std::wstring& text, RECT& area,
              UINT extraFormat = 0)
{
    ScopedSelect select(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    RECT line = area;
    line.bottom = line.top + metrics.tmHeight;
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line,
              DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | extraFormat);
    area.top = line.bottom + metrics.tmExternalLeading + 6;
}

void Paint(HWND window, const Notice& notice)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    RECT band = client;
    band.bottom = kBandHeight;
    SetBkColor(dc, kBandColour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);

    SetBkMode(dc, TRANSPARENT);
    RECT area = client;
    InflateRect(&area, -16, 0);
    area.top = kBandHeight + 18;
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    DrawLine(dc, notice.bold.Get(), text, kEndedGerman, area);
    DrawLine(dc, notice.normal.Get(), text, kEndedEnglish, area);
    area.top += 10;
    DrawLine(dc, notice.normal.Get(), GetSysColor(COLOR_GRAYTEXT), kFolderLabel, area);
    DrawLine(dc, notice.normal.Get(), text, notice.folder.empty() ? kNoFolder : notice.folder,
             area, DT_PATH_ELLIPSIS);
    EndPaint(window, &paint);
}

LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* notice = reinterpret_cast<Notice*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE:
        SetTimer(window, kCloseTimer, notice->closeMs, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam != kCloseTimer) break;
        KillTimer(window, kCloseTimer);
        DestroyWindow(window);
        return 0;
    case WM_LBUTTONUP:
        DestroyWindow(window);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_SPACE) {
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_PAINT:
        Paint(window, *notice);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

RECT CentredWindowRect(DWORD style, DWORD exStyle)
{
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int left = work.left + (work.right - work.left - width) / 2;
    int top = work.top + (work.bottom - work.top - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    Notice notice;
    notice.folder = SetupFolderFromCommandLine();
    notice.closeMs = static_cast<UINT>(CloseDelayMs());

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = NoticeProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) return 1;

    // Topmost: setup.exe's backdrop is topmost while it ends and must not hide us.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_TOPMOST;
    RECT place = CentredWindowRect(style, exStyle);
    HWND window = CreateWindowExW(exStyle, kClassName, kTitle, style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, nullptr,
                                  nullptr, instance, &notice);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    SetForegroundWindow(window);

    MSG msg = {};
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return got == 0 ? static_cast<int>(msg.wParam) : 1;
}

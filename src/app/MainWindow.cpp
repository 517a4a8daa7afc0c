#include "app/MainWindow.h"

#include "app/Gradient.h"
#include "resources/resource.h"

CMainWindow::CMainWindow(const std::wstring& moduleDir, const std::wstring& scriptPath, BackdropEvents& events)
    : events_(events)
{
    billboard_.Load(moduleDir + kBillboardFolder, scriptPath, SIZE{kBackdropWidth, kBackdropHeight});
}

CMainWindow::~CMainWindow()
{
    Destroy();
}

bool CMainWindow::CreateBackdrop()
{
    if (!Create(nullptr, WS_OVERLAPPEDWINDOW)) return false;
    RECT client{}, window{};
    ::GetClientRect(Handle(), &client);
    ::GetWindowRect(Handle(), &window);
    const int width = kBackdropWidth + (window.right - window.left) - (client.right - client.left);
    const int height = kBackdropHeight + (window.bottom - window.top) - (client.bottom - client.top);
    ::SetWindowPos(Handle(), nullptr, 10, 10, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void CMainWindow::PostFinishRun(WPARAM value, UINT delayMs)
{
    finishValue_ = value;
    if (delayMs) {
        holdTimer_ = ::SetTimer(Handle(), kSlideshowTimer + 1, delayMs, nullptr);
        if (holdTimer_) return;
    }
    ::PostMessageW(Handle(), kMsgFinishRun, value, 0);
}

void CMainWindow::PostQuitCommand()
{
    ::PostMessageW(Handle(), WM_COMMAND, kCmdQuit, 0);
}

LRESULT CMainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCmdStartRun) { events_.StartRun(); return 0; }
        if (LOWORD(wParam) == kCmdQuit) { quitPosted_ = true; ::PostQuitMessage(events_.ExitCode()); return 0; }
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;  // the paint handler covers the whole client area
    case WM_PALETTECHANGED:
        Default(message, wParam, lParam);
        OnPaletteChanged(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette();
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        OnDestroy();
        break;
    case kMsgFinishRun:
        events_.FinishRun();
        return 0;
    case kMsgStartSlideshow:
        return StartSlideshow();
    }
    return Default(message, wParam, lParam);
}

LRESULT CMainWindow::OnCreate()
{
    palette_.Reset(CreateGradientPalette());
    // Shared icon from the program's resources: not owned, never destroyed.
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SETUP));
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    return 0;
}

LRESULT CMainWindow::StartSlideshow()
{
    if (timerId_ == 0) timerId_ = ::SetTimer(Handle(), kSlideshowTimer, Billboard::kTickMs, nullptr);
    return 0;
}

void CMainWindow::OnTimer(UINT_PTR id)
{
    if (id == holdTimer_ && holdTimer_ != 0) {
        ::KillTimer(Handle(), holdTimer_);
        holdTimer_ = 0;
        ::PostMessageW(Handle(), kMsgFinishRun, finishValue_, 0);
        return;
    }
    if (id != kSlideshowTimer) return;
    if (billboard_.Tick()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void CMainWindow::OnPaint()
{
    fw::PaintDC dc(Handle());
    RECT client{};
    ::GetClientRect(Handle(), &client);
    if (HGLOBAL picture = billboard_.Shown())
        PaintPicture(dc.Get(), picture, client);
    else
        PaintGradient(dc.Get(), palette_.Get(), client);
}

void CMainWindow::PaintPicture(HDC dc, HGLOBAL picture, const RECT& client)
{
    fw::GlobalLockGuard lock(picture);
    PaintDib(dc, lock.Data(), lock.Size(), client);  // checked when loaded
}

bool CMainWindow::OnSetCursor(HWND over)
{
    if (over != Handle() || !events_.Busy()) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

LRESULT CMainWindow::OnQueryNewPalette()
{
    UINT changed = 0;
    {
        fw::WindowDC dc(Handle());
        fw::PaletteGuard selected(dc.Get(), palette_.Get());
        changed = ::RealizePalette(dc.Get());
    }
    if (changed > 0 && changed != GDI_ERROR) ::InvalidateRect(Handle(), nullptr, TRUE);
    return Default(WM_QUERYNEWPALETTE, 0, 0);
}

void CMainWindow::OnPaletteChanged(HWND changer)
{
    if (changer != Handle()) OnQueryNewPalette();
}

void CMainWindow::OnDestroy()
{
    if (timerId_) ::KillTimer(Handle(), timerId_);
    timerId_ = 0;
    if (holdTimer_) ::KillTimer(Handle(), holdTimer_);
    holdTimer_ = 0;
    palette_.Reset();
    // A program without its window would never end.
    if (!quitPosted_) {
        quitPosted_ = true;
        ::PostQuitMessage(events_.ExitCode());
    }
}

void CMainWindow::OnClose()
{
    if (holdTimer_) {
        ::KillTimer(Handle(), holdTimer_);
        holdTimer_ = 0;
    }
    // The run decides: refused while a step runs, else the end of the run and the quit.
    if (events_.CloseRequested()) Destroy();
}

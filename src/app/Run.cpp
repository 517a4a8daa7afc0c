// The run carried by the backdrop window: command 123 starts it, message 0x47B
// finishes it. Until the install steps exist the run goes straight to its end.
#include "app/MainWindow.h"
#include "app/SetupState.h"

#include <cwchar>
#include <cwctype>

namespace {

// SETUP_HOLD_MS keeps the backdrop up for that many milliseconds before the run
// ends, so that a demo or a test can look at it.
UINT HoldMilliseconds()
{
    wchar_t value[16] = {};
    DWORD length = ::GetEnvironmentVariableW(L"SETUP_HOLD_MS", value, 16);
    if (length == 0 || length >= 16 || !std::iswdigit(value[0])) return 0;
    unsigned long ms = std::wcstoul(value, nullptr, 10);
    return ms > 600000 ? 600000 : static_cast<UINT>(ms);
}

}  // namespace

void CMainWindow::StartRun()
{
    if (UINT hold = HoldMilliseconds()) {
        holdTimer_ = ::SetTimer(Handle(), kSlideshowTimer + 1, hold, nullptr);
        if (holdTimer_) return;
    }
    ::PostMessageW(Handle(), kMsgFinishRun, static_cast<WPARAM>(State().runResult), 0);
}

LRESULT CMainWindow::FinishRun(WPARAM, LPARAM)
{
    State().busy = false;
    ::PostMessageW(Handle(), WM_COMMAND, kCmdQuit, 0);
    return 0;
}

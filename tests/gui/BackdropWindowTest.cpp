// The backdrop window on a real display: size, painting, cursor, slideshow timer.
#include "support/BitmapFiles.h"
#include "app/Countries.h"
#include "app/MainWindow.h"
#include "app/Sequencer.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <gtest/gtest.h>

namespace {

// Paints the client area into a memory bitmap with WM_PRINTCLIENT-free means:
// the window's own DC, read back after a synchronous repaint.
COLORREF ClientPixel(HWND hwnd, int x, int y)
{
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpWaiting();
    HDC dc = ::GetDC(hwnd);
    COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return colour;
}

class BackdropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        moduleDir = dir.Path() + L"\\";
        script = dir / L"setup.inf";
        ASSERT_TRUE(MakeDirs(dir / L"billboard"));
    }
    std::unique_ptr<CMainWindow> Open()
    {
        auto window = std::make_unique<CMainWindow>(moduleDir, script, sequencer);
        EXPECT_TRUE(window->CreateBackdrop());
        ::ShowWindow(window->Handle(), SW_SHOW);
        ::UpdateWindow(window->Handle());
        sequencer.Attach(window.get());
        PumpWaiting();
        return window;
    }

    TempDir dir;
    std::wstring moduleDir;
    std::wstring script;
    SetupState state;
    ScriptedUi ui;
    ModulePaths paths;
    SetupLog log;
    Sequencer sequencer{state, paths, ui, log};
};

TEST_F(BackdropTest, ClientAreaIsExactly864By486)
{
    auto window = Open();
    RECT client{};
    ::GetClientRect(window->Handle(), &client);
    EXPECT_EQ(client.right - client.left, 864);
    EXPECT_EQ(client.bottom - client.top, 486);
    RECT frame{};
    ::GetWindowRect(window->Handle(), &frame);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 10);
    EXPECT_NE(::SendMessageW(window->Handle(), WM_GETICON, ICON_BIG, 0), 0) << "icon 2 not set";
}

TEST_F(BackdropTest, WithoutPicturesTheGradientIsPainted)
{
    auto window = Open();
    const COLORREF top = ClientPixel(window->Handle(), 100, 0);
    const COLORREF second = ClientPixel(window->Handle(), 100, 2);   // band 1
    const COLORREF bottom = ClientPixel(window->Handle(), 100, 485); // band 242
    EXPECT_EQ(top, RGB(0, 0, 255));
    EXPECT_EQ(second, RGB(0, 0, 254));
    EXPECT_EQ(GetRValue(bottom), 0);
    EXPECT_EQ(GetGValue(bottom), 0);
    EXPECT_EQ(GetBValue(bottom), 255 - 242);
}

TEST_F(BackdropTest, APictureIsStretchedOverTheWholeClientArea)
{
    ASSERT_TRUE(WriteBytes(dir / L"billboard\\red.bmp", MakeBmp({.width = 16, .height = 9, .red = 255, .green = 0})));
    ASSERT_TRUE(WriteText(script, L"[Billboard]\r\nred.bmp=1000\r\n"));
    auto window = Open();
    for (POINT p : {POINT{0, 0}, POINT{863, 485}, POINT{432, 243}})
        EXPECT_EQ(ClientPixel(window->Handle(), p.x, p.y), RGB(255, 0, 0)) << p.x << "," << p.y;
}

TEST_F(BackdropTest, RunLengthCodedPicturesAreDrawn)
{
    for (uint16_t bits : {8, 4}) {
        const uint32_t compression = bits == 8 ? BI_RLE8 : BI_RLE4;
        ASSERT_TRUE(WriteBytes(dir / L"billboard\\rle.bmp", MakeBmp({.width = 16, .height = 9, .bitCount = bits,
                                                                       .colours = 1u << bits, .red = 255, .green = 0,
                                                                       .compression = compression})));
        ASSERT_TRUE(WriteText(script, L"[Billboard]\r\nrle.bmp=1000\r\n"));
        auto window = Open();
        EXPECT_EQ(ClientPixel(window->Handle(), 0, 0), RGB(255, 0, 0)) << bits;
        EXPECT_EQ(ClientPixel(window->Handle(), 863, 485), RGB(255, 0, 0)) << bits;
    }
}

TEST_F(BackdropTest, AnEmptyPictureShowsTheGradientForItsTurn)
{
    ASSERT_TRUE(WriteBytes(dir / L"billboard\\red.bmp", MakeBmp({.red = 255, .green = 0})));
    ASSERT_TRUE(WriteBytes(dir / L"billboard\\bad.bmp", MakeBmp({.headerSize = 200})));
    ASSERT_TRUE(WriteText(script, L"[Billboard]\r\nred.bmp=1000\r\nbad.bmp=1000\r\n"));
    auto window = Open();
    EXPECT_EQ(ClientPixel(window->Handle(), 5, 0), RGB(255, 0, 0));
    ::SendMessageW(window->Handle(), WM_TIMER, kSlideshowTimer, 0);
    EXPECT_EQ(window->Pictures().Current(), 1);
    EXPECT_EQ(ClientPixel(window->Handle(), 5, 0), RGB(0, 0, 255));
}

TEST_F(BackdropTest, SlideshowStartsOnceAndOnlyItsTimerAdvancesIt)
{
    for (const wchar_t* name : {L"1.bmp", L"2.bmp"})
        ASSERT_TRUE(WriteBytes(dir / (L"billboard\\" + std::wstring(name)), MakeBmp({})));
    ASSERT_TRUE(WriteText(script, L"[Billboard]\r\n1.bmp=1000\r\n2.bmp=1000\r\n"));
    auto window = Open();
    EXPECT_FALSE(window->SlideshowRunning());
    EXPECT_FALSE(::KillTimer(window->Handle(), kSlideshowTimer));  // no ticks before 0x47C
    PumpWaiting();
    EXPECT_EQ(window->Pictures().Current(), 0);

    EXPECT_EQ(::SendMessageW(window->Handle(), kMsgStartSlideshow, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(window->Handle(), kMsgStartSlideshow, 0, 0), 0);
    EXPECT_TRUE(window->SlideshowRunning());

    ::SendMessageW(window->Handle(), WM_TIMER, 999, 0);  // not ours
    EXPECT_EQ(window->Pictures().Current(), 0);
    // The real timer moves it on.
    EXPECT_TRUE(PumpUntil([&window] { return window->Pictures().Current() == 1; }, 30000));
}

TEST_F(BackdropTest, WaitCursorOnlyWhileBusyAndOnlyOverTheWindowItself)
{
    auto window = Open();
    HWND hwnd = window->Handle();
    HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, hwnd, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);

    state.busy = true;
    ::SetCursor(nullptr);
    EXPECT_EQ(::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), hit), TRUE);
    EXPECT_EQ(::GetCursor(), wait);

    ::SetCursor(nullptr);
    ::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(other), hit);
    EXPECT_NE(::GetCursor(), wait);

    state.busy = false;
    ::SetCursor(nullptr);
    ::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), hit);
    EXPECT_NE(::GetCursor(), wait);
    ::DestroyWindow(other);
}

// Without a setup folder the run ends at once, still through 0x47B and the quit,
// which carries the failed run's exit code.
TEST_F(BackdropTest, TheRunEndsByItselfThroughFinishAndQuit)
{
    state.silent = true;
    state.language = kGermanLanguage;  // the program's own texts: no library to load
    auto window = Open();
    ::PostMessageW(window->Handle(), WM_COMMAND, kCmdStartRun, 0);
    WPARAM code = 99;
    EXPECT_FALSE(PumpFor(5000, &code));
    EXPECT_EQ(code, static_cast<WPARAM>(kExitFailed));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, L"No setup path given!");
}

// The backdrop's close box, Alt+F4 or WM_CLOSE: never a process without a window.
TEST_F(BackdropTest, ClosingIsRefusedWhileBusyAndEndsTheRunOtherwise)
{
    auto window = Open();
    state.busy = true;
    ::SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpWaiting());  // no quit on the way
    EXPECT_TRUE(window->Exists());

    state.busy = false;
    ::SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(PumpFor(5000));
}

TEST_F(BackdropTest, ADestroyedBackdropStillEndsTheProgram)
{
    auto window = Open();
    window->Destroy();
    EXPECT_FALSE(PumpFor(2000));
}

}  // namespace

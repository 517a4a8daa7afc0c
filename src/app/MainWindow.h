// The backdrop window: parent of the run's dialogs, receiver of the run's
// commands, wait cursor while busy, billboard slideshow or gradient.
#pragma once

#include "app/Billboard.h"
#include "framework/Handles.h"
#include "framework/Window.h"

#include <string>

// Commands and messages of the run.
constexpr UINT kCmdStartRun = 123;
constexpr UINT kCmdQuit = 125;
constexpr UINT kMsgFinishRun = WM_USER + 123;      // 0x47B, posted
constexpr UINT kMsgStartSlideshow = WM_USER + 124; // 0x47C, sent
constexpr UINT_PTR kSlideshowTimer = 12345;

constexpr int kBackdropWidth = 864;
constexpr int kBackdropHeight = 486;

// What the backdrop hands to the run: its commands and the user's wish to close.
class BackdropEvents {
public:
    virtual ~BackdropEvents() = default;
    virtual void StartRun() = 0;                // command 123
    virtual void FinishRun() = 0;               // message 0x47B
    // True when the window may be destroyed now.
    virtual bool CloseRequested() = 0;
    virtual bool Busy() const = 0;              // wait cursor while true
    virtual int ExitCode() const = 0;           // carried by the quit
};

class CMainWindow : public fw::FrameWindow {
public:
    // Loads the billboard from moduleDir + "billboard\" as listed in scriptPath.
    // events (not owned) outlives the window.
    CMainWindow(const std::wstring& moduleDir, const std::wstring& scriptPath, BackdropEvents& events);
    ~CMainWindow() override;

    // Creates the window untitled and sizes it so the client area is 864 x 486 at (10, 10).
    bool CreateBackdrop();

    // Posts 0x47B with value, after delayMs when not 0.
    void PostFinishRun(WPARAM value, UINT delayMs);
    // Posts command 125, whose handler ends the message loop.
    void PostQuitCommand();

    const Billboard& Pictures() const { return billboard_; }
    bool SlideshowRunning() const { return timerId_ != 0; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnCreate();
    LRESULT StartSlideshow();
    void OnTimer(UINT_PTR id);
    void OnPaint();
    void PaintPicture(HDC dc, HGLOBAL picture, const RECT& client);
    bool OnSetCursor(HWND over);
    LRESULT OnQueryNewPalette();
    void OnPaletteChanged(HWND changer);
    void OnClose();
    void OnDestroy();

    BackdropEvents& events_;
    Billboard billboard_;
    fw::ScopedPalette palette_;
    UINT_PTR timerId_ = 0;
    UINT_PTR holdTimer_ = 0;
    WPARAM finishValue_ = 0;  // carried by the held 0x47B
    bool quitPosted_ = false;
};

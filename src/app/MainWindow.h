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

class CMainWindow : public fw::FrameWindow {
public:
    // Loads the billboard from moduleDir + "billboard\" as listed in scriptPath.
    CMainWindow(const std::wstring& moduleDir, const std::wstring& scriptPath);
    ~CMainWindow() override;

    // Creates the window untitled and sizes it so the client area is 864 x 486 at (10, 10).
    bool CreateBackdrop();

    // Takes ownership of the language library; it is freed with the window.
    void SetLanguageLibrary(HMODULE library);

    const Billboard& Pictures() const { return billboard_; }
    bool SlideshowRunning() const { return timerId_ != 0; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The run: started by command 123, finished by message 0x47B.
    void StartRun();
    LRESULT FinishRun(WPARAM wParam, LPARAM lParam);

    LRESULT OnCreate();
    LRESULT StartSlideshow();
    void OnTimer(UINT_PTR id);
    void OnPaint();
    void PaintPicture(HDC dc, HGLOBAL picture, const RECT& client);
    bool OnSetCursor(HWND over);
    LRESULT OnQueryNewPalette();
    void OnPaletteChanged(HWND changer);
    void OnDestroy();

    Billboard billboard_;
    fw::ScopedPalette palette_;
    fw::ScopedModule languageLibrary_;
    UINT_PTR timerId_ = 0;
    UINT_PTR holdTimer_ = 0;
};

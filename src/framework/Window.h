// Window base: binds the C++ object to its HWND once (WM_NCCREATE), hands every
// message to the virtual WindowProc and unbinds on WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace fw {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr && ::IsWindow(hwnd_); }
    void Destroy();

    // The object bound to a window of this framework, or null.
    static Window* FromHandle(HWND hwnd);

protected:
    // Registers (once) a window class with the framework's defaults and creates the window.
    bool CreateWindowOfClass(const wchar_t* className, const wchar_t* title, DWORD style,
                             int x, int y, int width, int height, HWND parent);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// A top-level frame window with the framework's default class (arrow cursor,
// window-colour background, default rectangle).
class FrameWindow : public Window {
public:
    bool Create(const wchar_t* title, DWORD style);
};

}  // namespace fw

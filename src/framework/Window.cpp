#include "framework/Window.h"

namespace fw {

Window::~Window()
{
    // The derived object is gone already: the messages of the destruction go to
    // the default procedure, never to what is left of this one.
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void Window::Destroy()
{
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

Window* Window::FromHandle(HWND hwnd)
{
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool Window::CreateWindowOfClass(const wchar_t* className, const wchar_t* title, DWORD style,
                                 int x, int y, int width, int height, HWND parent)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(instance, className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = StaticProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = className;
        if (!::RegisterClassExW(&wc)) return false;
    }
    HWND hwnd = ::CreateWindowExW(0, className, title, style, x, y, width, height, parent,
                                  nullptr, instance, this);
    return hwnd != nullptr;
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = FromHandle(hwnd);
    }
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = self->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool FrameWindow::Create(const wchar_t* title, DWORD style)
{
    return CreateWindowOfClass(L"OrvekFrame", title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr);
}

}  // namespace fw

// Messages of a control's own window procedure (which the dialog never sees,
// such as WM_GETOBJECT) handed to an object first; the control's procedure gets
// whatever the handler leaves.
#pragma once

#include <windows.h>

#include <functional>

namespace fw {

class Subclass {
public:
    // True when it handled the message and set result.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    Subclass() = default;
    ~Subclass() { Remove(); }
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // Puts handler in front of window's procedure until Remove, destruction or
    // the window's end. False when the window is not there.
    bool Install(HWND window, Handler handler);
    // Gives the window its own procedure back (also when another subclass came
    // after ours, which then keeps working: we only stop handling).
    void Remove();
    bool Installed() const { return window_ != nullptr; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;     // not owned
    WNDPROC original_ = nullptr;
    Handler handler_;
};

}  // namespace fw

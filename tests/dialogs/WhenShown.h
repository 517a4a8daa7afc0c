// Acts on a modal dialog of this thread once it is up: a timer of the thread,
// dispatched by the dialog's own modal loop, finds the visible dialog with the
// given title and hands it to the test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class WhenShown {
public:
    WhenShown(std::wstring title, std::function<void(HWND)> act) : title_(std::move(title)), act_(std::move(act))
    {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 20, Tick);
    }
    ~WhenShown()
    {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    WhenShown(const WhenShown&) = delete;
    WhenShown& operator=(const WhenShown&) = delete;

    bool acted = false;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        WhenShown* self = current_;
        if (!self || self->acted) return;
        HWND dialog = ::FindWindowW(L"#32770", self->title_.c_str());
        if (!dialog || !::IsWindowVisible(dialog)) return;
        self->acted = true;
        self->act_(dialog);
    }

    static inline WhenShown* current_ = nullptr;
    std::wstring title_;
    std::function<void(HWND)> act_;
    UINT_PTR timer_ = 0;
};

// A window's text, line breaks as "\n" (message formatting writes them as CR LF).
inline std::wstring TextOf(HWND window)
{
    wchar_t buffer[1024] = {};
    ::GetWindowTextW(window, buffer, 1024);
    std::wstring text;
    for (const wchar_t* c = buffer; *c; ++c)
        if (*c != L'\r') text += *c;
    return text;
}

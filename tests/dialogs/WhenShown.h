// Acts on a modal dialog of this thread once it is up: a thread timer, which the
// dialog's own modal loop dispatches, finds the visible dialog with the title.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct WhenShown {
    std::wstring title;
    std::function<void(HWND)> act;
    bool acted = false;

    // Runs show() (which shows the dialog modally) while act waits for the dialog.
    bool During(const std::function<void()>& show)
    {
        current = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, Tick);
        show();
        ::KillTimer(nullptr, timer);
        current = nullptr;
        return acted;
    }

    static inline WhenShown* current = nullptr;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = current && !current->acted ? ::FindWindowW(L"#32770", current->title.c_str()) : nullptr;
        if (!dialog || !::IsWindowVisible(dialog)) return;
        current->acted = true;
        current->act(dialog);
    }
};

// An item's text, line breaks as "\n" (message formatting writes them as CR LF).
inline std::wstring ItemTextOf(HWND dialog, int id)
{
    wchar_t buffer[1024] = {};
    ::GetDlgItemTextW(dialog, id, buffer, 1024);
    std::wstring text;
    for (const wchar_t* c = buffer; *c; ++c)
        if (*c != L'\r') text += *c;
    return text;
}

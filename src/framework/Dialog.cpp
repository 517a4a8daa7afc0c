#include "framework/Dialog.h"

#include <algorithm>
#include <vector>

namespace fw {

namespace {
std::vector<HWND>& ModelessDialogs()
{
    static std::vector<HWND> dialogs;  // run-wide: the message loops route to them
    return dialogs;
}
}  // namespace

Dialog::~Dialog()
{
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        if (modeless_) ::DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::DoModal()
{
    modeless_ = false;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (template_) return ::DialogBoxIndirectParamW(resources_, template_, parent_, StaticProc, self);
    return ::DialogBoxParamW(resources_, MAKEINTRESOURCEW(templateId_), parent_, StaticProc, self);
}

bool Dialog::CreateModeless()
{
    modeless_ = true;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    HWND hwnd = template_
        ? ::CreateDialogIndirectParamW(resources_, template_, parent_, StaticProc, self)
        : ::CreateDialogParamW(resources_, MAKEINTRESOURCEW(templateId_), parent_, StaticProc, self);
    if (!hwnd) return false;
    ModelessDialogs().push_back(hwnd);
    return true;
}

void Dialog::EndDialog(INT_PTR result)
{
    if (!hwnd_) return;
    if (modeless_)
        ::DestroyWindow(hwnd_);
    else
        ::EndDialog(hwnd_, result);
}

std::wstring Dialog::ItemText(int id) const
{
    HWND item = Item(id);
    int length = item ? ::GetWindowTextLengthW(item) : 0;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    if (item) ::GetWindowTextW(item, text.data(), length + 1);
    text.resize(wcslen(text.c_str()));
    return text;
}

void Dialog::SetItemText(int id, const std::wstring& text) const
{
    ::SetDlgItemTextW(hwnd_, id, text.c_str());
}

bool Dialog::OnInitDialog()
{
    DoDataExchange(false);
    return true;
}

bool Dialog::DoDataExchange(bool)
{
    return true;
}

void Dialog::OnOK()
{
    if (DoDataExchange(true)) EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool Dialog::OnCommand(int, int, HWND)
{
    return false;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR handled = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        auto& list = ModelessDialogs();
        list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return handled;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDOK && HIWORD(wParam) == BN_CLICKED) { OnOK(); return TRUE; }
        if (id == IDCANCEL) { OnCancel(); return TRUE; }
        return OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    }
    default: {
        LRESULT result = 0;
        if (!OnMessage(message, wParam, lParam, result)) return FALSE;
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

bool IsModelessDialogMessage(MSG& msg)
{
    for (HWND dialog : ModelessDialogs())
        if (::IsDialogMessageW(dialog, &msg)) return true;
    return false;
}

bool PumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (IsModelessDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace fw

#include "framework/Dialog.h"

#include "framework/Controls.h"

#include <algorithm>
#include <utility>

namespace fw {

namespace {

std::vector<HWND>& ModelessDialogs()
{
    static std::vector<HWND> dialogs;  // run-wide: the message loops route to them
    return dialogs;
}

void ForgetModeless(HWND hwnd)
{
    auto& list = ModelessDialogs();
    list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
}

// The dialog whose window this thread is creating. The dialog procedure learns
// `this` from WM_INITDIALOG, but WM_SETFONT and the measuring of a fixed-height
// owner-draw list come earlier; they bind through this slot, which the first
// message empties again.
thread_local Dialog* creating = nullptr;

class CreationSlot {
public:
    explicit CreationSlot(Dialog* dialog) : previous_(std::exchange(creating, dialog)) {}
    ~CreationSlot() { creating = previous_; }
    CreationSlot(const CreationSlot&) = delete;
    CreationSlot& operator=(const CreationSlot&) = delete;

private:
    Dialog* previous_;
};

// The colour requests a control's parent gets (WM_CTLCOLOR*).
bool IsColourMessage(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

// Messages whose value the dialog procedure returns itself; the dialog manager
// ignores DWLP_MSGRESULT for them.
bool ReturnsDirectly(UINT message)
{
    if (IsColourMessage(message)) return true;
    switch (message) {
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

}  // namespace

Dialog::~Dialog()
{
    for (Control* control : controls_) {
        control->dialog_ = nullptr;
        control->hwnd_ = nullptr;
    }
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        ForgetModeless(hwnd_);
        if (modeless_) ::DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::DoModal()
{
    modeless_ = false;
    CreationSlot slot(this);
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (template_) return ::DialogBoxIndirectParamW(resources_, template_, parent_, StaticProc, self);
    return ::DialogBoxParamW(resources_, MAKEINTRESOURCEW(templateId_), parent_, StaticProc, self);
}

bool Dialog::CreateModeless()
{
    modeless_ = true;
    CreationSlot slot(this);
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

Dialog* Dialog::FromHandle(HWND hwnd)
{
    return hwnd ? reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER)) : nullptr;
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

void Dialog::OnTimer(UINT_PTR) {}

void Dialog::OnDpiChanged(int) {}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void Dialog::Bind(HWND hwnd)
{
    hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    if (creating == this) creating = nullptr;
}

void Dialog::Unbind()
{
    ForgetModeless(hwnd_);
    ::SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    hwnd_ = nullptr;
    // The controls stay attached for a later run of the dialog; their windows are gone.
    for (Control* control : controls_) control->hwnd_ = nullptr;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = FromHandle(hwnd);
    if (!self) {
        if (message == WM_INITDIALOG)
            self = reinterpret_cast<Dialog*>(lParam);
        else if (creating && !creating->hwnd_)
            self = creating;
        if (!self) return FALSE;
        self->Bind(hwnd);
    }

    LRESULT result = 0;
    const bool handled = self->Dispatch(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) self->Unbind();
    if (!handled) return FALSE;
    if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

bool Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (Reflect(message, wParam, lParam, result)) return true;
    switch (message) {
    case WM_INITDIALOG:  // bool OnInitDialog(): false when it set the focus
        for (Control* control : controls_) control->hwnd_ = ::GetDlgItem(hwnd_, control->id_);
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    case WM_COMMAND: {  // void OnOK(), void OnCancel(), bool OnCommand(int id, int code, HWND control)
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDOK && code == BN_CLICKED) { OnOK(); return true; }
        if (id == IDCANCEL) { OnCancel(); return true; }
        return OnCommand(id, code, reinterpret_cast<HWND>(lParam));
    }
    case WM_TIMER:  // void OnTimer(UINT_PTR timerId)
        OnTimer(wParam);
        return true;
    case WM_DPICHANGED: {  // void OnDpiChanged(int dpi)
        if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
            ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        OnDpiChanged(HIWORD(wParam));
        // Not taken: the dialog manager scales the controls and fonts of a
        // per-monitor page itself in its default handling.
        return false;
    }
    default:
        return OnMessage(message, wParam, lParam, result);
    }
}

// Hands a child's message to the control object attached to it: by control id
// where the message carries one, by window handle for colours and keys.
bool Dialog::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (IsColourMessage(message)) {  // bool Control::OnCtlColor(UINT message, HDC, HBRUSH& brush)
        Control* control = ControlByHandle(reinterpret_cast<HWND>(lParam));
        HBRUSH brush = nullptr;
        if (!control || !control->OnCtlColor(message, reinterpret_cast<HDC>(wParam), brush)) return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    switch (message) {
    case WM_COMMAND: {  // bool Control::OnCommand(int code)
        if (!lParam) return false;  // menus and accelerators
        Control* control = ControlById(LOWORD(wParam));
        return control && control->OnCommand(HIWORD(wParam));
    }
    case WM_NOTIFY: {  // bool Control::OnNotify(const NMHDR&, LRESULT& result)
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        Control* control = header ? ControlById(static_cast<int>(header->idFrom)) : nullptr;
        return control && control->OnNotify(*header, result);
    }
    case WM_DRAWITEM: {  // bool Control::OnDrawItem(const DRAWITEMSTRUCT&)
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item || item->CtlType == ODT_MENU) return false;
        Control* control = ControlById(static_cast<int>(item->CtlID));
        if (!control || !control->OnDrawItem(*item)) return false;
        result = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {  // bool Control::OnMeasureItem(MEASUREITEMSTRUCT&)
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!item || item->CtlType == ODT_MENU) return false;
        Control* control = ControlById(static_cast<int>(item->CtlID));
        if (!control || !control->OnMeasureItem(*item)) return false;
        result = TRUE;
        return true;
    }
    case WM_COMPAREITEM: {  // bool Control::OnCompareItem(const COMPAREITEMSTRUCT&, int& order)
        const auto* item = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
        Control* control = item ? ControlById(static_cast<int>(item->CtlID)) : nullptr;
        int order = 0;
        if (!control || !control->OnCompareItem(*item, order)) return false;
        result = order;
        return true;
    }
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {  // bool Control::OnKeyToItem(UINT message, UINT key, int caret, int& answer)
        Control* control = ControlByHandle(reinterpret_cast<HWND>(lParam));
        int answer = -1;
        if (!control || !control->OnKeyToItem(message, LOWORD(wParam), HIWORD(wParam), answer)) return false;
        result = answer;
        return true;
    }
    default:
        return false;
    }
}

void Dialog::AddControl(Control* control)
{
    // One object per item: a later attachment to the same id replaces the earlier one.
    if (Control* earlier = ControlById(control->id_)) earlier->Detach();
    controls_.push_back(control);
}

void Dialog::RemoveControl(Control* control)
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

Control* Dialog::ControlById(int id) const
{
    // Notifications carry the id in 16 bits.
    for (Control* control : controls_)
        if (LOWORD(control->id_) == LOWORD(id)) return control;
    return nullptr;
}

Control* Dialog::ControlByHandle(HWND hwnd) const
{
    if (!hwnd) return nullptr;
    for (Control* control : controls_)
        if (control->hwnd_ == hwnd) return control;
    return nullptr;
}

bool IsModelessDialogMessage(MSG& msg)
{
    // A copy: a dialog that the message closes leaves the list meanwhile.
    const std::vector<HWND> dialogs = ModelessDialogs();
    for (HWND dialog : dialogs)
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

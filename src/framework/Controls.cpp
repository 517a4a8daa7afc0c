#include "framework/Controls.h"

#include "framework/Dialog.h"

namespace fw {

namespace {

// The controls answer LB_ERR/CB_ERR (-1) and LB_ERRSPACE/CB_ERRSPACE (-2) for failures.
int IndexOrMinusOne(LRESULT result)
{
    return result < 0 ? -1 : static_cast<int>(result);
}

LPARAM TextParam(const std::wstring& text)
{
    return reinterpret_cast<LPARAM>(text.c_str());
}

// Text of item index through a length message and a text message (LB_ or CB_).
std::wstring ItemTextOf(const Control& control, UINT lengthMessage, UINT textMessage, int index)
{
    const LRESULT length = control.Send(lengthMessage, index);
    if (length < 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = control.Send(textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

}  // namespace

Control::~Control()
{
    Detach();
}

bool Control::Attach(Dialog& dialog, int id)
{
    Detach();
    HWND item = nullptr;
    if (dialog.Handle()) {
        item = ::GetDlgItem(dialog.Handle(), id);
        if (!item) return false;
    }
    id_ = id;
    hwnd_ = item;
    dialog_ = &dialog;
    dialog.AddControl(this);
    return true;
}

void Control::Detach()
{
    if (dialog_) dialog_->RemoveControl(this);
    dialog_ = nullptr;
    hwnd_ = nullptr;
    id_ = 0;
}

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return hwnd_ ? ::SendMessageW(hwnd_, message, wParam, lParam) : 0;
}

std::wstring Control::Text() const
{
    const int length = hwnd_ ? ::GetWindowTextLengthW(hwnd_) : 0;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = length > 0 ? ::GetWindowTextW(hwnd_, text.data(), length + 1) : 0;
    text.resize(static_cast<size_t>(copied));
    return text;
}

void Control::SetText(const std::wstring& text) const
{
    if (hwnd_) ::SetWindowTextW(hwnd_, text.c_str());
}

bool Control::OnCommand(int) { return false; }
bool Control::OnNotify(const NMHDR&, LRESULT&) { return false; }
bool Control::OnDrawItem(const DRAWITEMSTRUCT&) { return false; }
bool Control::OnMeasureItem(MEASUREITEMSTRUCT&) { return false; }
bool Control::OnCompareItem(const COMPAREITEMSTRUCT&, int&) { return false; }
bool Control::OnCtlColor(UINT, HDC, HBRUSH&) { return false; }
bool Control::OnKeyToItem(UINT, UINT, int, int&) { return false; }

// ---------------------------------------------------------------------------

int ListBox::AddString(const std::wstring& text, LPARAM data) const
{
    return InsertString(-1, text, data);
}

int ListBox::InsertString(int index, const std::wstring& text, LPARAM data) const
{
    const UINT message = index < 0 ? LB_ADDSTRING : LB_INSERTSTRING;
    const int at = IndexOrMinusOne(Send(message, index < 0 ? 0 : index, TextParam(text)));
    if (at >= 0) SetItemData(at, data);
    return at;
}

int ListBox::AddItem(LPARAM data) const
{
    return IndexOrMinusOne(Send(LB_ADDSTRING, 0, data));
}

void ListBox::ResetContent() const { Send(LB_RESETCONTENT); }
int ListBox::Count() const { return IndexOrMinusOne(Send(LB_GETCOUNT)); }
int ListBox::CurSel() const { return IndexOrMinusOne(Send(LB_GETCURSEL)); }

bool ListBox::SetCurSel(int index) const
{
    // LB_SETCURSEL answers LB_ERR also when index is -1, which clears the selection as asked.
    const LRESULT result = Send(LB_SETCURSEL, index);
    return index < 0 || result != LB_ERR;
}

LPARAM ListBox::ItemData(int index) const { return Send(LB_GETITEMDATA, index); }
bool ListBox::SetItemData(int index, LPARAM data) const { return Send(LB_SETITEMDATA, index, data) != LB_ERR; }
std::wstring ListBox::ItemText(int index) const { return ItemTextOf(*this, LB_GETTEXTLEN, LB_GETTEXT, index); }

int ListBox::FindString(const std::wstring& prefix, int start) const
{
    return IndexOrMinusOne(Send(LB_FINDSTRING, start, TextParam(prefix)));
}

int ListBox::FindStringExact(const std::wstring& text, int start) const
{
    return IndexOrMinusOne(Send(LB_FINDSTRINGEXACT, start, TextParam(text)));
}

// ---------------------------------------------------------------------------

int ComboBox::AddString(const std::wstring& text, LPARAM data) const
{
    return InsertString(-1, text, data);
}

int ComboBox::InsertString(int index, const std::wstring& text, LPARAM data) const
{
    const UINT message = index < 0 ? CB_ADDSTRING : CB_INSERTSTRING;
    const int at = IndexOrMinusOne(Send(message, index < 0 ? 0 : index, TextParam(text)));
    if (at >= 0) SetItemData(at, data);
    return at;
}

void ComboBox::ResetContent() const { Send(CB_RESETCONTENT); }
int ComboBox::Count() const { return IndexOrMinusOne(Send(CB_GETCOUNT)); }
int ComboBox::CurSel() const { return IndexOrMinusOne(Send(CB_GETCURSEL)); }

bool ComboBox::SetCurSel(int index) const
{
    const LRESULT result = Send(CB_SETCURSEL, index);
    return index < 0 || result != CB_ERR;
}

LPARAM ComboBox::ItemData(int index) const { return Send(CB_GETITEMDATA, index); }
bool ComboBox::SetItemData(int index, LPARAM data) const { return Send(CB_SETITEMDATA, index, data) != CB_ERR; }
std::wstring ComboBox::ItemText(int index) const { return ItemTextOf(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

int ComboBox::FindString(const std::wstring& prefix, int start) const
{
    return IndexOrMinusOne(Send(CB_FINDSTRING, start, TextParam(prefix)));
}

int ComboBox::FindStringExact(const std::wstring& text, int start) const
{
    return IndexOrMinusOne(Send(CB_FINDSTRINGEXACT, start, TextParam(text)));
}

int ComboBox::SelectString(const std::wstring& prefix, int start) const
{
    return IndexOrMinusOne(Send(CB_SELECTSTRING, start, TextParam(prefix)));
}

// ---------------------------------------------------------------------------

void Edit::SetLimitText(int maxChars) const { Send(EM_SETLIMITTEXT, maxChars); }
void Edit::SetSel(int start, int end) const { Send(EM_SETSEL, start, end); }

int Button::GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
void Button::SetCheck(int state) const { Send(BM_SETCHECK, state); }

}  // namespace fw

#include "framework/DataExchange.h"

#include "framework/Controls.h"

namespace fw {

namespace {

bool IsEditLike(HWND control)
{
    return (::SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
}

}  // namespace

bool DataExchange::Refuse(int id, const Refusal& refusal)
{
    refusal_ = refusal;
    refusal_.controlId = id;
    HWND control = Item(id);
    if (control) {
        // WM_NEXTDLGCTL rather than SetFocus: the dialog manager keeps its default button right.
        ::SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        if (IsEditLike(control)) Edit(control).SelectAll();
    }
    return false;
}

bool DataExchange::Text(int id, std::wstring& value, size_t maxLength)
{
    if (!Ok()) return false;
    Control control(Item(id));
    if (!save_) {
        if (maxLength > 0 && IsEditLike(control.Handle())) Edit(control.Handle()).SetLimitText(static_cast<int>(maxLength));
        control.SetText(value);
        return true;
    }
    std::wstring text = control.Text();
    if (maxLength > 0 && text.size() > maxLength) {
        Refusal refusal;
        refusal.reason = Refusal::Reason::TooLong;
        refusal.maxLength = maxLength;
        return Refuse(id, refusal);
    }
    value = std::move(text);
    return true;
}

bool DataExchange::Check(int id, int& state)
{
    if (!Ok()) return false;
    Button button(Item(id));
    if (save_)
        state = button.GetCheck();
    else
        button.SetCheck(state);
    return true;
}

bool DataExchange::Check(int id, bool& checked)
{
    int state = checked ? BST_CHECKED : BST_UNCHECKED;
    if (!Check(id, state)) return false;
    checked = state == BST_CHECKED;
    return true;
}

bool DataExchange::Radio(int firstId, int& index)
{
    if (!Ok()) return false;
    int found = -1;
    int position = 0;
    HWND control = Item(firstId);
    while (control) {
        if (::SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            Button button(control);
            if (save_ && found < 0 && button.IsChecked()) found = position;
            if (!save_) button.SetCheck(position == index ? BST_CHECKED : BST_UNCHECKED);
            ++position;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
        if (control && (::GetWindowLongW(control, GWL_STYLE) & WS_GROUP)) break;
    }
    if (save_) index = found;
    return true;
}

bool DataExchange::ComboText(int id, std::wstring& text, size_t maxLength)
{
    if (!Ok()) return false;
    ComboBox combo(Item(id));
    if (!save_) {
        if (maxLength > 0) combo.Send(CB_LIMITTEXT, maxLength);
        const int found = combo.FindStringExact(text);
        combo.SetCurSel(found);
        if (found < 0) combo.SetText(text);
        return true;
    }
    const int selected = combo.CurSel();
    std::wstring value = selected < 0 ? combo.Text() : combo.ItemText(selected);
    if (maxLength > 0 && value.size() > maxLength) {
        Refusal refusal;
        refusal.reason = Refusal::Reason::TooLong;
        refusal.maxLength = maxLength;
        return Refuse(id, refusal);
    }
    text = std::move(value);
    return true;
}

}  // namespace fw

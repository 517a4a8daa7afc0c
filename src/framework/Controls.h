// Thin typed wrappers over the standard controls. A control attached to a
// dialog item receives that item's notifications and owner-draw messages, which
// the dialog reflects to it; derive and override the handlers to draw or react.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class Dialog;

class Control {
public:
    Control() = default;
    // Wraps a window for its typed helpers only: nothing is reflected to it.
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Reflects the messages of item id of dialog to this object until Detach or
    // destruction. May be called before the dialog's window exists: a
    // fixed-height owner-draw list is measured while the dialog is being created,
    // before WM_INITDIALOG. False when the window exists and has no such item.
    bool Attach(Dialog& dialog, int id);
    void Detach();

    HWND Handle() const { return hwnd_; }  // not owned: the dialog's child
    int Id() const { return id_; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    std::wstring Text() const;
    void SetText(const std::wstring& text) const;
    void Enable(bool enable) const { ::EnableWindow(hwnd_, enable); }
    bool IsEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    void Show(bool show) const { ::ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    void Invalidate(bool erase) const { ::InvalidateRect(hwnd_, nullptr, erase); }

    // Reflected handlers; each returns true when it handled the message.
    // WM_COMMAND from this control, with its notification code (BN_CLICKED, LBN_SELCHANGE, ...).
    virtual bool OnCommand(int code);
    // WM_NOTIFY from this control; result is the message's result.
    virtual bool OnNotify(const NMHDR& header, LRESULT& result);
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item);
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    // result: -1, 0 or 1 as item 1 sorts before, with or after item 2.
    virtual bool OnCompareItem(const COMPAREITEMSTRUCT& item, int& result);
    // WM_CTLCOLOR* (message says which); brush is not owned by the dialog.
    virtual bool OnCtlColor(UINT message, HDC dc, HBRUSH& brush);
    // WM_VKEYTOITEM or WM_CHARTOITEM (message says which); result: -2 done,
    // -1 default action, or the index of the item to select.
    virtual bool OnKeyToItem(UINT message, UINT key, int caret, int& result);

private:
    friend class Dialog;

    HWND hwnd_ = nullptr;
    int id_ = 0;
    Dialog* dialog_ = nullptr;  // not owned; cleared when the dialog object goes
};

// LB_ERR and LB_ERRSPACE come back as -1 from every index function.
class ListBox : public Control {
public:
    using Control::Control;

    int AddString(const std::wstring& text, LPARAM data = 0) const;
    int InsertString(int index, const std::wstring& text, LPARAM data = 0) const;
    // For lists without LBS_HASSTRINGS: the item is its data alone.
    int AddItem(LPARAM data) const;
    void ResetContent() const;
    int Count() const;
    // Single-selection lists; -1: nothing selected.
    int CurSel() const;
    bool SetCurSel(int index) const;
    LPARAM ItemData(int index) const;
    bool SetItemData(int index, LPARAM data) const;
    std::wstring ItemText(int index) const;
    // Case-insensitive, starting after item start and wrapping (-1: from the top).
    int FindString(const std::wstring& prefix, int start = -1) const;
    int FindStringExact(const std::wstring& text, int start = -1) const;
};

class ComboBox : public Control {
public:
    using Control::Control;

    int AddString(const std::wstring& text, LPARAM data = 0) const;
    int InsertString(int index, const std::wstring& text, LPARAM data = 0) const;
    void ResetContent() const;
    int Count() const;
    int CurSel() const;  // -1: nothing selected
    bool SetCurSel(int index) const;
    LPARAM ItemData(int index) const;
    bool SetItemData(int index, LPARAM data) const;
    std::wstring ItemText(int index) const;
    int FindString(const std::wstring& prefix, int start = -1) const;
    int FindStringExact(const std::wstring& text, int start = -1) const;
    // Selects the first item the prefix matches (case-insensitive, after start,
    // wrapping); returns its index, -1 when none matched (the selection stays).
    int SelectString(const std::wstring& prefix, int start = -1) const;
};

class Edit : public Control {
public:
    using Control::Control;

    void SetLimitText(int maxChars) const;
    void SetSel(int start, int end) const;
    void SelectAll() const { SetSel(0, -1); }
};

class Button : public Control {
public:
    using Control::Control;

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    bool IsChecked() const { return GetCheck() == BST_CHECKED; }
    void SetCheck(int state) const;
};

}  // namespace fw

// A dialog with one of each control the wizard pages use, attached controls
// that record what was reflected to them, and members exchanged with the controls.
#pragma once

#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "DialogTemplate.h"

#include <string>
#include <utility>
#include <vector>

enum { IDC_LIST = 100, IDC_NUMBER, IDC_CHECK, IDC_COMBO, IDC_BUTTON, IDC_RADIO1, IDC_RADIO2, IDC_LABEL, IDC_NAME };

inline DialogTemplate PageTemplate(DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU)
{
    DialogTemplate t(style, 220, 160);
    t.Add(DialogTemplate::kListBox, IDC_LIST, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_BORDER | WS_TABSTOP,
          5, 5, 100, 60)
        .Add(DialogTemplate::kEdit, IDC_NUMBER, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 110, 5, 60, 12)
        .Add(DialogTemplate::kEdit, IDC_NAME, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 110, 20, 60, 12)
        .Add(DialogTemplate::kButton, IDC_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, 110, 35, 60, 10, L"Check")
        .Add(DialogTemplate::kComboBox, IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 110, 50, 60, 60)
        .Add(DialogTemplate::kButton, IDC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, 5, 70, 50, 14, L"Button")
        .Add(DialogTemplate::kButton, IDC_RADIO1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 90, 60, 10, L"One")
        .Add(DialogTemplate::kButton, IDC_RADIO2, BS_AUTORADIOBUTTON, 5, 102, 60, 10, L"Two")
        .Add(DialogTemplate::kStatic, IDC_LABEL, SS_LEFT | WS_GROUP, 70, 90, 60, 10, L"Label")
        .Add(DialogTemplate::kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 110, 140, 50, 14, L"OK")
        .Add(DialogTemplate::kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 165, 140, 50, 14, L"Cancel");
    return t;
}

// Attached controls that record what the dialog reflected to them.
class RecordingList : public fw::ListBox {
public:
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override { ++measured; item.itemHeight = 18; return true; }
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override { drawn.push_back(item.itemID); return true; }
    bool OnCompareItem(const COMPAREITEMSTRUCT& item, int& result) override
    {
        result = item.itemData1 < item.itemData2 ? -1 : item.itemData1 > item.itemData2 ? 1 : 0;
        return true;
    }
    bool OnKeyToItem(UINT, UINT, int, int& result) override { result = -2; return true; }

    int measured = 0;
    std::vector<UINT> drawn;
};

class ColouredEdit : public fw::Edit {
public:
    bool OnCtlColor(UINT, HDC, HBRUSH& result) override { result = brush; return true; }
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));  // stock: not owned
};

class CountingButton : public fw::Button {
public:
    bool OnCommand(int code) override { return code == BN_CLICKED && ++clicks; }
    int clicks = 0;
};

class TestDialog : public fw::Dialog {
public:
    explicit TestDialog(const DLGTEMPLATE* dialogTemplate, HWND parent = nullptr)
        : fw::Dialog(::GetModuleHandleW(nullptr), dialogTemplate, parent)
    {
        // Before the window exists, so the list is measured while it is created.
        list.Attach(*this, IDC_LIST);
        number.Attach(*this, IDC_NUMBER);
        button.Attach(*this, IDC_BUTTON);
    }

    bool OnInitDialog() override
    {
        for (const wchar_t* text : {L"eins", L"zwei", L"drei"}) list.AddString(text);
        fw::ComboBox combo(Item(IDC_COMBO));
        for (const wchar_t* text : {L"Deutsch", L"English", L"Français"}) combo.AddString(text);
        return fw::Dialog::OnInitDialog();
    }

    bool DoDataExchange(bool save) override
    {
        fw::DataExchange dx(Handle(), save);
        dx.Text(IDC_NUMBER, count);
        dx.Text(IDC_NAME, name, 8);
        dx.Check(IDC_CHECK, checked);
        dx.ComboText(IDC_COMBO, language);
        dx.Radio(IDC_RADIO1, radio);
        refusal = dx.Refused();
        return dx.Ok();
    }

    bool OnCommand(int id, int code, HWND control) override
    {
        commands.push_back({id, code});
        lastControl = control;
        return true;
    }

    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        result = message == WM_CTLCOLORSTATIC ? reinterpret_cast<LRESULT>(staticBrush) : 42;
        return message == WM_CTLCOLORSTATIC || message == WM_APP;
    }

    RecordingList list;
    ColouredEdit number;
    CountingButton button;
    HBRUSH staticBrush = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));  // stock: not owned

    std::wstring count = L"7";
    std::wstring name = L"Anna";
    bool checked = true;
    std::wstring language = L"English";
    int radio = 1;
    fw::Refusal refusal;
    std::vector<std::pair<int, int>> commands;
    HWND lastControl = nullptr;
};

// What a screen reader learns of a check list (CBmpListBox): the list as the
// system's own list object says it, and one child per row with the row's
// columns as its name, its folder as its value, and whether it is ticked and
// whether it can be changed as states. The check marks are only pictures, so
// without this a reader hears the names but not the ticks.
#pragma once

#include <windows.h>

#include <string>

struct CheckListRow;

// The accessible object of one list window, made when a client first asks and
// kept until Disconnect; clients may hold it longer, and it then answers that
// the list is gone.
class CheckListAccessibility {
public:
    CheckListAccessibility() = default;
    ~CheckListAccessibility() { Disconnect(); }
    CheckListAccessibility(const CheckListAccessibility&) = delete;
    CheckListAccessibility& operator=(const CheckListAccessibility&) = delete;

    // WM_GETOBJECT of list: true with result set when it asked for the client
    // object and one could be made (the system's accessibility library is there).
    bool Answer(HWND list, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The list window goes: the object stops answering for it.
    void Disconnect();

    // Tells listening clients that row index's tick changed.
    static void RowChanged(HWND list, int index);

private:
    struct Object;
    Object* object_ = nullptr;  // one reference held
};

// The spoken parts of a row: its columns joined by ", " (name) and its columns
// after the first (value: the folder on the options page).
std::wstring AccessibleRowName(const CheckListRow& row);
std::wstring AccessibleRowValue(const CheckListRow& row);

// Values between a dialog's members and its controls, both directions in one
// function per dialog:
//
//   bool CPage::DoDataExchange(bool save)
//   {
//       fw::DataExchange dx(Handle(), save);
//       dx.Text(IDC_PATH, path, MAX_PATH - 1);
//       dx.Check(IDC_ALL, applyToAll);
//       if (!dx.Ok()) ShowRefusal(dx.Refused());  // the framework shows no box
//       return dx.Ok();
//   }
//
// On save a refused value leaves its member as it was, focuses its control (an
// edit with its text selected) and turns every later call of the same exchange
// into a no-op returning false, so the first offending control keeps the focus.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace fw {

struct Refusal {
    enum class Reason { None, TooLong };
    Reason reason = Reason::None;
    int controlId = 0;
    size_t maxLength = 0;  // TooLong: the most characters accepted
};

class DataExchange {
public:
    // dialog (not owned) holds the controls; save: controls to members.
    DataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}

    bool Saving() const { return save_; }
    bool Ok() const { return refusal_.reason == Refusal::Reason::None; }
    const Refusal& Refused() const { return refusal_; }

    // Any window's text. maxLength 0: no limit; otherwise an edit is limited to it
    // on load and a longer text is refused on save.
    bool Text(int id, std::wstring& value, size_t maxLength = 0);
    // A check box: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    bool Check(int id, int& state);
    bool Check(int id, bool& checked);
    // The radio buttons from firstId to the next control with WS_GROUP, in tab
    // order; index of the checked one, -1 for none.
    bool Radio(int firstId, int& index);
    // Combo box selection by text: on load selects the item with exactly that
    // text (ignoring case) and otherwise puts the text into an editable combo's
    // edit; on save it reads the selected item, or the edit's text when none is.
    bool ComboText(int id, std::wstring& text, size_t maxLength = 0);

private:
    HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
    bool Refuse(int id, const Refusal& refusal);

    HWND dialog_;  // not owned
    bool save_;
    Refusal refusal_;
};

}  // namespace fw

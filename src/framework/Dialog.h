// Dialog base: modal or modeless from a template of a given resource module,
// `this` bound once on WM_INITDIALOG, messages handed to virtual handlers.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class Dialog {
public:
    // resources (not owned) holds the template and the bitmaps and icons it names.
    Dialog(HINSTANCE resources, UINT templateId, HWND parent)
        : resources_(resources), templateId_(templateId), parent_(parent) {}
    // A template built in memory (not owned; it need only live until the window exists).
    Dialog(HINSTANCE resources, const DLGTEMPLATE* dialogTemplate, HWND parent)
        : resources_(resources), template_(dialogTemplate), parent_(parent) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; the result is what EndDialog was given, -1 when
    // the template could not be loaded.
    INT_PTR DoModal();
    // Creates the dialog modeless; false when the template could not be loaded.
    bool CreateModeless();
    // Ends a modal dialog with result, or destroys a modeless one.
    void EndDialog(INT_PTR result);

    HWND Handle() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    std::wstring ItemText(int id) const;
    void SetItemText(int id, const std::wstring& text) const;

protected:
    // After the controls exist; return false when the focus was set.
    virtual bool OnInitDialog();
    // Moves values between members and controls (save: controls to members).
    // Returns false when a value is refused; the handler focuses the control.
    virtual bool DoDataExchange(bool save);
    virtual void OnOK();
    virtual void OnCancel();
    // WM_COMMAND other than IDOK/IDCANCEL; return true when handled.
    virtual bool OnCommand(int id, int code, HWND control);
    // Every other message; return true and set result when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HINSTANCE resources_;  // not owned
    UINT templateId_ = 0;
    const DLGTEMPLATE* template_ = nullptr;  // not owned
    HWND parent_;  // not owned

private:
    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool modeless_ = false;
};

// Hands msg to a modeless dialog it belongs to; true when the dialog took it.
bool IsModelessDialogMessage(MSG& msg);

// Dispatches every waiting message (the copy loop calls this to keep windows
// alive). Returns false when WM_QUIT was seen; it is posted again for the main loop.
bool PumpWaitingMessages();

}  // namespace fw

// Dialog base: modal or modeless from a template of a given resource module,
// `this` bound once, messages handed to typed virtual handlers, and the child
// notifications and owner-draw messages reflected to the attached controls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fw {

class Control;

class Dialog {
public:
    // resources (not owned) holds the template and the bitmaps and icons it names.
    // resources: the module holding the template (null: the program itself); not owned.
    Dialog(HINSTANCE resources, UINT templateId, HWND parent)
        : resources_(resources ? resources : ::GetModuleHandleW(nullptr)), templateId_(templateId), parent_(parent) {}
    // A template built in memory (not owned; it need only live until the window exists).
    Dialog(HINSTANCE resources, const DLGTEMPLATE* dialogTemplate, HWND parent)
        : resources_(resources), template_(dialogTemplate), parent_(parent) {}
    // Unbinds before the window goes: no message reaches a half-destroyed object.
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

    // The object bound to a dialog window of this framework, or null.
    static Dialog* FromHandle(HWND hwnd);

protected:
    // After the controls exist (attached controls have their handles); return
    // false when the focus was set.
    virtual bool OnInitDialog();
    // Moves values between members and controls (save: controls to members).
    // Returns false when a value is refused; DataExchange focuses the control.
    virtual bool DoDataExchange(bool save);
    virtual void OnOK();
    virtual void OnCancel();
    // WM_COMMAND that no attached control took, other than IDOK/IDCANCEL; true when handled.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual void OnTimer(UINT_PTR timerId);
    // The dialog moved to a monitor of another scale (WM_DPICHANGED) and has
    // taken the rectangle the system proposed; dpi is the new scale. The
    // system's own scaling of the dialog's controls follows.
    virtual void OnDpiChanged(int dpi);
    // Every other message, and reflected messages no control took; return true
    // and set result when handled. For WM_CTLCOLOR*, WM_COMPAREITEM,
    // WM_VKEYTOITEM, WM_CHARTOITEM and WM_QUERYDRAGICON the result is the value
    // itself (a brush, -1/0/1, an index); for the rest it goes through DWLP_MSGRESULT.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HINSTANCE resources_;  // not owned
    UINT templateId_ = 0;
    const DLGTEMPLATE* template_ = nullptr;  // not owned
    HWND parent_;  // not owned

private:
    friend class Control;

    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hwnd);
    void Unbind();
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The control table, kept by Control::Attach/Detach.
    void AddControl(Control* control);
    void RemoveControl(Control* control);
    Control* ControlById(int id) const;
    Control* ControlByHandle(HWND hwnd) const;

    HWND hwnd_ = nullptr;
    bool modeless_ = false;
    std::vector<Control*> controls_;  // not owned; each detaches itself when it goes
};

// Hands msg to a modeless dialog it belongs to; true when the dialog took it.
bool IsModelessDialogMessage(MSG& msg);

// Dispatches every waiting message (the copy loop calls this to keep windows
// alive). Returns false when WM_QUIT was seen; it is posted again for the main loop.
bool PumpWaitingMessages();

}  // namespace fw

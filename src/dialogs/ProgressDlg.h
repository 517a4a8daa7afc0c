// The copy progress dialog: which file goes where, how far the copy has got, and
// the one way to stop it. Modeless; the copy loop runs on the same thread, so
// the dialog lets waiting messages through whenever the percentage changes.
// The copy stops when the user cancels, when the window is gone (its owner
// destroyed it) and when the program is asked to quit. A dialog that could not
// be created is never shown: its owner makes another from the program's own
// template (WindowsUi).
#pragma once

#include "framework/Dialog.h"

#include <string>

class CProgressDlg : public fw::Dialog {
public:
    // resources: the module with template 138 (null: the program); owner (not
    // owned) is the window the dialog stays above; both may be null.
    explicit CProgressDlg(HINSTANCE resources = nullptr, HWND owner = nullptr);

    // Creates the dialog from template 138, centred over the desktop, with the
    // bar's range 0 to 100. False when the template could not be loaded.
    bool Create();
    // Destroys the window (the owner calls it when the loop ends).
    void Destroy();

    void SetTotal(int count) { total = count; }
    // Returns the previous step size.
    int SetStep(int size);
    // Shows both paths, each compacted to at most 69 characters. A static
    // control repaints at once when its text changes, so with many small files
    // the names reach the screen at most every kNamesInterval milliseconds (and
    // with every new percentage); a long copy shows its names before it starts.
    void ShowNames(const std::wstring& source, const std::wstring& dest);
    // Advances by stepSize (limited to total) and shows the percentage; returns
    // the new position.
    int Step();
    // Shows percent unless it is already shown; then dispatches waiting messages.
    void ShowPercent(int percent);
    // True once the copy has to stop: Cancel, the window gone, or a quit seen
    // while pumping (posted again for the main loop).
    bool Cancelled() const { return !keepGoing || !created_ || !Handle(); }

    int total = 100;
    int stepSize = 10;
    int position = 0;
    int lastPercent = -1;   // -1: nothing shown yet
    bool keepGoing = true;  // false once the user cancelled or an answer asked to stop
    std::wstring percentText = L"0 %";
    std::wstring sourceText;  // as last shown
    std::wstring destText;    // as last shown

    static constexpr DWORD kNamesInterval = 100;

protected:
    bool OnInitDialog() override;
    bool DoDataExchange(bool save) override;
    // Enter must not close the dialog in the middle of a copy.
    void OnOK() override {}
    void OnCancel() override;
    // The clock of the names' interval (milliseconds); tests turn it by hand.
    virtual DWORD Now() const { return ::GetTickCount(); }

private:
    std::wstring source_;        // the paths as given; compacted when shown
    std::wstring dest_;
    bool namesPending_ = false;  // source_/dest_ not yet compacted into the texts
    DWORD namesShownAt_ = 0;     // GetTickCount of the last transfer of the names
    bool namesShown_ = false;
    bool created_ = false;

    void TakeNames();
};

// path shortened with an ellipsis in its middle to at most maxChars characters.
std::wstring CompactPath(const std::wstring& path, unsigned maxChars = 69);

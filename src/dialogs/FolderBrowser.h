// The shell's folder browser: a base that runs it and hands its notices to
// virtual handlers, the specialisation that opens on a given folder, and the
// one-call form the pages use.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

class CBrowseForFolder {
public:
    // owner (not owned) may be null; flags are BIF_* values.
    CBrowseForFolder(HWND owner, const std::wstring& title, UINT flags);
    // Only specialisations are created.
    virtual ~CBrowseForFolder() = 0;
    CBrowseForFolder(const CBrowseForFolder&) = delete;
    CBrowseForFolder& operator=(const CBrowseForFolder&) = delete;

    // Runs the browser; true and Path() set when the user chose a folder that has
    // a file-system path.
    bool Run();
    const std::wstring& Path() const { return path_; }
    // The browser's window while it is open, else null.
    HWND Window() const { return window_; }

protected:
    // The browser has initialised.
    virtual void OnInit();
    // The user selected item (not owned; valid during the call).
    virtual void OnSelChanged(PCIDLIST_ABSOLUTE item);

    void SelectFolder(const std::wstring& folder) const;
    void SetStatusText(const std::wstring& text) const;

private:
    static int CALLBACK Callback(HWND window, UINT message, LPARAM param, LPARAM self);

    BROWSEINFOW info_{};
    wchar_t displayName_[MAX_PATH] = {};
    std::wstring title_;
    std::wstring path_;
    HWND window_ = nullptr;  // not owned: the shell's
};

// Opens on a folder and shows the selected folder as status text.
class CSBDestination : public CBrowseForFolder {
public:
    CSBDestination(HWND owner, const std::wstring& title, UINT flags) : CBrowseForFolder(owner, title, flags) {}
    ~CSBDestination() override = default;

    void SetInitialFolder(const std::wstring& folder) { initialFolder_ = folder; }

protected:
    void OnInit() override;
    void OnSelChanged(PCIDLIST_ABSOLUTE item) override;

private:
    std::wstring initialFolder_;
};

// The browser above owner (not owned, may be null), opening on path; true and
// path set to the chosen folder, false and path unchanged when cancelled. COM
// must be initialised on the thread.
bool BrowseForFolder(HWND owner, std::wstring& path, const std::wstring& title);

// The real user interface: message boxes, the progress dialog, the pages and
// prompts, all owned by the window given as owner.
#pragma once

#include "dialogs/ProgressDlg.h"
#include "dialogs/SetupUi.h"

#include <functional>
#include <memory>

class WindowsUi : public SetupUi {
public:
    // The window the dialogs stay above (not owned); null for none.
    void SetOwner(HWND owner) { owner_ = owner; }
    HWND Owner() const { return owner_; }

    // Where lines for the setup log go (a dialog that had to be shown another
    // way); nothing when not set.
    std::function<void(const std::wstring&)> reporter;

    int ShowMessage(UINT stringId, const std::wstring& text, UINT flags, const std::wstring& caption) override;

    void BeginProgress(int total) override;
    void ShowProgressFile(const std::wstring& source, const std::wstring& dest) override;
    void StepProgress() override;
    bool ProgressCancelled() override;
    void EndProgress() override;

    int AskReplaceOldData(const std::wstring& packageName, const std::wstring& folder, bool hide,
                          bool& applyToAll) override;
    int ChooseLanguage(const std::wstring& scriptPath, int& language) override;
    int ShowOptionsPage(InstallRun& run, std::wstring& installDir, const std::wstring& sourceDir,
                        const std::wstring& scriptFile, CIEArray& elements, const FileList& sourceFiles) override;
    bool BrowseForFolder(std::wstring& path, const std::wstring& title) override;
    int EditPath(InstallRun& run, CIEArray& elements, const FileList& sourceFiles, std::size_t index,
                 const std::wstring& caption, std::wstring& path) override;
    int ShowDotNetMissing(const std::wstring& versionText, const std::wstring& downloadUrl) override;

private:
    // The window a dialog opened now stays above: the active one (a page that
    // opens a path dialog), else the owner.
    HWND DialogOwner() const;

    HWND owner_ = nullptr;                   // not owned
    std::unique_ptr<CProgressDlg> progress_;  // while a copy runs; its window goes with it
};

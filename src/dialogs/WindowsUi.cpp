#include "dialogs/WindowsUi.h"

#include "dialogs/DeleteOldProductDataDlg.h"
#include "dialogs/DotNetFrameworkDlg.h"
#include "dialogs/EditPath.h"
#include "dialogs/FolderBrowser.h"
#include "dialogs/LanguageDlg.h"
#include "dialogs/SetupOptions.h"

HWND WindowsUi::DialogOwner() const
{
    HWND active = ::GetActiveWindow();
    return active ? active : owner_;
}

int WindowsUi::ShowMessage(UINT, const std::wstring& text, UINT flags, const std::wstring& caption)
{
    const std::wstring title = caption.empty() ? fw::AppName() : caption;
    return ::MessageBoxW(DialogOwner(), text.c_str(), title.c_str(), flags);
}

void WindowsUi::BeginProgress(int total)
{
    // A dialog that cannot be created must not stop the copy as if the user had
    // cancelled it: a language library without the template gives way to the
    // program's own, and without any the copy goes on unseen.
    progress_ = std::make_unique<CProgressDlg>(Resources(), owner_);
    if (!progress_->Create()) {
        progress_.reset();
        if (Resources()) {
            progress_ = std::make_unique<CProgressDlg>(nullptr, owner_);
            if (!progress_->Create()) progress_.reset();
        }
        if (reporter)
            reporter(progress_ ? L"the language library holds no progress dialog: the program's own is shown"
                               : L"the progress dialog cannot be created: the copy goes on without it");
    }
    if (!progress_) return;
    progress_->SetTotal(total);
    progress_->SetStep(1);
}

void WindowsUi::ShowProgressFile(const std::wstring& source, const std::wstring& dest)
{
    if (progress_) progress_->ShowNames(source, dest);
}

void WindowsUi::StepProgress()
{
    if (progress_) progress_->Step();
}

bool WindowsUi::ProgressCancelled()
{
    return progress_ && progress_->Cancelled();
}

void WindowsUi::EndProgress()
{
    if (!progress_) return;
    progress_->Destroy();
    progress_.reset();
}

int WindowsUi::AskReplaceOldData(const std::wstring& packageName, const std::wstring& folder, bool hide,
                                 bool& applyToAll)
{
    DeleteOldProductDataDlg dialog(Resources(), packageName, folder, owner_, hide);
    const INT_PTR result = dialog.DoModal();
    applyToAll = dialog.applyToAll != 0;
    return result == IDOK ? IDYES : IDNO;
}

int WindowsUi::ChooseLanguage(const std::wstring& scriptPath, int& language)
{
    // Above the backdrop, so a click on it cannot hide the page.
    CLanguageDlg page(Resources(), scriptPath, language, owner_);
    const INT_PTR result = page.DoModal();
    if (result == IDOK) language = page.resultLanguage;
    return static_cast<int>(result);
}

int WindowsUi::ShowOptionsPage(InstallRun& run, std::wstring& installDir, const std::wstring& sourceDir,
                               const std::wstring& scriptFile, CIEArray& elements, const FileList& sourceFiles)
{
    CSetupOptions page(*this, run, installDir, sourceDir, scriptFile, elements, sourceFiles, owner_);
    const INT_PTR result = page.DoModal();
    if (result == IDOK) installDir = page.installDir;
    return static_cast<int>(result);
}

bool WindowsUi::BrowseForFolder(std::wstring& path, const std::wstring& title)
{
    return ::BrowseForFolder(DialogOwner(), path, title);
}

int WindowsUi::EditPath(InstallRun& run, CIEArray& elements, const FileList& sourceFiles, std::size_t index,
                        const std::wstring& caption, std::wstring& path)
{
    CEditPath dialog(Resources(), run, elements, sourceFiles, index, DialogOwner());
    dialog.caption = caption;
    dialog.newPath = path;
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK) path = dialog.newPath;
    return static_cast<int>(result);
}

int WindowsUi::ShowDotNetMissing(const std::wstring& versionText, const std::wstring& downloadUrl)
{
    DotNetFrameworkDlg dialog(Resources(), versionText, downloadUrl, owner_);
    // A prompt that cannot be shown must not let the run go on without the framework.
    const INT_PTR result = dialog.DoModal();
    return result == -1 ? IDCANCEL : static_cast<int>(result);
}

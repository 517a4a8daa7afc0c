#include "dialogs/WindowsUi.h"

#include "dialogs/DeleteOldProductDataDlg.h"
#include "dialogs/DotNetFramework.h"

namespace {

// A page whose dialog is not built into this program yet: the run cannot show it.
constexpr int kNoDialog = -1;

}  // namespace

int WindowsUi::ShowMessage(UINT, const std::wstring& text, UINT flags, const std::wstring& caption)
{
    const std::wstring title = caption.empty() ? fw::AppName() : caption;
    HWND owner = ::GetActiveWindow();
    if (!owner) owner = owner_;
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

void WindowsUi::BeginProgress(int total)
{
    progress_ = std::make_unique<CProgressDlg>(Resources(), owner_);
    progress_->Create();
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

int WindowsUi::ChooseLanguage(const std::wstring&, int&)
{
    return kNoDialog;
}

int WindowsUi::ShowOptionsPage(std::wstring&, const std::wstring&, const std::wstring&, CIEArray&, const FileList&)
{
    return kNoDialog;
}

bool WindowsUi::BrowseForFolder(std::wstring&, const std::wstring&)
{
    return false;
}

int WindowsUi::EditPath(CIEArray&, std::size_t, const std::wstring&, std::wstring&)
{
    return kNoDialog;
}

int WindowsUi::ShowDotNetMissing(const std::wstring& versionText, const std::wstring& downloadUrl)
{
    DotNetFrameworkDlg dialog(Resources(), versionText, downloadUrl, owner_);
    // A prompt that cannot be shown must not let the run go on without the framework.
    const INT_PTR result = dialog.DoModal();
    return result == -1 ? IDCANCEL : static_cast<int>(result);
}

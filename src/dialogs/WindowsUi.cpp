#include "dialogs/WindowsUi.h"

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

int WindowsUi::AskReplaceOldData(const std::wstring&, const std::wstring&, bool, bool& applyToAll)
{
    applyToAll = false;
    return kNoDialog;
}

int WindowsUi::ChooseLanguage(const std::wstring&, int&)
{
    return kNoDialog;
}

int WindowsUi::ShowOptionsPage(InstallRun&, std::wstring&, const std::wstring&, const std::wstring&, CIEArray&, const FileList&)
{
    return kNoDialog;
}

bool WindowsUi::BrowseForFolder(std::wstring&, const std::wstring&)
{
    return false;
}

int WindowsUi::EditPath(InstallRun&, CIEArray&, std::size_t, const std::wstring&, std::wstring&)
{
    return kNoDialog;
}

int WindowsUi::ShowDotNetMissing(const std::wstring&, const std::wstring&)
{
    return IDCANCEL;
}

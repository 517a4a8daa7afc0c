#include "support/ScriptedUi.h"

namespace {
int FirstButton(UINT flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}
}  // namespace

ScriptedUi::~ScriptedUi()
{
    EndProgress();
}

int ScriptedUi::ShowMessage(UINT stringId, const std::wstring& text, UINT flags, const std::wstring& caption)
{
    messages.push_back({stringId, text, flags, caption});
    if (onMessage) onMessage(messages.back());
    if (answers_.empty()) return FirstButton(flags);
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ScriptedUi::BeginProgress(int total)
{
    progressTotal = total;
    progressSteps = 0;
    progressEnded = false;
    if (!realProgress) return;
    progress_ = std::make_unique<CProgressDlg>(Resources(), nullptr);
    progress_->Create();
    progress_->SetTotal(total);
    progress_->SetStep(1);
}

void ScriptedUi::ShowProgressFile(const std::wstring& source, const std::wstring& dest)
{
    progressFiles.push_back(dest);
    if (progress_) progress_->ShowNames(source, dest);
}

void ScriptedUi::StepProgress()
{
    ++progressSteps;
    if (progress_) progress_->Step();
}

bool ScriptedUi::ProgressCancelled()
{
    if (progress_) return progress_->Cancelled();
    return cancelAfterSteps >= 0 && progressSteps >= cancelAfterSteps;
}

void ScriptedUi::EndProgress()
{
    progressEnded = true;
    if (!progress_) return;
    progress_->Destroy();
    progress_.reset();
}

int ScriptedUi::AskReplaceOldData(const std::wstring& packageName, const std::wstring& folder, bool hide,
                                  bool& applyToAll)
{
    replaceQuestions.push_back({packageName, folder, hide});
    applyToAll = replaceApplyToAll;
    if (replaceAnswers.empty()) return IDYES;
    const int answer = replaceAnswers.front();
    replaceAnswers.pop_front();
    return answer;
}

int ScriptedUi::ChooseLanguage(const std::wstring& scriptPath, int& language)
{
    ++pagesShown;
    return onLanguagePage ? onLanguagePage(scriptPath, language) : IDCANCEL;
}

int ScriptedUi::ShowOptionsPage(InstallRun&, std::wstring& installDir, const std::wstring&, const std::wstring&,
                                CIEArray& elements, const FileList&)
{
    ++pagesShown;
    return onOptionsPage ? onOptionsPage(installDir, elements) : IDCANCEL;
}

bool ScriptedUi::BrowseForFolder(std::wstring& path, const std::wstring& title)
{
    ++pagesShown;
    return onBrowseForFolder ? onBrowseForFolder(path, title) : false;
}

int ScriptedUi::EditPath(InstallRun&, CIEArray&, const FileList&, std::size_t, const std::wstring& caption,
                         std::wstring& path)
{
    ++pagesShown;
    return onEditPath ? onEditPath(path, caption) : IDCANCEL;
}

int ScriptedUi::ShowDotNetMissing(const std::wstring& versionText, const std::wstring& downloadUrl)
{
    ++pagesShown;
    return onDotNetPrompt ? onDotNetPrompt(versionText, downloadUrl) : IDCANCEL;
}

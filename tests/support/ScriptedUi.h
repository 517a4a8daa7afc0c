// The user, scripted: answers queued in advance, every question recorded.
#pragma once

#include "dialogs/ProgressDlg.h"
#include "dialogs/SetupUi.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct AskedMessage {
    UINT stringId;
    std::wstring text;
    UINT flags;
    std::wstring caption;
};

struct AskedReplace {
    std::wstring packageName;
    std::wstring folder;
    bool hide;
};

class ScriptedUi : public SetupUi {
public:
    ~ScriptedUi() override;

    // The next message box is answered with this (IDOK, IDRETRY, ...). Without a
    // queued answer a box gets its first button: IDOK, IDABORT, IDYES, IDRETRY.
    void Answer(int result) { answers_.push_back(result); }
    int ShowMessage(UINT stringId, const std::wstring& text, UINT flags, const std::wstring& caption) override;

    // Progress is recorded; cancelAfterSteps >= 0 reports a cancel once that many
    // steps were taken. With realProgress the real progress dialog is shown instead.
    void BeginProgress(int total) override;
    void ShowProgressFile(const std::wstring& source, const std::wstring& dest) override;
    void StepProgress() override;
    bool ProgressCancelled() override;
    void EndProgress() override;

    // Answered from replaceAnswers (IDYES when empty) with replaceApplyToAll.
    int AskReplaceOldData(const std::wstring& packageName, const std::wstring& folder, bool hide,
                          bool& applyToAll) override;

    // Each page runs its handler when one is set, else answers IDCANCEL.
    int ChooseLanguage(const std::wstring& scriptPath, int& language) override;
    int ShowOptionsPage(InstallRun& run, std::wstring& installDir, const std::wstring& sourceDir,
                        const std::wstring& scriptFile, CIEArray& elements, const FileList& sourceFiles) override;
    // Answered by onBrowseForFolder (false, path unchanged, without one).
    bool BrowseForFolder(std::wstring& path, const std::wstring& title) override;
    // Answered by onEditPath (IDCANCEL without one).
    int EditPath(InstallRun& run, CIEArray& elements, const FileList& sourceFiles, std::size_t index,
                 const std::wstring& caption, std::wstring& path) override;
    int ShowDotNetMissing(const std::wstring& versionText, const std::wstring& downloadUrl) override;

    std::vector<AskedMessage> messages;
    // Runs while a box is up, before it is answered: the user acting meanwhile.
    std::function<void(const AskedMessage&)> onMessage;

    bool realProgress = false;
    int cancelAfterSteps = -1;
    int progressTotal = -1;   // given to BeginProgress; -1: never begun
    int progressSteps = 0;
    bool progressEnded = false;
    std::vector<std::wstring> progressFiles;  // destinations shown

    std::deque<int> replaceAnswers;
    bool replaceApplyToAll = false;
    std::vector<AskedReplace> replaceQuestions;

    std::function<int(const std::wstring& scriptPath, int& language)> onLanguagePage;
    std::function<int(std::wstring& installDir, CIEArray& elements)> onOptionsPage;
    std::function<int(const std::wstring& versionText, const std::wstring& downloadUrl)> onDotNetPrompt;
    std::function<bool(std::wstring& path, const std::wstring& title)> onBrowseForFolder;
    std::function<int(std::wstring& path, const std::wstring& caption)> onEditPath;
    int pagesShown = 0;

private:
    std::deque<int> answers_;
    std::unique_ptr<CProgressDlg> progress_;
};

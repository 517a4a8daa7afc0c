// The user interface of a quiet run: no box and no page ever waits for a person.
// Each message that would be shown goes to the setup log with the answer taken
// instead; progress is still shown by the real interface.
#pragma once

#include "dialogs/SetupUi.h"

class SetupLog;

class QuietUi : public SetupUi {
public:
    // shown (not owned) shows the progress; log (not owned) takes the messages.
    QuietUi(SetupUi& shown, SetupLog& log) : shown_(shown), log_(log) {}

    // The answer a quiet run takes for a box with these buttons: OK, Ignore, No, Cancel.
    static int DefaultAnswer(UINT flags);

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
    void Page(const wchar_t* name);

    SetupUi& shown_;
    SetupLog& log_;
};

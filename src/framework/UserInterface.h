// The one way the program reaches the user: message boxes and copy progress.
// The program passes the real implementation down to whatever asks; tests pass a
// scripted one that answers and records. Layers above add their own questions
// (files/InstallUi.h, dialogs/SetupUi.h).
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A message box. stringId is the string-table id the text came from, 0 for a
    // fixed text; flags are MB_* buttons and icon; an empty caption stands for the
    // program's name. Returns IDOK, IDCANCEL, ...
    virtual int ShowMessage(UINT stringId, const std::wstring& text, UINT flags,
                            const std::wstring& caption) = 0;

    // Copy progress: a dialog that shows which file goes where and lets the user
    // stop. total counts the steps to come.
    virtual void BeginProgress(int total) = 0;
    // The file being copied now (shown before the copy starts).
    virtual void ShowProgressFile(const std::wstring& source, const std::wstring& dest) = 0;
    // One file done.
    virtual void StepProgress() = 0;
    // True once the user asked to stop (or the progress window is gone).
    virtual bool ProgressCancelled() = 0;
    virtual void EndProgress() = 0;

    // Strings and dialog templates come from this module: the program itself
    // (null) or the language library. Not owned.
    HINSTANCE Resources() const { return resources_; }
    void UseResources(HINSTANCE module) { resources_ = module; }

    std::wstring LoadStr(UINT id) const;
    // A fixed text, captioned with the program's name.
    int Message(const std::wstring& text, UINT flags);
    // String id with "%1"/"%2" inserted.
    int MessageId(UINT id, UINT flags, const std::wstring& arg1 = std::wstring(),
                  const std::wstring& arg2 = std::wstring());

private:
    HINSTANCE resources_ = nullptr;  // not owned
};

// The program file's name without folder and extension: the caption of every box.
std::wstring AppName();

// The full path of the running program; false (and empty) when the platform
// cannot give it whole.
bool ProgramPath(std::wstring& path);

}  // namespace fw

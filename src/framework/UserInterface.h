// The one way the program reaches the user. The program installs the real
// implementation; tests install a scripted one that answers and records.
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
};

// Message boxes on the screen, owned by the active window, captioned with the
// program's name.
class WindowsUserInterface : public UserInterface {
public:
    int ShowMessage(UINT stringId, const std::wstring& text, UINT flags,
                    const std::wstring& caption) override;
};

// The run-wide interface; the real one unless a test set another.
UserInterface& Ui();
// ui is not owned; null restores the real one.
void SetUi(UserInterface* ui);

// The program file's name without folder and extension: the caption of every box.
std::wstring AppName();

// Shows a fixed text.
int Message(const std::wstring& text, UINT flags);
// Shows string id with "%1"/"%2" inserted.
int MessageId(UINT id, UINT flags, const std::wstring& arg1 = std::wstring(),
              const std::wstring& arg2 = std::wstring());

}  // namespace fw

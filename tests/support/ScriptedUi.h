// The user, scripted: answers queued in advance, every question recorded.
#pragma once

#include "framework/UserInterface.h"

#include <deque>
#include <string>
#include <vector>

struct AskedMessage {
    UINT stringId;
    std::wstring text;
    UINT flags;
    std::wstring caption;
};

class ScriptedUi : public fw::UserInterface {
public:
    ScriptedUi() { fw::SetUi(this); }
    ~ScriptedUi() override { fw::SetUi(nullptr); }

    // The next message box is answered with this (IDOK, IDRETRY, ...). Without a
    // queued answer a box gets its first button: IDOK, IDABORT, IDYES, IDRETRY.
    void Answer(int result) { answers_.push_back(result); }

    int ShowMessage(UINT stringId, const std::wstring& text, UINT flags, const std::wstring& caption) override;

    std::vector<AskedMessage> messages;

private:
    std::deque<int> answers_;
};

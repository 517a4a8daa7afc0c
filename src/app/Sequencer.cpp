#include "app/Sequencer.h"

#include "app/SetupState.h"
#include "dialogs/SetupUi.h"

#include <cwchar>
#include <cwctype>

namespace {

// SETUP_HOLD_MS keeps the backdrop up for that many milliseconds before the run
// ends, so that a demo or a test can look at it.
UINT HoldMilliseconds()
{
    wchar_t value[16] = {};
    DWORD length = ::GetEnvironmentVariableW(L"SETUP_HOLD_MS", value, 16);
    if (length == 0 || length >= 16 || !std::iswdigit(value[0])) return 0;
    unsigned long ms = std::wcstoul(value, nullptr, 10);
    return ms > 600000 ? 600000 : static_cast<UINT>(ms);
}

}  // namespace

Sequencer::Sequencer(SetupState& state, const ModulePaths& paths, SetupUi& ui)
    : state_(state), paths_(paths), ui_(ui), run_(ui)
{
}

Sequencer::~Sequencer()
{
    // Nothing may look up a string in the library once it is freed.
    if (language_.Module() && ui_.Resources() == language_.Module()) ui_.UseResources(nullptr);
}

void Sequencer::StartRun()
{
    inStep_ = true;
    // The install steps come here.
    inStep_ = false;
    if (window_) window_->PostFinishRun(FinishValue(), HoldMilliseconds());
}

WPARAM Sequencer::FinishValue() const
{
    int value = run_.runResult;
    if (value == kRunCopying && run_.restartNeeded) value = kRunDoneRestartNeeded;
    return static_cast<WPARAM>(value);
}

void Sequencer::FinishRun()
{
    if (finishing_) return;  // a close came first; the end runs once
    finishing_ = true;
    state_.busy = false;
    if (window_) window_->PostQuitCommand();
}

bool Sequencer::CloseRequested()
{
    if (inStep_ || state_.busy) return false;
    FinishRun();
    return false;  // the quit command ends the program; the window goes with it
}

bool Sequencer::Busy() const
{
    return state_.busy;
}

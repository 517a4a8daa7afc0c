#include "app/Sequencer.h"

#include "app/Countries.h"
#include "app/ScriptFiles.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "dialogs/SetupUi.h"
#include "files/engine/Refusals.h"
#include "platform/PathUtil.h"
#include "platform/Process.h"
#include "platform/ReadableFile.h"
#include "platform/Win32Error.h"

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

Sequencer::Sequencer(SetupState& state, const ModulePaths& paths, SetupUi& ui, SetupLog& log)
    : state_(state), paths_(paths), ui_(ui), log_(log), run_(ui), started_(::GetTickCount64())
{
    run_.reporter = [this](const std::wstring& line) { log_.Write(line); };
}

Sequencer::~Sequencer()
{
    // Nothing may look up a string in the library once it is freed.
    if (language_.Module() && ui_.Resources() == language_.Module()) ui_.UseResources(nullptr);
}

void Sequencer::StartRun()
{
    inStep_ = true;
    if (ScriptFilesReadable() && LanguageStep()) RunSetup();
    inStep_ = false;
    WriteSummary();
    log_.WriteExitCode(ExitCode());
    if (window_) window_->PostFinishRun(FinishValue(), HoldMilliseconds());
}

bool Sequencer::ReadableOrMissing(const std::wstring& what, const std::wstring& path)
{
    const FileRead read = ReadableFile(path);
    if (read.found == FileFound::Readable || read.found == FileFound::Missing) return true;
    const std::wstring text = what + L" " + path + L" cannot be read" +
                              (read.found == FileFound::Folder ? std::wstring(L": it is a folder") : ErrorSuffix(read.error));
    Fail(text);
    return false;
}

bool Sequencer::ScriptFilesReadable()
{
    if (paths_.moduleDir.empty()) return true;  // FindSource says so
    // The program's own script (billboard list, languages) is setup.inf when the
    // program is setup.exe; renamed, it has one of its own besides.
    const std::wstring setupInfo = paths_.moduleDir + kSetupInfoFile;
    if (!ReadableOrMissing(L"the setup script", setupInfo)) return false;
    if (FileNameKey(paths_.scriptPath) != FileNameKey(setupInfo) && !ReadableOrMissing(L"the setup script", paths_.scriptPath))
        return false;
    return ReadableOrMissing(L"the data script", paths_.moduleDir + kDataScriptFile);
}

bool Sequencer::LanguageStep()
{
    if (!state_.silent) {
        int chosen = state_.language;
        if (ui_.ChooseLanguage(paths_.scriptPath, chosen) == IDOK) state_.language = chosen;
    }
    if (!IsSupportedLanguage(state_.language)) state_.language = kFallbackLanguage;
    if (state_.language != kGermanLanguage) {
        const std::wstring library = paths_.moduleDir + LanguageLibrary::FileName(state_.language);
        if (!ReadableOrMissing(L"the language library", library)) return false;
        const bool loaded = language_.Load(paths_.moduleDir, state_.language);
        const DWORD error = language_.LoadError();
        if (loaded) {
            ui_.UseResources(language_.Module());
            log_.Write(L"language library " + LanguageLibrary::FileName(state_.language));
        } else if (IsMissingFileError(error)) {
            ui_.Message(L"Language could not be loaded.\nProceeding in german.", MB_OK);
            state_.language = 0;
        } else {
            // There, but not a library the program can take its texts from.
            const std::wstring text = L"the language library " + library + L" cannot be read" + ErrorSuffix(error);
            Fail(text);
            return false;
        }
    }
    state_.uiLanguage = state_.language;
    return true;
}

WPARAM Sequencer::FinishValue() const
{
    int value = run_.Result();
    if (value == kRunCopying && run_.RestartNeeded()) value = kRunDoneRestartNeeded;
    return static_cast<WPARAM>(value);
}

void Sequencer::FinishRun()
{
    if (finishing_) return;  // a close came first; the end runs once
    finishing_ = true;
    state_.busy = false;
    if (HWND owner = Owner()) {
        ::SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetActiveWindow(owner);
    }
    // Quoted, so that a setup folder with blanks cannot start another program.
    if (!paths_.moduleDir.empty()) {
        const std::wstring program = paths_.moduleDir + L"PostSetup.exe";
        DWORD error = 0;
        // The run is done and its exit code stands; the administrator still learns of it.
        if (!StartProcess(QuoteArgument(program) + L" " + QuoteArgument(paths_.moduleDir), std::wstring(), &error))
            log_.Write(L"the follow-up program " + program + L" could not be started" + ErrorCodeSuffix(error));
    }
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

void Sequencer::End(EarlyEnd end, const std::wstring& why)
{
    earlyEnd_ = end;
    log_.Write(L"the run ends: " + why);
}

void Sequencer::Fail(const std::wstring& text)
{
    ui_.Message(text, MB_ICONERROR | MB_OK);
    End(EarlyEnd::Failed, text);
}

int Sequencer::ExitCode() const
{
    if (earlyEnd_ == EarlyEnd::Cancelled) return kExitCancelled;
    if (earlyEnd_ == EarlyEnd::Failed) return kExitFailed;
    if (copyStopped_) return kExitCancelled;
    if (notRecorded_ || runLogLost_ || run_.Refused()) return kExitFailed;
    for (std::size_t i = 1; i <= SummarisedPackages(); ++i)
        if (OutcomeFailsRun(state_.elements[i]->outcome, state_.quiet)) return kExitFailed;
    if (run_.Result() == kRunNotStarted || run_.Result() == kRunFailed) return kExitFailed;
    return run_.RestartNeeded() ? kExitRestartNeeded : kExitInstalled;
}

std::wstring NormaliseInstallDir(std::wstring installDir)
{
    if (!installDir.empty() && installDir.back() == L'\\') installDir.pop_back();
    const std::wstring obj = L"\\obj";
    if (installDir.size() >= obj.size() &&
        ::CompareStringOrdinal(installDir.c_str() + installDir.size() - obj.size(), static_cast<int>(obj.size()),
                               obj.c_str(), static_cast<int>(obj.size()), TRUE) == CSTR_EQUAL)
        installDir.erase(installDir.size() - obj.size());
    if (!installDir.empty() && installDir.back() == L':') installDir += L'\\';
    return installDir;
}

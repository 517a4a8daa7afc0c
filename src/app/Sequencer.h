// The run itself: the steps from the start command (123) to the end message
// (0x47B) and the quit command (125). The sequencer owns the objects of one run
// (the copy engine's run, the language library) and passes each step what it
// uses; the setup state belongs to the application object.
#pragma once

#include "app/LanguageLibrary.h"
#include "app/MainWindow.h"
#include "app/PackageChoice.h"
#include "app/RunSummary.h"
#include "catalogue/FirmenArray.h"
#include "files/run/InstallRun.h"

#include <string>
#include <vector>

class SetupLog;
class SetupUi;
struct SetupState;

// Exit codes of the program, as installers on Windows report them.
constexpr int kExitInstalled = 0;
constexpr int kExitRestartNeeded = 3010;
constexpr int kExitCancelled = 1602;
constexpr int kExitFailed = 1603;
constexpr int kExitAnotherRun = 1618;

// The three paths derived from the program's file name.
struct ModulePaths {
    std::wstring modulePath;
    std::wstring scriptPath;
    std::wstring moduleDir;
};

class Sequencer : public BackdropEvents {
public:
    // state, paths, ui and log are not owned and outlive the sequencer.
    Sequencer(SetupState& state, const ModulePaths& paths, SetupUi& ui, SetupLog& log);
    ~Sequencer() override;
    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

    // The backdrop the run reports to (not owned).
    void Attach(CMainWindow* window) { window_ = window; }

    // Command 123: the language step, the run, then 0x47B.
    void StartRun() override;
    // Message 0x47B: the follow-up program, then command 125.
    void FinishRun() override;
    // The backdrop is asked to close: refused while a step runs; otherwise the
    // end of the run takes place. True when the window may close now.
    bool CloseRequested() override;
    bool Busy() const override;
    // The run's outcome: installed (0, or 3010 with a restart), cancelled by the
    // user (1602) or ended on an error (1603).
    int ExitCode() const override;

    // The steps; each returns to StartRun when the run ends early. False, after
    // the message and the end: a script file or the language library is there
    // but cannot be read.
    bool ScriptFilesReadable();
    bool LanguageStep();
    void RunSetup();
    // The install phase; each package ends with its outcome.
    void PerformInstall();

    InstallRun& Run() { return run_; }
    const ModulePaths& Paths() const { return paths_; }

private:
    // The wParam of 0x47B: the run's result, 2 when a restart is needed.
    WPARAM FinishValue() const;
    HWND Owner() const { return window_ ? window_->Handle() : nullptr; }

    // How the run ended before the copy, when it did.
    enum class EarlyEnd { None, Cancelled, Failed };
    void End(EarlyEnd end, const std::wstring& why);
    // The run fails before the copy: the user is told text, and the setup log
    // has it as the run's end.
    void Fail(const std::wstring& text);

    // False, after the message and the end, when what stands at path cannot be
    // read; a file that is missing is left to the step that reads it.
    bool ReadableOrMissing(const std::wstring& what, const std::wstring& path);

    // RunSetup's parts.
    bool FindSource();
    // False, after the message and the end, when sourceDir is no folder.
    bool SourceFolderThere();
    // Tells the log what the medium's catalogue offers; false, after the end,
    // when it is there but cannot be read, or offers no package in a silent run.
    bool TellCatalogue();
    // False, after the message and the end, when the setup log is one of the
    // files the install phase writes (its folder is known only now).
    bool LogApartFromInstall();
    // False, after the message and the end, when the administration file is
    // a file link or has more than one name.
    bool ReadAdministration();
    void SetDestinations();
    // A user's data base path kept by a stopped run goes back into the
    // administration file, once the run has been refused nothing (or ends by
    // the user's choice).
    void PutBackKeptPath();
    bool ConfirmOldData();

    // The command line's choices (CommandChoices.cpp). The packages asked for
    // with /M; false, after the message and the end, when the list is empty or
    // a name matches no package offered.
    bool KnowPackageNames();
    // Ticks exactly the packages asked for (all without /M).
    void TakePackageChoice();
    // /P becomes the installation folder, every package's folder below it;
    // false, after the message and the end, when the folder is refused: not a
    // usable full path, or on the installation medium.
    bool TakeInstallFolder();
    // A silent run was to install every package, or those of /M: a package the
    // catalogue left out for its folder name, and one whose DTBPath folder name
    // is replaced by its folder key, make the run fail (SourceChecks.cpp).
    void RefuseWhatCannotBeInstalled();
    // A silent run with /P: false, after the message and the end, when a drive
    // lacks the space the selected elements need.
    bool RoomInInstallFolder();
    void RefuseInstallFolder(const std::wstring& why);

    // The summary (RunSummary.h), from each package's outcome as the steps set it.
    void NoteSelection();
    std::size_t SummarisedPackages() const;
    void WriteSummary();

    SetupState& state_;
    const ModulePaths& paths_;
    SetupUi& ui_;
    SetupLog& log_;
    CMainWindow* window_ = nullptr;  // not owned
    InstallRun run_;
    LanguageLibrary language_;
    bool inStep_ = false;    // inside the command 123 handler
    bool finishing_ = false; // the end of the run took place: the quit is on its way
    EarlyEnd earlyEnd_ = EarlyEnd::None;
    bool copyStopped_ = false;  // the user stopped the copy (Cancel, Abort)
    bool notRecorded_ = false;  // copied, but the administration file could not be written
    bool runLogLost_ = false;   // the run's uninstall log lost lines

    PackageChoice choice_;
    std::vector<LeftOutPackage> leftOut_;     // packages of the catalogue not offered
    bool keptPathDue_ = false;                // the administration file is known; a kept path may go back
    bool packagesKnown_ = false;              // the summary has a line for each package
    unsigned long long started_ = 0;          // tick count at the start
};

// installDir without one trailing backslash, without a last "\obj" (any case),
// and with a backslash after a bare drive ("C:" gives "C:\").
std::wstring NormaliseInstallDir(std::wstring installDir);

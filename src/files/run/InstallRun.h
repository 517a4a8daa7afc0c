// The run-wide pieces of the copy engine, created by the sequencer for one run
// and passed to every step that copies or records: the copy log with its
// per-file batching, the run's uninstall log, the temporary-name counter, the
// run's outcome, the system kind and Windows folder, and the user
// interface that answers for the engine.
#pragma once

#include "files/logs/CopyLog.h"
#include "files/logs/UninstallLog.h"
#include "framework/UserInterface.h"
#include "platform/FileCopy.h"
#include "platform/FolderCache.h"
#include "platform/FolderLinks.h"
#include "platform/SystemInfo.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class FileList;

// Outcome of the run as the end of the run reports it.
enum RunResult : int {
    kRunNotStarted = -1,        // the copy phase never began
    kRunFailed = 0,             // cancelled, or a file was not installed
    kRunCopying = 1,            // the copy phase began (and nothing failed)
    kRunDoneRestartNeeded = 2,  // finished; a file is replaced at the next start
};

// What the copy did with the files, counted where it decides, for the summary
// at the end of the run.
struct RunTotals {
    unsigned long long copied = 0;     // written to their destination
    unsigned long long inPlace = 0;    // left as they were: already the medium's file, or newer
    unsigned long long scheduled = 0;  // replaced at the next restart
    unsigned long long bytesCopied = 0;  // of the files copied
    unsigned long long notInstalled = 0; // files the run was to install and did not
    std::vector<std::wstring> named;     // the first of those, each with why
};

class InstallRun {
public:
    // ui is not owned and outlives the run.
    explicit InstallRun(fw::UserInterface& userInterface)
        : ui(userInterface), systemKind(CurrentSystemKind()), windowsFolder(QueryWindowsFolder()) {}
    InstallRun(const InstallRun&) = delete;
    InstallRun& operator=(const InstallRun&) = delete;
    // Writes what the copy log still holds and closes both logs.
    ~InstallRun();

    // The outcome of the run: told by the steps as it happens, read by the
    // sequencer at the end.
    //
    // The copy phase begins: the run counts as copying until a file fails.
    void BeginCopy() { runResult_ = kRunCopying; }
    // A file (or an element's files) did not go in: the run ends as failed.
    void FileNotInstalled()
    {
        runResult_ = kRunFailed;
        ++filesNotInstalled_;
    }
    // The user or an answer asked the copy to stop: nothing more is copied.
    void Cancel() { keepGoing_ = false; }
    // A file is replaced or removed at the next start of the system.
    void NeedRestart() { restartNeeded_ = true; }
    // Back to the outcome of a run that has not copied, for another copy with
    // the same run objects.
    void ResetOutcome()
    {
        runResult_ = kRunNotStarted;
        keepGoing_ = true;
        restartNeeded_ = false;
    }

    int Result() const { return runResult_; }  // a RunResult
    bool RestartNeeded() const { return restartNeeded_; }
    // How many times FileNotInstalled was told: a step compares it before and
    // after a call.
    int FilesNotInstalled() const { return filesNotInstalled_; }
    // True while neither the user nor an answer asked the copy to stop.
    bool KeepGoing() { return keepGoing_ && !ui.ProgressCancelled(); }
    // The open run log, or null.
    UninstallLog* RunLog() { return runLog.IsOpen() ? &runLog : nullptr; }

    // A line for the setup log (what the administrator reads), through the
    // reporter; nothing when no reporter is set.
    void Tell(const std::wstring& line) const;
    // Something the run was asked to do and would not, or could not do (an entry
    // of the medium refused, a folder link in the way, a step that failed):
    // told to the setup log at once ("refused: why"), and the run ends as failed
    // however the copy went.
    void Refuse(const std::wstring& why);
    bool Refused() const { return refusals_ > 0; }
    // A file the run was to install is not installed (what: its path and why),
    // for the summary, which names the first few.
    void NotInstalled(const std::wstring& what);
    // How many refusals so far: a step compares it before and after a call.
    int Refusals() const { return refusals_; }
    // Where lines for the setup log go; the sequencer points it at its log.
    std::function<void(const std::wstring&)> reporter;

    // True when path's folder did not hold path's name when the run first asked
    // about that folder (it is read once, then remembered). Such a file is
    // copied without a look-up of its own (Wine reads the whole folder to
    // answer "not there"), by a copy that will not overwrite, so a file that
    // appeared since still goes the long way.
    bool KnownMissing(const std::wstring& path);

    // The first folder link on the way from the installation folder down to
    // path (a folder); empty when there is none, when path is not below the
    // installation folder, or while that is not known yet. A folder found plain
    // is not looked at again in this run, nor is one KnownMissing. there, when
    // given: path itself was found.
    std::wstring LinkOnTheWay(const std::wstring& path, bool* there = nullptr);
    // As LinkOnTheWay, from root down.
    std::wstring LinkBelow(const std::wstring& root, const std::wstring& path, bool* there = nullptr);
    // folder was just made by the run: a plain folder, and an empty one when
    // the run first asks what it holds.
    void MadeFolder(const std::wstring& folder);
    // folder was looked at and is a plain folder, or the run already knows so.
    void FoundPlainFolder(const std::wstring& folder);
    bool KnownPlainFolder(const std::wstring& folder) const;
    // Nothing more below folder is asked about (a package is in): what the run
    // learnt there is let go, and looked at afresh if it is asked again.
    void ForgetBelow(const std::wstring& folder);
    // The copy is over: all the run learnt of folders is let go at once (a
    // folder asked about later is looked at afresh). Let go piece by piece, the
    // memory of a large medium's folders would stay with the process.
    void ForgetFolders() { folders_.Clear(); }

    fw::UserInterface& ui;
    std::wstring sourceDir;     // the installation source; whole-folder items expand below it
    // The scan of sourceDir, when the copy has one: a whole folder that it did
    // not find, or found empty, is not searched again (a search of a missing
    // folder reads its parent). Not owned.
    const FileList* sourceFiles = nullptr;
    std::wstring installDir;    // below it nothing is written through a folder link; set with the folders

    CopyLog copyLog;            // "update.log"
    UninstallLog runLog;        // ".UNINST.INF"
    unsigned tempNumber = 0;    // next temporary extension, "%03u"

    RunTotals totals;

    SystemKind systemKind;
    std::wstring windowsFolder;

    // The platform calls through which the engine moves and copies files, so
    // that a test can make them fail with the errors the system will not give
    // it on demand. The real calls unless a test says otherwise.
    std::function<BOOL(const wchar_t* from, const wchar_t* to, DWORD flags)> moveFile = ::MoveFileExW;
    std::function<BOOL(const wchar_t* from, const wchar_t* to, BOOL failIfExists)> copyFile = ::CopyFileW;
    // The engine's own copy: the source's bytes into a new file, and the
    // rename of a new file over the installed one through its handle.
    std::function<BOOL(HANDLE from, HANDLE to)> copyData = CopyFileData;
    std::function<BOOL(HANDLE file, const wchar_t* to, BOOL replace)> renameOpenFile = RenameOpenFile;

private:
    FolderCache folders_;  // the folders' listings, and which are plain
    int refusals_ = 0;
    int runResult_ = kRunNotStarted;
    int filesNotInstalled_ = 0;
    bool keepGoing_ = true;  // false once an answer asked to stop
    bool restartNeeded_ = false;
};

// What became of a package of the run, as a value: the step that decides it
// sets it on the package's element, and the setup log's package lines, the
// summary and the exit code are all made from it here.
#pragma once

#include <string>

enum class PackageState {
    NotReached,   // the run ended before the copy
    NotSelected,  // not asked for (/M, or unticked on the options page)
    OldDataKept,  // its old data was not to be replaced: not installed
    Installed,
    Refused,      // the run would not take it as the medium or the disk gives it
    Failed,       // a step did not get done
};

// The step that refused a package or at which it failed.
enum class PackageStep {
    None,
    FolderLink,           // a folder link (path) on the way to its folder
    NotTaken,             // before the copy, for reason (its folder name, its files on the medium, its log)
    FolderNotMade,        // its folder path could not be made
    LogNotWritten,        // its uninstall log path could not be written
    CopyStopped,          // the user stopped the copy
    FilesNotInstalled,    // not every one of its files went in
    // The registration after the copy:
    NotRecordable,        // for reason
    DirnameNotPlain,      // its folder name (path) is not one plain folder name
    NotOnMedium,          // its folder path is not on the medium
    FilesMissing,         // not every one of its files went in
    InstallerOutside,     // its installer (reason) lies outside the plg folder path
    InstallerNotStarted,  // its installer path could not be started
    AdminFileNotWritten,  // the administration file could not be written
    NotRecorded,          // the administration file does not record it as installed in path
};

struct PackageOutcome {
    PackageState state = PackageState::NotReached;
    PackageStep step = PackageStep::None;
    unsigned long error = 0;  // the Win32 error the step failed with
    std::wstring path;        // the folder it is in (Installed, OldDataKept), or what the step failed on
    std::wstring reason;      // what a check found (NotTaken, NotRecordable, InstallerOutside)
    bool recorded = false;    // OldDataKept: the administration file records it installed in path

    static PackageOutcome Installed(const std::wstring& folder);
    static PackageOutcome OldDataKept(const std::wstring& folder, bool recorded);
    static PackageOutcome Refused(PackageStep step, const std::wstring& path, const std::wstring& reason = {});
    static PackageOutcome Failed(PackageStep step, const std::wstring& path = {}, unsigned long error = 0);

    // Refused or failed: it is not installed and the run fails.
    bool LeftOut() const { return state == PackageState::Refused || state == PackageState::Failed; }
};

class CInstElement;

// The setup log's line of the element's refusal or failure; empty when its
// outcome has none.
std::wstring OutcomeLogLine(const CInstElement& element);
// The line of outcome, were it the element's.
std::wstring OutcomeLogLine(const CInstElement& element, const PackageOutcome& outcome);

// The summary's line of a package element: "summary: package <name>: <what
// became of it>".
std::wstring OutcomeSummaryLine(const CInstElement& element);

// Whether the outcome makes the run end on an error. quiet: nobody could say
// yes to replacing old data that was kept.
bool OutcomeFailsRun(const PackageOutcome& outcome, bool quiet);

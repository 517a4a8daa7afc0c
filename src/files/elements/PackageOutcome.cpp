#include "files/elements/PackageOutcome.h"

#include "files/elements/InstElement.h"
#include "platform/Win32Error.h"

PackageOutcome PackageOutcome::Installed(const std::wstring& folder)
{
    PackageOutcome outcome;
    outcome.state = PackageState::Installed;
    outcome.path = folder;
    return outcome;
}

PackageOutcome PackageOutcome::OldDataKept(const std::wstring& folder, bool recorded)
{
    PackageOutcome outcome;
    outcome.state = PackageState::OldDataKept;
    outcome.path = folder;
    outcome.recorded = recorded;
    return outcome;
}

PackageOutcome PackageOutcome::Refused(PackageStep step, const std::wstring& path, const std::wstring& reason)
{
    PackageOutcome outcome;
    outcome.state = PackageState::Refused;
    outcome.step = step;
    outcome.path = path;
    outcome.reason = reason;
    return outcome;
}

PackageOutcome PackageOutcome::Failed(PackageStep step, const std::wstring& path, unsigned long error)
{
    PackageOutcome outcome;
    outcome.state = PackageState::Failed;
    outcome.step = step;
    outcome.path = path;
    outcome.error = error;
    return outcome;
}

namespace {

// What the summary says after "failed: " for a package the setup log has no
// line of: the step decided it for every package at once.
std::wstring SettledText(const PackageOutcome& outcome)
{
    switch (outcome.step) {
    case PackageStep::CopyStopped: return L"the copy was stopped";
    case PackageStep::FilesNotInstalled: return L"not every one of its files was installed (see update.log)";
    case PackageStep::AdminFileNotWritten: return L"copied, but the administration file could not be written";
    case PackageStep::NotRecorded:
        return L"copied, but the administration file does not record it as installed in " + outcome.path;
    default: return std::wstring();
    }
}

}  // namespace

std::wstring OutcomeLogLine(const CInstElement& element)
{
    return OutcomeLogLine(element, element.outcome);
}

std::wstring OutcomeLogLine(const CInstElement& element, const PackageOutcome& outcome)
{
    const bool isPackage = element.package != nullptr;
    const std::wstring& name = isPackage ? element.package->name : element.displayName;
    const std::wstring package = L"package " + name + L": ";
    const wchar_t* const notRecorded = L": not recorded, its installer not started";
    switch (outcome.step) {
    case PackageStep::None: return std::wstring();
    case PackageStep::FolderLink: return L"The package " + name + L": the folder " + outcome.path + L" is a folder link";
    case PackageStep::NotTaken: return package + outcome.reason + L": not installed";
    case PackageStep::FolderNotMade:
        return (isPackage ? package : name + L": ") + L"its folder " + outcome.path + L" could not be made" +
               ErrorSuffix(outcome.error) + L": not installed";
    case PackageStep::LogNotWritten:
        return package + L"its uninstall log " + outcome.path + L" could not be written" + ErrorSuffix(outcome.error) +
               L": not recorded";
    case PackageStep::NotRecordable: return package + outcome.reason + notRecorded;
    case PackageStep::DirnameNotPlain:
        return package + L"its folder name \"" + outcome.path + L"\" is not one plain folder name" + notRecorded;
    case PackageStep::NotOnMedium: return package + L"its folder " + outcome.path + L" is not on the medium" + notRecorded;
    case PackageStep::FilesMissing: return package + L"not every one of its files was installed (see update.log)" + notRecorded;
    case PackageStep::InstallerOutside:
        return package + L"its installer \"" + outcome.reason + L"\" lies outside " + outcome.path +
               L": not started, not recorded";
    case PackageStep::InstallerNotStarted:
        return L"package installer of " + name + L" could not be started: \"" + outcome.path + L"\"" +
               ErrorSuffix(outcome.error) + L": not recorded";
    case PackageStep::CopyStopped:
    case PackageStep::FilesNotInstalled:
    case PackageStep::AdminFileNotWritten:
    case PackageStep::NotRecorded: return SettledText(outcome);
    }
    return std::wstring();
}

std::wstring OutcomeSummaryLine(const CInstElement& element)
{
    const PackageOutcome& outcome = element.outcome;
    const std::wstring& name =
        element.package && !element.package->name.empty() ? element.package->name : element.displayName;
    std::wstring text;
    switch (outcome.state) {
    case PackageState::NotReached: text = L"not installed: the run ended before the copy"; break;
    case PackageState::NotSelected: text = L"not selected"; break;
    case PackageState::OldDataKept:
        text = outcome.recorded ? L"old data kept in " + outcome.path + L", where it stays installed"
                                : L"not installed: its old data in " + outcome.path + L" was kept";
        break;
    case PackageState::Installed: text = L"installed in " + outcome.path; break;
    case PackageState::Refused:
    case PackageState::Failed: text = L"failed: " + OutcomeLogLine(element); break;
    }
    return L"summary: package " + name + L": " + text;
}

bool OutcomeFailsRun(const PackageOutcome& outcome, bool quiet)
{
    if (outcome.LeftOut()) return true;
    // Asked to install it and nobody could say yes to its old data going.
    return outcome.state == PackageState::OldDataKept && !outcome.recorded && quiet;
}

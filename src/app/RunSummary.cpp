#include "app/RunSummary.h"

#include "app/Sequencer.h"

#include <cwchar>

std::wstring ExitCodeMeaning(int exitCode)
{
    switch (exitCode) {
    case kExitInstalled: return L"installed";
    case kExitRestartNeeded: return L"installed; a file in use is replaced at the next restart: restart the machine";
    case kExitCancelled: return L"cancelled by the user";
    case kExitFailed: return L"the run ended on an error (the setup log says which)";
    case kExitAnotherRun: return L"another installation is running: try again later";
    default: return L"unknown";
    }
}

std::wstring ExitCodeLine(int exitCode)
{
    return L"summary: exit code " + std::to_wstring(exitCode) + L": " + ExitCodeMeaning(exitCode);
}

namespace {

std::wstring OutcomeText(const PackageResult& package)
{
    switch (package.outcome) {
    case PackageOutcome::NotReached: return L"not installed: the run ended before the copy";
    case PackageOutcome::NotSelected: return L"not selected";
    case PackageOutcome::OldDataKept:
        return package.recorded ? L"old data kept in " + package.folder + L", where it stays installed"
                                : L"not installed: its old data in " + package.folder + L" was kept";
    case PackageOutcome::Installed: return L"installed in " + package.folder;
    case PackageOutcome::Failed: return package.reason.empty() ? L"failed (see above)" : L"failed: " + package.reason;
    }
    return std::wstring();
}

}  // namespace

std::vector<std::wstring> SummaryLines(const std::vector<PackageResult>& packages, const RunTotals& totals,
                                       unsigned long long milliseconds, int exitCode)
{
    std::vector<std::wstring> lines;
    for (const PackageResult& package : packages)
        lines.push_back(L"summary: package " + package.name + L": " + OutcomeText(package));
    lines.push_back(L"summary: files: " + std::to_wstring(totals.copied) + L" copied, " +
                    std::to_wstring(totals.inPlace) + L" left in place (already there), " +
                    std::to_wstring(totals.scheduled) + L" scheduled for the next restart");
    for (const std::wstring& file : totals.named) lines.push_back(L"summary: file not installed: " + file);
    if (totals.notInstalled > totals.named.size())
        lines.push_back(L"summary: " + std::to_wstring(totals.notInstalled - totals.named.size()) +
                        L" more files not installed (see update.log)");
    wchar_t seconds[32];
    std::swprintf(seconds, 32, L"%.1f", static_cast<double>(milliseconds) / 1000.0);
    lines.push_back(L"summary: " + std::to_wstring(totals.bytesCopied) + L" bytes copied; the run took " + seconds +
                    L" s");
    lines.push_back(ExitCodeLine(exitCode));
    return lines;
}

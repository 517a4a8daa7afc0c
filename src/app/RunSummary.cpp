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

std::vector<std::wstring> SummaryLines(const CIEArray& elements, std::size_t packages, const RunTotals& totals,
                                       unsigned long long milliseconds, int exitCode)
{
    std::vector<std::wstring> lines;
    for (std::size_t i = 1; i <= packages && i < elements.GetSize(); ++i) lines.push_back(OutcomeSummaryLine(*elements[i]));
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

// The summary that closes the setup log, as an administrator reads it.
#include "app/RunSummary.h"

#include <gtest/gtest.h>

namespace {

TEST(RunSummary, OneLinePerPackageThenTheFilesTheTimeAndTheExitCode)
{
    std::vector<PackageResult> packages(5);
    packages[0] = {L"Lumina Leuchten", PackageOutcome::Installed, L"C:\\Data\\local\\Lumina", L""};
    packages[1] = {L"Helios Licht", PackageOutcome::OldDataKept, L"C:\\Data\\local\\Helios", L""};
    packages[2] = {L"Nordlicht Systeme", PackageOutcome::NotSelected, L"", L""};
    packages[3] = {L"Sol Architektur", PackageOutcome::Failed, L"", L"package Sol Architektur: its folder is missing"};
    packages[4] = {L"Gross", PackageOutcome::NotReached, L"", L""};
    RunTotals totals;
    totals.copied = 42;
    totals.inPlace = 3;
    totals.scheduled = 1;
    totals.bytesCopied = 5000000000ull;  // beyond 32 bits

    const std::vector<std::wstring> expected = {
        L"summary: package Lumina Leuchten: installed in C:\\Data\\local\\Lumina",
        L"summary: package Helios Licht: old data kept in C:\\Data\\local\\Helios: not installed",
        L"summary: package Nordlicht Systeme: not selected",
        L"summary: package Sol Architektur: failed: package Sol Architektur: its folder is missing",
        L"summary: package Gross: not installed: the run ended before the copy",
        L"summary: files: 42 copied, 3 left in place (already there), 1 scheduled for the next restart",
        L"summary: 5000000000 bytes copied; the run took 61.3 s",
        L"summary: exit code 1603: the run ended on an error (the setup log says which)",
    };
    EXPECT_EQ(SummaryLines(packages, totals, 61260, 1603), expected);
}

}  // namespace

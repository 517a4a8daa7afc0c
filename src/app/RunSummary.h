// The summary that closes the setup log: what became of each package, what the
// copy did, how long the run took and what its exit code means. It is what an
// administrator reads first, so every package has a line, whatever the end.
#pragma once

#include "files/run/InstallRun.h"

#include <string>
#include <vector>

enum class PackageOutcome {
    NotReached,   // the run ended before the copy
    NotSelected,  // not asked for (/M, or unticked on the options page)
    OldDataKept,  // its old data was not to be replaced: not installed
    Installed,
    Failed,       // with a reason
};

struct PackageResult {
    std::wstring name;
    PackageOutcome outcome = PackageOutcome::NotReached;
    std::wstring folder;  // Installed, OldDataKept
    std::wstring reason;  // Failed
    bool recorded = false;  // OldDataKept: the administration file records it installed in folder
};

// What the exit code tells a deployment tool, e.g. "installed; a file in use is
// replaced at the next restart: restart the machine".
std::wstring ExitCodeMeaning(int exitCode);

// "summary: exit code N: meaning".
std::wstring ExitCodeLine(int exitCode);

// The summary lines, each beginning "summary: ": one per package, the files
// copied, left in place and scheduled, the bytes copied and the time taken,
// then ExitCodeLine.
std::vector<std::wstring> SummaryLines(const std::vector<PackageResult>& packages, const RunTotals& totals,
                                       unsigned long long milliseconds, int exitCode);

// The summary that closes the setup log: what became of each package, what the
// copy did, how long the run took and what its exit code means. It is what an
// administrator reads first, so every package has a line, whatever the end.
#pragma once

#include "files/elements/InstElement.h"
#include "files/run/InstallRun.h"

#include <string>
#include <vector>

// What the exit code tells a deployment tool, e.g. "installed; a file in use is
// replaced at the next restart: restart the machine".
std::wstring ExitCodeMeaning(int exitCode);

// "summary: exit code N: meaning".
std::wstring ExitCodeLine(int exitCode);

// The summary lines, each beginning "summary: ": one per package element (the
// first packages of elements, by their outcomes), the files copied, left in
// place and scheduled, the bytes copied and the time taken, then ExitCodeLine.
std::vector<std::wstring> SummaryLines(const CIEArray& elements, std::size_t packages, const RunTotals& totals,
                                       unsigned long long milliseconds, int exitCode);

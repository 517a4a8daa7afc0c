// The packages left out by the options page or /M, and the summary that
// closes the setup log, made from each package's outcome.
#include "app/Sequencer.h"

#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "files/elements/ElementList.h"

void Sequencer::NoteSelection()
{
    const CIEArray& elements = state_.elements;
    for (std::size_t i = 1; i <= SummarisedPackages(); ++i)
        if (!elements[i]->selected) elements[i]->outcome.state = PackageState::NotSelected;
}

std::size_t Sequencer::SummarisedPackages() const
{
    return packagesKnown_ ? PackageCount(state_.elements) : 0;
}

void Sequencer::WriteSummary()
{
    const unsigned long long milliseconds = ::GetTickCount64() - started_;
    for (const std::wstring& line : SummaryLines(state_.elements, SummarisedPackages(), run_.totals, milliseconds, ExitCode()))
        log_.Write(line);
}

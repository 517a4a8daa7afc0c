// Each package's outcome, noted where a step leaves a package out, and the
// summary that closes the setup log.
#include "app/Sequencer.h"

#include "app/SetupLog.h"
#include "app/SetupState.h"

void Sequencer::NoteSelection()
{
    const CIEArray& elements = state_.elements;
    for (std::size_t i = 0; i < packages_.size() && i + 1 < elements.GetSize(); ++i)
        if (!elements[i + 1]->selected) packages_[i].outcome = PackageOutcome::NotSelected;
}

void Sequencer::NoteLeftOut(std::size_t index, PackageOutcome outcome, const std::wstring& reason)
{
    if (index == 0 || index > packages_.size()) return;
    PackageResult& package = packages_[index - 1];
    package.outcome = outcome;
    package.folder = state_.elements[index]->destination;
    package.reason = reason;
}

std::vector<int> Sequencer::PackageFlags() const
{
    std::vector<int> flags;
    for (std::size_t i = 0; i < packages_.size() && i + 1 < state_.elements.GetSize(); ++i)
        flags.push_back(state_.elements[i + 1]->selected);
    return flags;
}

void Sequencer::NoteRefused(const std::vector<int>& flagsBefore, std::size_t from)
{
    const std::vector<int> flags = PackageFlags();
    for (std::size_t i = 0; i < flags.size() && i < flagsBefore.size(); ++i)
        if (flagsBefore[i] && !flags[i])
            NoteLeftOut(i + 1, PackageOutcome::Failed, RefusalAbout(packages_[i].name, from));
}

std::wstring Sequencer::RefusalAbout(const std::wstring& name, std::size_t from) const
{
    // The refusals name a package as "package NAME:" or "package installer of NAME ".
    for (std::size_t i = from; i < refusalsTold_.size(); ++i) {
        const std::wstring& line = refusalsTold_[i];
        if (line.find(L"package " + name + L":") != std::wstring::npos ||
            line.find(L"package installer of " + name + L" ") != std::wstring::npos)
            return line;
    }
    return std::wstring();
}

void Sequencer::WriteSummary()
{
    const CIEArray& elements = state_.elements;
    for (std::size_t i = 0; i < packages_.size() && i + 1 < elements.GetSize(); ++i) {
        PackageResult& package = packages_[i];
        const CInstElement& element = *elements[i + 1];
        if (package.outcome != PackageOutcome::NotReached || !copied_ || !element.selected) continue;
        const std::wstring refusal = RefusalAbout(package.name, 0);
        package.outcome = PackageOutcome::Failed;
        if (!element.filesInPlace)
            package.reason = refusal.empty() ? L"not every one of its files was installed (see update.log)" : refusal;
        else if (notRecorded_)
            package.reason = L"copied, but the administration file could not be written";
        else if (!refusal.empty())
            package.reason = refusal;
        else
            NoteLeftOut(i + 1, PackageOutcome::Installed, std::wstring());
    }
    if (copyStopped_) {
        for (PackageResult& package : packages_)
            if (package.outcome == PackageOutcome::NotReached) {
                package.outcome = PackageOutcome::Failed;
                package.reason = L"the copy was stopped";
            }
    }
    const unsigned long long milliseconds = ::GetTickCount64() - started_;
    for (const std::wstring& line : SummaryLines(packages_, run_.totals, milliseconds, ExitCode())) log_.Write(line);
}

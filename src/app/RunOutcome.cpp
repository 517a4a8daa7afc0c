// Each package's outcome, noted where a step leaves a package out and settled
// after the run from what the steps told each element and what the
// administration file records; then the summary that closes the setup log.
#include "app/Sequencer.h"

#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "files/elements/ElementList.h"
#include "files/packages/PackageRegistration.h"
#include "platform/PathUtil.h"
#include "catalogue/FirmenArray.h"

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

void Sequencer::SettleOutcomes()
{
    if (settled_) return;
    settled_ = true;
    const CIEArray& elements = state_.elements;
    const std::size_t count = std::min(packages_.size(), PackageCount(elements));
    // What the product will see: a package counts as installed only where the
    // administration file says so.
    std::vector<bool> recorded;
    if (state_.runMode == kRunModeAdmin) {
        const std::wstring admin =
            state_.adminFile.empty() ? AdminFileIn(state_.installDir) : state_.adminFile;
        recorded = RecordedAsInstalled(admin, elements);
    }
    auto isRecorded = [&](std::size_t i) { return i < recorded.size() && recorded[i]; };
    for (std::size_t i = 0; i < count; ++i) {
        PackageResult& package = packages_[i];
        const CInstElement& element = *elements[i + 1];
        if (!element.failure.empty()) {
            NoteLeftOut(i + 1, PackageOutcome::Failed, element.failure);
            continue;
        }
        if (package.outcome == PackageOutcome::OldDataKept) {
            package.recorded = isRecorded(i);
            continue;
        }
        if (package.outcome != PackageOutcome::NotReached) continue;
        if (copyStopped_) {
            NoteLeftOut(i + 1, PackageOutcome::Failed, L"the copy was stopped");
        } else if (!copied_ || !element.selected) {
            continue;  // the run ended before the copy
        } else if (!element.filesInPlace) {
            NoteLeftOut(i + 1, PackageOutcome::Failed, L"not every one of its files was installed (see update.log)");
        } else if (notRecorded_) {
            NoteLeftOut(i + 1, PackageOutcome::Failed, L"copied, but the administration file could not be written");
        } else if (!isRecorded(i)) {
            NoteLeftOut(i + 1, PackageOutcome::Failed,
                        L"copied, but the administration file does not record it as installed in " +
                            element.destination);
        } else {
            NoteLeftOut(i + 1, PackageOutcome::Installed, std::wstring());
        }
    }
}

void Sequencer::WriteSummary()
{
    SettleOutcomes();
    const unsigned long long milliseconds = ::GetTickCount64() - started_;
    for (const std::wstring& line : SummaryLines(packages_, run_.totals, milliseconds, ExitCode())) log_.Write(line);
}

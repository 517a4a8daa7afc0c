#include "files/InstallElements.h"

#include "files/CopyLog.h"
#include "files/FileItem.h"
#include "files/InstElement.h"
#include "files/InstallRun.h"
#include "files/UninstallLog.h"

namespace {

bool Takes(const CInstElement& element)
{
    return element.selected && element.fileTree;
}

// Without a destination every path of the element would be relative to the
// working folder: such an element is not installed, and the run not counted
// as complete when it had files.
bool HasNoDestination(const CInstElement& element, const FileList& sourceFiles)
{
    return element.destination.empty() && CountFiles(*element.fileTree, sourceFiles) > 0;
}

}  // namespace

bool InstallElements(InstallRun& run, const CIEArray& elements, const FileList& sourceFiles)
{
    int total = 0;
    for (std::size_t i = 0; i < elements.GetSize(); ++i) {
        const CInstElement& element = *elements[i];
        if (Takes(element) && !HasNoDestination(element, sourceFiles))
            total += CountFiles(*element.fileTree, sourceFiles);
    }

    run.ui.BeginProgress(total);
    // Once the user stopped, the elements after that point are not touched (no package log either).
    for (std::size_t i = 0; i < elements.GetSize() && run.KeepGoing(); ++i) {
        CInstElement& element = *elements[i];
        if (!Takes(element)) continue;
        if (HasNoDestination(element, sourceFiles)) {
            CopyLogWrite(run, L"Element " + element.displayName + L" has no destination folder: not installed.\n");
            run.runResult = kRunFailed;
            continue;
        }
        if (element.packageElement) {
            std::unique_ptr<UninstallLog> packageLog = OpenPackageLog(run, element.destination);
            element.fileTree->Install(element.destination, run, packageLog.get());
        } else {
            element.fileTree->Install(element.destination, run, nullptr);
        }
    }

    const bool stopped = !run.KeepGoing();
    run.ui.EndProgress();
    if (stopped) {
        run.keepGoing = false;
        run.runResult = kRunFailed;
        return false;
    }
    return true;
}

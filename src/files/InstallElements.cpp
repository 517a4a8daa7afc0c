#include "files/InstallElements.h"

#include "files/FileItem.h"
#include "files/InstElement.h"
#include "files/InstallRun.h"
#include "files/UninstallLog.h"

namespace {

constexpr std::size_t kLogBlock = 4096;

// Without a destination every path of an element, its package log too, would
// be relative to the working folder: such an element is never installed.
bool Takes(const CInstElement& element)
{
    return element.selected && element.fileTree && !element.destination.empty();
}

// A selected element left out for want of a destination although it had files:
// the run is not complete.
bool MissesItsFiles(const CInstElement& element, const FileList& sourceFiles)
{
    return element.selected && element.fileTree && element.destination.empty() &&
           CountFiles(*element.fileTree, sourceFiles) > 0;
}

}  // namespace

bool InstallElements(InstallRun& run, const CIEArray& elements, const FileList& sourceFiles)
{
    int total = 0;
    for (std::size_t i = 0; i < elements.GetSize(); ++i) {
        const CInstElement& element = *elements[i];
        if (Takes(element)) total += CountFiles(*element.fileTree, sourceFiles);
    }

    run.sourceFiles = &sourceFiles;
    // The logs take a line or more per file: while copying they write in
    // blocks, and each element ends with its lines on disk.
    run.copyLog.Hold(kLogBlock);
    if (UninstallLog* runLog = run.RunLog()) runLog->Hold(kLogBlock);
    run.ui.BeginProgress(total);
    // Once the user stopped, the elements after that point are not touched (no package log either).
    for (std::size_t i = 0; i < elements.GetSize() && run.KeepGoing(); ++i) {
        CInstElement& element = *elements[i];
        if (MissesItsFiles(element, sourceFiles)) {
            run.copyLog.Write(L"Element " + element.displayName + L" has no destination folder: not installed.\n");
            run.FileNotInstalled();
        }
        if (!Takes(element)) continue;
        const int failedBefore = run.FilesNotInstalled();
        if (element.packageElement) {
            std::unique_ptr<UninstallLog> packageLog = OpenPackageLog(run, element.destination);
            if (packageLog) packageLog->Hold(kLogBlock);
            element.fileTree->Install(element.destination, run, packageLog.get());
        } else {
            element.fileTree->Install(element.destination, run, nullptr);
        }
        element.filesInPlace = run.FilesNotInstalled() == failedBefore;
        run.copyLog.Flush();
        if (UninstallLog* runLog = run.RunLog()) runLog->Flush();
    }
    run.copyLog.Hold(0);
    if (UninstallLog* runLog = run.RunLog()) runLog->Hold(0);

    run.sourceFiles = nullptr;
    const bool stopped = !run.KeepGoing();
    run.ui.EndProgress();
    if (stopped) {
        run.Cancel();
        run.FileNotInstalled();  // a stopped copy ends as failed
        return false;
    }
    return true;
}

#include "files/steps/InstallElements.h"

#include "files/elements/FileItem.h"
#include "files/source/FileList.h"
#include "files/elements/InstElement.h"
#include "files/run/InstallRun.h"
#include "files/engine/Refusals.h"
#include "files/logs/UninstallLog.h"
#include "files/elements/ElementList.h"
#include "platform/PathUtil.h"
#include "files/engine/RunLogs.h"

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

// A package element's files with its own uninstall log; false, with the
// element failed, when the log could not be had or kept: files the uninstaller
// would not know of are not copied, and a package without its log is not
// recorded.
bool InstallPackage(InstallRun& run, CInstElement& element, const FileList& sourceFiles)
{
    if (const std::wstring why = NotWholeOnMedium(element, run, sourceFiles); !why.empty()) {
        FailElement(run, element, PackageOutcome::Refused(PackageStep::NotTaken, std::wstring(), why));
        return false;
    }
    std::wstring why;
    std::unique_ptr<UninstallLog> packageLog = OpenPackageLog(run, element.destination, &why);
    if (!packageLog) {
        FailElement(run, element, PackageOutcome::Refused(PackageStep::NotTaken, element.destination, why));
        return false;
    }
    packageLog->Hold(kLogBlock);
    element.fileTree->Install(element.destination, run, packageLog.get());
    if (!packageLog->Flush() || packageLog->Error()) {
        FailElement(run, element,
                    PackageOutcome::Failed(PackageStep::LogNotWritten, packageLog->Path(), packageLog->Error()));
        return false;
    }
    return true;
}

}  // namespace

std::wstring NotWholeOnMedium(const CInstElement& element, const InstallRun& run, const FileList& sourceFiles)
{
    const std::wstring folder = L"data\\" + element.package->dirname;
    if (const std::wstring why = sourceFiles.Unread(folder); !why.empty()) return why;
    if (!sourceFiles.LookupFolder(folder + L"\\*"))
        return L"its folder " + JoinPath(run.sourceDir, folder) + L" is not on the medium";
    return std::wstring();
}

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
            // The summary names what is missing, as it names a file that failed.
            const int files = CountFiles(*element.fileTree, sourceFiles);
            run.NotInstalled(std::to_wstring(files) + (files == 1 ? L" file of " : L" files of ") + element.displayName +
                             L" (it has no destination folder)");
        }
        if (!Takes(element)) continue;
        const int failedBefore = run.FilesNotInstalled();
        bool whole = true;
        if (element.packageElement && element.package)
            whole = InstallPackage(run, element, sourceFiles);
        else
            element.fileTree->Install(element.destination, run, nullptr);
        element.filesInPlace = whole && run.FilesNotInstalled() == failedBefore;
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
        // Not one package is recorded after a stop, those copied whole included.
        for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
            CInstElement& element = *elements[i];
            if (element.selected && element.outcome.state == PackageState::NotReached)
                element.outcome = PackageOutcome::Failed(PackageStep::CopyStopped);
        }
        return false;
    }
    return true;
}

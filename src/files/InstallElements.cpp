#include "files/InstallElements.h"

#include "app/SetupState.h"
#include "catalogue/InstElement.h"
#include "files/CopyLog.h"
#include "files/FileItem.h"
#include "files/ProgressDlg.h"
#include "files/UninstallLog.h"

namespace {

bool Takes(const CInstElement& element)
{
    return element.selected && element.fileTree;
}

// Without a destination every path of the element would be relative to the
// working folder: such an element is not installed, and the run not counted
// as complete when it had files.
bool HasNoDestination(const CInstElement& element)
{
    return element.destination.empty() && CountFiles(*element.fileTree) > 0;
}

}  // namespace

bool InstallElements(const CIEArray& elements, HWND owner)
{
    int total = 0;
    for (std::size_t i = 0; i < elements.GetSize(); ++i) {
        const CInstElement& element = *elements[i];
        if (Takes(element) && !HasNoDestination(element)) total += CountFiles(*element.fileTree);
    }

    CProgressDlg progress(owner);
    progress.Create();
    progress.SetTotal(total);
    progress.SetStep(1);

    // Once the user stopped, the elements after that point are not touched (no package log either).
    for (std::size_t i = 0; i < elements.GetSize() && progress.keepGoing; ++i) {
        CInstElement& element = *elements[i];
        if (!Takes(element)) continue;
        if (HasNoDestination(element)) {
            CopyLogWrite(L"Element " + element.displayName + L" has no destination folder: not installed.\n");
            State().runResult = 0;
            continue;
        }
        if (element.packageElement) {
            std::unique_ptr<UninstallLog> packageLog = OpenPackageLog(element.destination);
            element.fileTree->Install(element.destination, progress, packageLog.get());
        } else {
            element.fileTree->Install(element.destination, progress, nullptr);
        }
    }

    progress.Destroy();
    if (!progress.keepGoing) {
        State().runResult = 0;
        return false;
    }
    return true;
}

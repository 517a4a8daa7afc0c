#include "files/InstallElements.h"

#include "app/SetupState.h"
#include "catalogue/InstElement.h"
#include "files/FileItem.h"
#include "files/ProgressDlg.h"
#include "files/UninstallLog.h"

bool InstallElements(const CIEArray& elements, HWND owner)
{
    int total = 0;
    for (std::size_t i = 0; i < elements.GetSize(); ++i) {
        const CInstElement& element = *elements[i];
        if (element.selected && element.fileTree) total += CountFiles(*element.fileTree);
    }

    CProgressDlg progress(owner);
    progress.Create();
    progress.SetTotal(total);
    progress.SetStep(1);

    for (std::size_t i = 0; i < elements.GetSize() && progress.keepGoing; ++i) {
        CInstElement& element = *elements[i];
        if (!element.selected || !element.fileTree) continue;
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

// The install phase: the install folder and its logs, the element folders, the
// copy under the progress dialog, then the registration of the packages.
#include "app/Sequencer.h"

#include "app/PathFields.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "dialogs/SetupUi.h"
#include "files/packages/AdminFolderNames.h"
#include "files/logs/CopyLog.h"
#include "files/elements/ElementList.h"
#include "files/engine/FolderChain.h"
#include "files/source/FileList.h"
#include "files/steps/InstallElements.h"
#include "files/packages/PackageRegistration.h"
#include "files/engine/Refusals.h"
#include "files/logs/UninstallLog.h"
#include "platform/PathUtil.h"
#include "files/engine/RunLogs.h"
#include "files/steps/CreateFolders.h"
#include "files/run/RunFiles.h"
#include "catalogue/FirmenArray.h"

void Sequencer::PerformInstall()
{
    const std::wstring mainIniPath = JoinPath(state_.installDir, L"obj\\") + state_.iniName;
    std::wstring tooLong;
    if (!PathFitsField(mainIniPath, PathOrigin::MainIniFile, tooLong)) {
        Fail(tooLong);
        return;
    }
    // The uninstall log is not open yet: the install folder itself gets no "dir" line.
    DWORD error = 0;
    if (!CreateFolderChain(run_, state_.installDir, &error)) {
        const std::wstring why =
            L"the installation folder " + state_.installDir + L" could not be made" + ErrorSuffix(error);
        Fail(why);
        return;
    }
    // Without it the uninstaller would not know what the run put where.
    const std::wstring runLog = RunLogPath(state_.installDir);
    if (!OpenUninstallLog(run_, runLog)) {
        const std::wstring why =
            L"the run's uninstall log " + runLog + L" could not be written" + ErrorSuffix(run_.runLog.Error());
        Fail(why);
        return;
    }
    state_.mainIniPath = mainIniPath;
    // A package the administration file could not name is not begun.
    RefuseUnrecordableFolders(run_, state_.elements,
                              state_.adminFile.empty() ? AdminFileIn(state_.installDir)
                                                       : state_.adminFile);
    CreateFolders(run_, state_.elements, state_.scriptFile, state_.installDir);
    const std::wstring copyLog = CopyLogPath(state_.installDir);
    if (!OpenCopyLog(run_, copyLog))
        log_.Write(L"the copy log " + copyLog + L" could not be opened" + ErrorSuffix(run_.copyLog.Error()) +
                   L"; the copy goes on without it");
    log_.Write(L"folders made; copying the files");

    state_.busy = true;
    run_.BeginCopy();
    if (window_) ::SendMessageW(window_->Handle(), kMsgStartSlideshow, 0, 0);

    const bool copied = InstallElements(run_, state_.elements, state_.sourceFiles);
    // The scan of the medium, what the copy learnt of folders and the packages'
    // file trees have served their last step: their memory goes to the merge
    // of the catalogue into the administration file, the run's largest.
    state_.sourceFiles = FileList();
    run_.ForgetFolders();
    for (std::size_t i = 1; i <= PackageCount(state_.elements); ++i) state_.elements[i]->fileTree.reset();
    if (!copied) {
        copyStopped_ = true;
        log_.Write(L"the copy was stopped");
        state_.busy = false;
        return;
    }
    if (!run_.runLog.Flush() || run_.runLog.Error()) {
        runLogLost_ = true;
        log_.Write(L"the run's uninstall log " + runLog + L" could not be written" + ErrorSuffix(run_.runLog.Error()) +
                   L": the uninstaller does not know every file of this run");
    }
    log_.Write(run_.Result() == kRunFailed ? L"copied, but not every file could be installed (see update.log)"
                                            : L"every file copied");
    const bool recorded =
        InstallDataPackages(run_, state_.elements, state_.installDir, state_.sourceDir, state_.adminFile);
    // Files the product does not know of are as good as missing: an unattended
    // rollout must not report this run as installed.
    notRecorded_ = !recorded;
    log_.Write(recorded ? L"packages recorded in the administration file"
                        : L"the packages could not be recorded: the administration file could not be written");
    state_.busy = false;
}

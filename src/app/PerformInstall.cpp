// The install phase: the install folder and its logs, the element folders, the
// copy under the progress dialog, then the registration of the packages.
#include "app/Sequencer.h"

#include "app/PathFields.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "dialogs/SetupUi.h"
#include "files/CopyLog.h"
#include "files/ElementList.h"
#include "files/FolderChain.h"
#include "files/InstallElements.h"
#include "files/PackageRegistration.h"
#include "files/UninstallLog.h"
#include "platform/PathUtil.h"

bool Sequencer::PerformInstall()
{
    const std::wstring mainIniPath = JoinPath(state_.installDir, L"obj\\") + state_.iniName;
    std::wstring tooLong;
    if (!PathFitsField(mainIniPath, PathOrigin::MainIniFile, tooLong)) {
        ui_.Message(tooLong, MB_ICONERROR | MB_OK);
        End(EarlyEnd::Failed, tooLong);
        return false;
    }
    // The uninstall log is not open yet: the install folder itself gets no "dir" line.
    CreateFolderChain(run_, state_.installDir);
    OpenUninstallLog(run_, JoinPath(state_.installDir, L".UNINST.INF"));
    state_.mainIniPath = mainIniPath;
    const std::vector<int> chosen = PackageFlags();
    const std::size_t refusals = refusalsTold_.size();
    CreateFolders(run_, state_.elements, state_.scriptFile, state_.installDir);
    NoteRefused(chosen, refusals);
    OpenCopyLog(run_, JoinPath(state_.installDir, L"update.log"));
    log_.Write(L"folders made; copying the files");

    state_.busy = true;
    run_.BeginCopy();
    if (window_) ::SendMessageW(window_->Handle(), kMsgStartSlideshow, 0, 0);

    if (!InstallElements(run_, state_.elements, state_.sourceFiles)) {
        copyStopped_ = true;
        log_.Write(L"the copy was stopped");
        state_.busy = false;
        return true;
    }
    copied_ = true;
    log_.Write(run_.Result() == kRunFailed ? L"copied, but not every file could be installed (see update.log)"
                                            : L"every file copied");
    bool recorded = false;
    const bool result =
        InstallDataPackages(run_, state_.elements, state_.installDir, state_.sourceDir, state_.adminFile, &recorded);
    // Files the product does not know of are as good as missing: an unattended
    // rollout must not report this run as installed.
    notRecorded_ = !recorded;
    log_.Write(recorded ? L"packages recorded in the administration file"
                        : L"the packages could not be recorded: the administration file could not be written");
    state_.busy = false;
    return result;
}

#include "files/engine/RunLogs.h"

#include "files/elements/PackageItem.h"
#include "files/engine/Refusals.h"
#include "files/run/InstallRun.h"
#include "platform/AnsiNames.h"
#include "platform/PathUtil.h"
#include "files/run/RunFiles.h"

#include <vector>

namespace {

std::wstring UnnamedText(const std::wstring& path)
{
    return L"the name of " + path + L" cannot be written into its uninstall log (8-bit), not even as a short name";
}

}  // namespace

bool OpenCopyLog(InstallRun& run, const std::wstring& path)
{
    if (!run.copyLog.Open(path)) {
        if (run.copyLog.Link() != FileLink::None) RefuseLinkedFile(run, L"the copy log", path, run.copyLog.Link());
        return false;
    }
    if (UninstallLog* runLog = run.RunLog(); runLog && !runLog->WriteFile(run.copyLog.Path()) &&
                                             !runLog->Unnamed().empty())
        run.Refuse(L"the run's uninstall log cannot name the copy log " + path + L" (8-bit), not even by a short name");
    return true;
}

bool OpenUninstallLog(InstallRun& run, const std::wstring& path)
{
    UninstallLog& log = run.runLog;
    if (log.IsOpen()) return true;
    if (!log.Open(path)) {
        if (log.Link() != FileLink::None) RefuseLinkedFile(run, L"the uninstall log of the run", path, log.Link());
        return false;
    }
    return log.Size() != 0 || log.WriteHeader();
}

std::unique_ptr<UninstallLog> OpenPackageLog(InstallRun& run, const std::wstring& folder, std::wstring* why)
{
    if (const std::wstring link = run.LinkOnTheWay(folder); !link.empty()) {
        const std::wstring refusal = RefuseFolderLink(run, L"The uninstall log of " + folder, link);
        if (why) *why = refusal;
        return nullptr;
    }
    auto log = std::make_unique<UninstallLog>();
    const std::wstring path = JoinPath(folder, kPackageLogName);
    std::vector<std::wstring> folders{folder};
    for (const wchar_t* category : kPackageLogCategories) folders.push_back(JoinPath(folder, category));
    // Lines that could not name the package's folder would leave its files to
    // no uninstaller: the log is not even begun.
    if (AnsiNameOf(path).empty()) {
        if (why) *why = UnnamedText(folder);
        return nullptr;
    }
    if (!log->Open(path) || !log->WriteDirs(folders)) {
        // The caller refuses the package with why: a link is told, not refused twice.
        if (why)
            *why = log->Link() != FileLink::None
                       ? LinkedFileText(L"its uninstall log", path, log->Link())
                   : !log->Unnamed().empty()
                       ? UnnamedText(log->Unnamed())
                       : L"its uninstall log " + path + L" could not be written" + ErrorSuffix(log->Error());
        return nullptr;
    }
    if (UninstallLog* runLog = run.RunLog(); runLog && !runLog->WriteFile(log->Path()) && !runLog->Unnamed().empty())
        run.Refuse(L"the run's uninstall log cannot name " + log->Path() + L" (8-bit), not even by a short name");
    return log;
}

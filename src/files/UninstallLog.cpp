#include "files/UninstallLog.h"

#include "files/FileTrees.h"
#include "files/InstallRun.h"
#include "files/Refusals.h"
#include "platform/PathUtil.h"

bool UninstallLog::Open(const std::wstring& path)
{
    return file_.Open(path, LineEnds::AsWritten);
}

bool UninstallLog::WriteHeader()
{
    return file_.Write(L"ORVEK V3.5\n");
}

bool UninstallLog::WriteFile(const std::wstring& path)
{
    return file_.Write(L"file 0 0 " + path + L"\n");
}

bool UninstallLog::WriteDir(const std::wstring& path)
{
    return file_.Write(L"dir " + path + L"\n");
}

bool UninstallLog::WriteDirs(const std::vector<std::wstring>& paths)
{
    std::wstring lines;
    for (const std::wstring& path : paths) lines += L"dir " + path + L"\n";
    return file_.Write(lines);
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

void CloseUninstallLog(InstallRun& run)
{
    run.runLog.Close();
}

std::unique_ptr<UninstallLog> OpenPackageLog(InstallRun& run, const std::wstring& folder, std::wstring* why)
{
    if (const std::wstring link = run.LinkOnTheWay(folder); !link.empty()) {
        const std::wstring refusal = RefuseFolderLink(run, L"The uninstall log of " + folder, link);
        if (why) *why = refusal;
        return nullptr;
    }
    auto log = std::make_unique<UninstallLog>();
    const std::wstring path = JoinPath(folder, L"_uninst.inf");
    std::vector<std::wstring> folders{folder};
    for (const wchar_t* category : kPackageLogCategories) folders.push_back(JoinPath(folder, category));
    if (!log->Open(path) || !log->WriteDirs(folders)) {
        // The caller refuses the package with why: a link is told, not refused twice.
        if (why)
            *why = log->Link() != FileLink::None
                       ? LinkedFileText(L"its uninstall log", path, log->Link())
                       : L"its uninstall log " + path + L" could not be written" + ErrorSuffix(log->Error());
        return nullptr;
    }
    if (UninstallLog* runLog = run.RunLog()) runLog->WriteFile(log->Path());
    return log;
}

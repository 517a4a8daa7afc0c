#include "files/UninstallLog.h"

#include "files/FileTrees.h"
#include "files/InstallRun.h"
#include "files/Refusals.h"
#include "platform/AnsiNames.h"
#include "platform/PathUtil.h"

bool UninstallLog::Open(const std::wstring& path)
{
    return file_.Open(path, LineEnds::AsWritten);
}

bool UninstallLog::WriteHeader()
{
    return file_.Write(L"ORVEK V3.5\n");
}

bool UninstallLog::AddLine(std::string& lines, const char* tag, const std::wstring& path)
{
    std::string name;
    if (!ExactAnsi(path, name) && (!ExactAnsi(AnsiNameOf(path), name) || name.empty())) {
        unnamed_ = path;
        return false;
    }
    lines += tag;
    lines += name;
    lines += '\n';
    return true;
}

bool UninstallLog::WriteFile(const std::wstring& path)
{
    unnamed_.clear();
    std::string line;
    return AddLine(line, "file 0 0 ", path) && file_.WriteBytes(line);
}

bool UninstallLog::WriteDir(const std::wstring& path)
{
    unnamed_.clear();
    std::string line;
    return AddLine(line, "dir ", path) && file_.WriteBytes(line);
}

bool UninstallLog::WriteDirs(const std::vector<std::wstring>& paths)
{
    unnamed_.clear();
    std::string lines;
    for (const std::wstring& path : paths)
        if (!AddLine(lines, "dir ", path)) return false;
    return file_.WriteBytes(lines);
}

namespace {

std::wstring UnnamedText(const std::wstring& path)
{
    return L"the name of " + path + L" cannot be written into its uninstall log (8-bit), not even as a short name";
}

}  // namespace

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
    const std::wstring path = JoinPath(folder, L"_uninst.inf");
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

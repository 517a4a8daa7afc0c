#include "files/CopyLog.h"

#include "files/InstallRun.h"
#include "files/Refusals.h"

bool CopyLog::Open(const std::wstring& path)
{
    return file_.IsOpen() || file_.Open(path, LineEnds::CrLf);
}

void CopyLog::Close()
{
    Flush();
    file_.Close();
}

void CopyLog::Write(const std::wstring& text)
{
    if (!file_.IsOpen()) return;
    if (holds_ > 0)
        held_ += text;
    else
        file_.Write(text);
}

void CopyLog::PassOn()
{
    if (held_.empty()) return;
    if (file_.IsOpen()) file_.Write(held_);
    held_.clear();
}

void CopyLog::Flush()
{
    PassOn();
    file_.Flush();
}

bool OpenCopyLog(InstallRun& run, const std::wstring& path)
{
    if (!run.copyLog.Open(path)) {
        if (run.copyLog.Link() != FileLink::None) RefuseLinkedFile(run, L"the copy log", path, run.copyLog.Link());
        return false;
    }
    if (UninstallLog* runLog = run.RunLog()) runLog->WriteFile(run.copyLog.Path());
    return true;
}

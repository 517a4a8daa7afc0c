#include "files/CopyLog.h"

#include "files/CopyRun.h"

bool OpenCopyLog(const std::wstring& path)
{
    LogFile& log = CopyRun().copyLog;
    if (!log.IsOpen() && !log.Open(path, LineEnds::CrLf)) return false;
    if (UninstallLog* runLog = RunUninstallLog()) runLog->WriteFile(log.Path());
    return true;
}

void CloseCopyLog()
{
    CopyRun().copyLog.Close();
}

bool IsCopyLogOpen()
{
    return CopyRun().copyLog.IsOpen();
}

void CopyLogWrite(const std::wstring& text)
{
    LogFile& log = CopyRun().copyLog;
    if (log.IsOpen()) log.Write(text);
}

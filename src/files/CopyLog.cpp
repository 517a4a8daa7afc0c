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
    FlushCopyLog();
    CopyRun().copyLog.Close();
}

bool IsCopyLogOpen()
{
    return CopyRun().copyLog.IsOpen();
}

void CopyLogWrite(const std::wstring& text)
{
    CopyRunState& run = CopyRun();
    if (!run.copyLog.IsOpen()) return;
    if (run.copyLogHolds > 0)
        run.copyLogHeld += text;
    else
        run.copyLog.Write(text);
}

void FlushCopyLog()
{
    CopyRunState& run = CopyRun();
    if (run.copyLogHeld.empty()) return;
    if (run.copyLog.IsOpen()) run.copyLog.Write(run.copyLogHeld);
    run.copyLogHeld.clear();
}

CopyLogBatch::CopyLogBatch()
{
    ++CopyRun().copyLogHolds;
}

CopyLogBatch::~CopyLogBatch()
{
    CopyRunState& run = CopyRun();
    if (run.copyLogHolds > 0 && --run.copyLogHolds == 0) FlushCopyLog();
}

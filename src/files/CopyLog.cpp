#include "files/CopyLog.h"

#include "files/InstallRun.h"

bool OpenCopyLog(InstallRun& run, const std::wstring& path)
{
    if (!run.copyLog.IsOpen() && !run.copyLog.Open(path, LineEnds::CrLf)) return false;
    if (UninstallLog* runLog = run.RunLog()) runLog->WriteFile(run.copyLog.Path());
    return true;
}

void CloseCopyLog(InstallRun& run)
{
    FlushCopyLog(run);
    run.copyLog.Close();
}

void CopyLogWrite(InstallRun& run, const std::wstring& text)
{
    if (!run.copyLog.IsOpen()) return;
    if (run.copyLogHolds > 0)
        run.copyLogHeld += text;
    else
        run.copyLog.Write(text);
}

void FlushCopyLog(InstallRun& run)
{
    if (run.copyLogHeld.empty()) return;
    if (run.copyLog.IsOpen()) run.copyLog.Write(run.copyLogHeld);
    run.copyLogHeld.clear();
}

CopyLogBatch::CopyLogBatch(InstallRun& run) : run_(run)
{
    ++run_.copyLogHolds;
}

CopyLogBatch::~CopyLogBatch()
{
    if (run_.copyLogHolds > 0 && --run_.copyLogHolds == 0) FlushCopyLog(run_);
}

#include "files/CopyRun.h"

namespace {
CopyRunState g_copyRun;
}

CopyRunState& CopyRun()
{
    return g_copyRun;
}

void ResetCopyRun()
{
    if (!g_copyRun.copyLogHeld.empty() && g_copyRun.copyLog.IsOpen()) g_copyRun.copyLog.Write(g_copyRun.copyLogHeld);
    g_copyRun.copyLog.Close();
    g_copyRun.copyLogHeld.clear();
    g_copyRun.copyLogHolds = 0;
    g_copyRun.runLog.Close();
    g_copyRun.tempNumber = 0;
}

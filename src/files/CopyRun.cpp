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
    g_copyRun.copyLog.Close();
    g_copyRun.runLog.Close();
    g_copyRun.tempNumber = 0;
}

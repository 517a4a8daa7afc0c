#include "files/InstallRun.h"

#include "files/CopyLog.h"

InstallRun::~InstallRun()
{
    CloseCopyLog(*this);
    runLog.Close();
}

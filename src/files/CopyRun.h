// Run-wide state of the copy engine: the two logs that stay open from the install
// phase to the end of the program, and the temporary-name counter. The
// restart-needed flag is State().restartNeeded.
#pragma once

#include "files/LogFile.h"
#include "files/UninstallLog.h"

struct CopyRunState {
    LogFile copyLog;            // "update.log", CR LF
    std::wstring copyLogHeld;   // lines of the file being installed, not yet written
    int copyLogHolds = 0;       // open CopyLogBatch scopes
    UninstallLog runLog;        // ".UNINST.INF"
    unsigned tempNumber = 0;    // next temporary extension, "%03u"
};

CopyRunState& CopyRun();

// Closes both logs and puts the counter back (end of program; tests between runs).
void ResetCopyRun();

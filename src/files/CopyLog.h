// The copy log "update.log" in the install folder: 8-bit text, CR LF line ends,
// open from the install phase to the end of the run. It belongs to the run.
#pragma once

#include <string>

class InstallRun;

// Opens path for appending unless the copy log is already open; then records it
// in the run's uninstall log (when open) with a "file" line. False when it
// cannot be opened.
bool OpenCopyLog(InstallRun& run, const std::wstring& path);
void CloseCopyLog(InstallRun& run);

// Appends text ("\n" becomes CR LF) while the copy log is open.
void CopyLogWrite(InstallRun& run, const std::wstring& text);

// Writes what open CopyLogBatch scopes hold (before the user is asked anything).
void FlushCopyLog(InstallRun& run);

// While one is alive, the lines of one file are collected and written in one go
// when the outermost scope ends: one write per file instead of one per line.
class CopyLogBatch {
public:
    explicit CopyLogBatch(InstallRun& run);
    ~CopyLogBatch();
    CopyLogBatch(const CopyLogBatch&) = delete;
    CopyLogBatch& operator=(const CopyLogBatch&) = delete;

private:
    InstallRun& run_;
};

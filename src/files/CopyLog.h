// The copy log "update.log" in the install folder: 8-bit text, CR LF line ends,
// open from the install phase to the end of the program.
#pragma once

#include <string>

// Opens path for appending unless the copy log is already open; then records it
// in the run's uninstall log (when open) with a "file" line. False when it
// cannot be opened.
bool OpenCopyLog(const std::wstring& path);
void CloseCopyLog();
bool IsCopyLogOpen();

// Appends text ("\n" becomes CR LF) while the copy log is open.
void CopyLogWrite(const std::wstring& text);

// Writes what open CopyLogBatch scopes hold (before the user is asked anything).
void FlushCopyLog();

// While one is alive, the lines of one file are collected and written in one go
// when the outermost scope ends: one write per file instead of one per line.
class CopyLogBatch {
public:
    CopyLogBatch();
    ~CopyLogBatch();
    CopyLogBatch(const CopyLogBatch&) = delete;
    CopyLogBatch& operator=(const CopyLogBatch&) = delete;
};

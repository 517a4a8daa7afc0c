// The copy log "update.log" in the install folder: 8-bit text, CR LF line ends,
// open from the install phase to the end of the run. It belongs to the run.
#pragma once

#include "files/logs/LogFile.h"

#include <string>
#include <utility>
#include <vector>


class CopyLog {
public:
    CopyLog() = default;
    CopyLog(const CopyLog&) = delete;
    CopyLog& operator=(const CopyLog&) = delete;
    ~CopyLog() { Close(); }

    // Opens path for appending unless the log is already open. False when it
    // cannot be opened.
    bool Open(const std::wstring& path);
    // Writes what batches still hold, then closes.
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }
    const std::wstring& Path() const { return file_.Path(); }
    // See LogFile::Error.
    unsigned long Error() const { return file_.Error(); }
    // What the last Open found instead of a plain file (LogFile::Link).
    FileLink Link() const { return file_.Link(); }

    // Appends text ("\n" becomes CR LF) while the log is open.
    void Write(const std::wstring& text);
    // Writes what open batches and the file's hold keep (before the user is
    // asked anything).
    void Flush();
    // Until the outermost batch ends, the lines it holds name path as name
    // (its short form, for a path the 8-bit log cannot spell; AnsiNameOf).
    // An empty name changes nothing.
    void NameAs(const std::wstring& path, const std::wstring& name);

    // The file collects up to bytes before it writes (0: every batch is
    // written as it ends); see LogFile::Hold.
    void Hold(std::size_t bytes) { file_.Hold(bytes); }

    // While one is alive, the lines of one file are collected and passed on in
    // one go when the outermost batch ends: one write per file instead of one
    // per line (or none, while the file holds).
    class Batch {
    public:
        explicit Batch(CopyLog& log) : log_(log) { ++log_.holds_; }
        ~Batch()
        {
            if (log_.holds_ > 0 && --log_.holds_ == 0) log_.PassOn();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        CopyLog& log_;
    };

private:
    // What the batches collected goes to the file (which may hold it).
    void PassOn();

    LogFile file_;
    std::wstring held_;  // lines of the file being installed, not yet written
    std::vector<std::pair<std::wstring, std::wstring>> names_;  // NameAs of the open batches
    int holds_ = 0;      // open batches
};

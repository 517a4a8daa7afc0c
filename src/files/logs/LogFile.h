// A file opened for appending that takes 8-bit text. The one owner of its handle.
#pragma once

#include "framework/Handles.h"
#include "platform/FileLinks.h"

#include <cstddef>
#include <string>

enum class LineEnds {
    AsWritten,  // binary: "\n" reaches the disk as LF
    CrLf,       // text mode: "\n" reaches the disk as CR LF
};

class LogFile {
public:
    LogFile() = default;
    LogFile(LogFile&&) noexcept = default;
    LogFile& operator=(LogFile&&) noexcept = default;
    ~LogFile() { Flush(); }

    // Opens (creating when missing) for appending; existing content is kept.
    // False, and nothing open, when the file cannot be opened, and when it is a
    // file link or has more than one name (Link tells which): such a file is
    // left as it is.
    bool Open(const std::wstring& path, LineEnds lineEnds);
    // What the last Open found at its path instead of a plain file.
    FileLink Link() const { return link_; }
    void Close();
    bool IsOpen() const { return file_.Valid(); }
    const std::wstring& Path() const { return path_; }

    // Size of the file now, what is held included (0 when not open).
    unsigned long long Size() const;

    // Writes the text in the ANSI code page (AnsiText: a character the page
    // lacks becomes "?"), at the end of the file.
    bool Write(const std::wstring& text);
    // Writes the bytes as they are (line ends translated as opened).
    bool WriteBytes(const std::string& bytes);

    // From now on writes are collected and reach the file in one go once
    // bytes are held (as a C stream's buffer would), at Flush and at Close;
    // 0 writes what is held and every write goes straight to the file again.
    void Hold(std::size_t bytes);
    // Writes what is held. False when that write failed.
    bool Flush();
    // The Win32 error of the first open or write that failed since the last
    // Open (0: none): a log that lost lines says so.
    unsigned long Error() const { return error_; }

private:
    bool WriteOut(const std::string& bytes);

    std::string pending_;
    std::size_t hold_ = 0;
    fw::ScopedFile file_;
    std::wstring path_;
    FileLink link_ = FileLink::None;
    LineEnds lineEnds_ = LineEnds::AsWritten;
    unsigned long error_ = 0;
};

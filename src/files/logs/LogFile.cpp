#include "files/logs/LogFile.h"

#include "platform/AnsiNames.h"

bool LogFile::Open(const std::wstring& path, LineEnds lineEnds)
{
    Close();
    // Others (the package installers, the follow-up program) may read and append
    // while the run holds the log, as a C stream allows. FILE_APPEND_DATA without
    // FILE_WRITE_DATA: every write goes to the end as it is then. The folder
    // may have been made by someone else: nothing is written through a link.
    file_ = OpenWithoutLink(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, true, link_);
    if (!file_.Valid()) {
        error_ = ::GetLastError();
        return false;
    }
    error_ = 0;
    path_ = path;
    lineEnds_ = lineEnds;
    return true;
}

void LogFile::Close()
{
    Flush();
    hold_ = 0;
    file_.Reset();
    path_.clear();
}

unsigned long long LogFile::Size() const
{
    LARGE_INTEGER size{};
    if (!file_.Valid() || !::GetFileSizeEx(file_.Get(), &size)) return 0;
    return static_cast<unsigned long long>(size.QuadPart) + pending_.size();
}

bool LogFile::Write(const std::wstring& text)
{
    return WriteBytes(AnsiText(text));
}

bool LogFile::WriteBytes(const std::string& bytes)
{
    if (!file_.Valid()) return false;
    std::string out;
    if (lineEnds_ == LineEnds::CrLf) {
        out.reserve(bytes.size() + 8);
        for (char c : bytes) {
            if (c == '\n') out += '\r';
            out += c;
        }
    } else {
        out = bytes;
    }
    if (hold_ == 0) return WriteOut(out);
    pending_ += out;
    return pending_.size() < hold_ || Flush();
}

void LogFile::Hold(std::size_t bytes)
{
    hold_ = bytes;
    if (bytes == 0) Flush();
}

bool LogFile::Flush()
{
    if (pending_.empty()) return true;
    const std::string out = std::move(pending_);
    pending_.clear();
    return WriteOut(out);
}

bool LogFile::WriteOut(const std::string& out)
{
    if (!file_.Valid()) return false;
    size_t done = 0;
    while (done < out.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(out.size() - done);
        if (!::WriteFile(file_.Get(), out.data() + done, chunk, &written, nullptr) || written == 0) {
            if (error_ == 0) error_ = written == 0 && ::GetLastError() == 0 ? ERROR_WRITE_FAULT : ::GetLastError();
            return false;
        }
        done += written;
    }
    return true;
}

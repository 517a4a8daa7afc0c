#include "files/logs/CopyLog.h"


bool CopyLog::Open(const std::wstring& path)
{
    return file_.IsOpen() || file_.Open(path, LineEnds::CrLf);
}

void CopyLog::Close()
{
    Flush();
    file_.Close();
}

void CopyLog::Write(const std::wstring& text)
{
    if (!file_.IsOpen()) return;
    if (holds_ > 0)
        held_ += text;
    else
        file_.Write(text);
}

void CopyLog::NameAs(const std::wstring& path, const std::wstring& name)
{
    if (holds_ > 0 && !path.empty() && !name.empty() && path != name) names_.emplace_back(path, name);
}

void CopyLog::PassOn()
{
    for (const auto& [path, name] : names_)
        for (std::size_t at = held_.find(path); at != std::wstring::npos; at = held_.find(path, at + name.size()))
            held_.replace(at, path.size(), name);
    if (holds_ == 0) names_.clear();
    if (held_.empty()) return;
    if (file_.IsOpen()) file_.Write(held_);
    held_.clear();
}

void CopyLog::Flush()
{
    PassOn();
    file_.Flush();
}

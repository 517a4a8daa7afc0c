#include "files/logs/UninstallLog.h"

#include "platform/AnsiNames.h"
#include "platform/PathUtil.h"

bool UninstallLog::Open(const std::wstring& path)
{
    return file_.Open(path, LineEnds::AsWritten);
}

bool UninstallLog::WriteHeader()
{
    return file_.Write(L"ORVEK V3.5\n");
}

bool UninstallLog::AddLine(std::string& lines, const char* tag, const std::wstring& path)
{
    std::string name;
    if (!ExactAnsi(path, name) && (!ExactAnsi(AnsiNameOf(path), name) || name.empty())) {
        unnamed_ = path;
        return false;
    }
    lines += tag;
    lines += name;
    lines += '\n';
    return true;
}

bool UninstallLog::WriteFile(const std::wstring& path)
{
    unnamed_.clear();
    std::string line;
    return AddLine(line, "file 0 0 ", path) && file_.WriteBytes(line);
}

bool UninstallLog::WriteDir(const std::wstring& path)
{
    unnamed_.clear();
    std::string line;
    return AddLine(line, "dir ", path) && file_.WriteBytes(line);
}

bool UninstallLog::WriteDirs(const std::vector<std::wstring>& paths)
{
    unnamed_.clear();
    std::string lines;
    for (const std::wstring& path : paths)
        if (!AddLine(lines, "dir ", path)) return false;
    return file_.WriteBytes(lines);
}

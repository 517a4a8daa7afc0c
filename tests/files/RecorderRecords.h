// The recorder standing in for a started program: its copies, its settings
// through the environment (inherited by what the test starts), its records.
#pragma once

#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// An environment variable of this process for the lifetime of the object.
class EnvironmentValue {
public:
    EnvironmentValue(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        ::SetEnvironmentVariableW(name, value.c_str());
    }
    ~EnvironmentValue() { ::SetEnvironmentVariableW(name_, nullptr); }
    EnvironmentValue(const EnvironmentValue&) = delete;
    EnvironmentValue& operator=(const EnvironmentValue&) = delete;

private:
    const wchar_t* name_;
};

inline bool CopyRecorder(const std::wstring& to)
{
    return ::CopyFileW(WinePathOf(RECORDER_EXE).c_str(), to.c_str(), FALSE) != FALSE;
}

using Record = std::map<std::wstring, std::wstring>;

// The records of logFile in the order they were written.
inline std::vector<Record> ReadRecords(const std::wstring& logFile)
{
    const std::string bytes = ReadBytes(logFile);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                                text.data(), static_cast<int>(text.size()))));
    std::vector<Record> records;
    Record current;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty()) {
            if (!current.empty()) records.push_back(current);
            current.clear();
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) current[line.substr(0, equals)] = line.substr(equals + 1);
    }
    if (!current.empty()) records.push_back(current);
    return records;
}

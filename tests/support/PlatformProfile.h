// The platform's own write of a profile value, beside which the program's
// profile reads and writes are checked (the program writes through
// ProfileDocument only).
#pragma once

#include <windows.h>

#include <string>

// WritePrivateProfileStringW; an empty key removes the section, as the platform does.
inline bool WriteProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                             const std::wstring& value)
{
    return ::WritePrivateProfileStringW(section.c_str(), key.empty() ? nullptr : key.c_str(), value.c_str(),
                                        file.c_str()) != FALSE;
}

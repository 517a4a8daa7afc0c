// Appending records to a text file that several programs may write: the
// sample package installer's log and the test recorder's record file.
#pragma once

#include <windows.h>
#include <string>
#include <string_view>

namespace companion {

// UTF-8 form of a wide text; unpaired surrogates become U+FFFD.
std::string Utf8(std::wstring_view text);

// The text with every CR and LF turned into a blank, so a value stays on one line.
std::wstring OneLine(std::wstring_view text);

// Appends the bytes in one write, so records of programs running at the same
// time do not interleave. Creates the file when it is missing. False (with
// the Win32 error left in GetLastError) when it cannot be opened or written.
bool AppendToFile(const std::wstring& path, std::string_view bytes);

// The decimal value of an environment variable; fallback when it is missing,
// empty, not a plain number or out of range.
long EnvironmentNumber(const wchar_t* name, long fallback);

} // namespace companion

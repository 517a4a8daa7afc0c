// How the platform's profile functions read the text of a profile (INI) file:
// its blanks, lines, names, quoted values and numbers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

// Tab to carriage return, space, and ^Z (DOS end of file).
bool IsProfileBlank(wchar_t c);
void TrimProfileRange(const wchar_t*& begin, const wchar_t*& end);
std::wstring_view ProfileTrimmed(std::wstring_view text);
std::wstring_view ProfileLeadingTrimmed(std::wstring_view text);

// The platform keeps names and values as C strings: a NUL ends them.
std::wstring_view UpToNul(std::wstring_view text);
std::wstring UpToNul(const wchar_t* begin, const wchar_t* end);

bool HasLineBreak(std::wstring_view text);

// Names match with ASCII letters folded, nothing else; the hash agrees.
bool SameProfileName(std::wstring_view a, std::wstring_view b);
std::uint64_t ProfileNameHash(std::wstring_view name, std::uint64_t seed);

// One line (without its line break) as the platform reads it: blank, a section
// header (the name runs to the last "]", trimmed) or an entry (a name, and a
// value after the first "=", both trimmed).
struct ProfileLine {
    enum Kind { Blank, Header, Entry } kind = Blank;
    const wchar_t* nameBegin = nullptr;
    const wchar_t* nameEnd = nullptr;
    const wchar_t* valueBegin = nullptr;
    const wchar_t* valueEnd = nullptr;
    bool hasValue = false;
};
ProfileLine ReadProfileLine(const wchar_t* begin, const wchar_t* end);

// A value as the platform copies it into a buffer of bufferChars (> 0)
// characters: at most bufferChars - 1 of them, one pair of enclosing quotes
// removed unless the value is cut; a quoted value that just fills the buffer
// loses its last character with the closing quote.
std::wstring CopyProfileEntry(std::wstring_view value, DWORD bufferChars);

// The platform's reading of a number: leading blanks and control characters,
// one sign, a "0x", "0o" or "0b" prefix, then digits of that base; wraps around
// in 32 bits.
unsigned ProfileNumber(std::wstring_view text);

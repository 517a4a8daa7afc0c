// Names that go into 8-bit files (the uninstall logs, the copy log, an 8-bit
// administration file). Other programs read them back as paths, so a name
// comes out exactly or not at all: a look-alike spelling (best fit: "Łódź" as
// "Lodz") names another file, which an uninstaller would delete.
#pragma once

#include <string>
#include <string_view>

// The bytes of text in the ANSI code page when every character has its own
// byte sequence there (no best fit, no default character) and the bytes read
// back as text. False, and bytes empty, otherwise.
bool ExactAnsi(std::wstring_view text, std::string& bytes);
bool IsExactAnsi(std::wstring_view text);

// text in the ANSI code page for reading: a character the page lacks becomes
// "?", which no file name holds, never a look-alike.
std::string AnsiText(std::wstring_view text);

// How an 8-bit file names path: path itself when it converts exactly; else the
// short (8.3) form of the longest part of it that exists, followed by the rest,
// when that converts exactly. Empty when neither does: the volume makes no
// short names, or a part that does not convert does not exist yet.
std::wstring AnsiNameOf(const std::wstring& path);

// The bytes of a profile (INI) file as text, in the encodings the platform's
// profile functions read and write: 8-bit in the system code page, UTF-8 or
// UTF-16 (either order) with a byte-order mark.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class ProfileEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// The encoding the platform chooses for these bytes, and the text it reads from
// them. Never reads past size. An odd last byte of a UTF-16 file is read as the
// character 0x00nn, as the platform reads it when its buffer is followed by zeros.
ProfileEncoding DecodeProfileText(const void* bytes, std::size_t size, std::wstring& text);
// The encoding alone: it rests on the first three bytes (its mark) only.
ProfileEncoding ProfileTextEncoding(const void* bytes, std::size_t size);

// The file bytes of text: byte-order mark (unless withMark is false, for text
// that goes into a file already begun), then the text in the encoding.
// Characters the code page lacks are replaced as the platform replaces them.
std::string EncodeProfileText(const std::wstring& text, ProfileEncoding encoding, bool withMark = true);

// The bytes of the byte-order mark a file of the encoding starts with (0 or more).
std::size_t ProfileMarkSize(ProfileEncoding encoding);

// text as it reads back after being written in the encoding.
std::wstring RoundTripProfileText(std::wstring_view text, ProfileEncoding encoding);

// Whether text goes into a file of the encoding and reads back as it is: always
// in UTF-8 and UTF-16; in an 8-bit file only when every character converts
// exactly (ExactAnsi). Names are written only so; display texts may be
// written as the platform replaces them.
bool ProfileWritesExactly(std::wstring_view text, ProfileEncoding encoding);

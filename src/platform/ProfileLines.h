// Where the lines of a profile file lie in its bytes, so that the lines a save
// does not change are written back exactly as they were read.
#pragma once

#include "platform/ProfileText.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The bytes of one line, without its line break.
struct ProfileLineSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The lines of bytes (after the byte-order mark) as the platform splits the
// text: runs of characters other than CR and LF, so a lone CR ends a line too.
// Line breaks and blank lines lie between the spans. An odd last byte of a
// UTF-16 file is a character of its own, as the text reads it.
std::vector<ProfileLineSpan> ProfileLineSpans(std::string_view bytes, ProfileEncoding encoding);

// The end of the one line break (CR LF, CR or LF) that starts at offset;
// offset itself when none starts there.
std::size_t ProfileBreakEnd(std::string_view bytes, std::size_t offset, ProfileEncoding encoding);


#include "platform/ProfileLines.h"

namespace {

bool IsBreak(unsigned c)
{
    return c == L'\r' || c == L'\n';
}

// The character at offset and its size in bytes.
unsigned UnitAt(std::string_view bytes, std::size_t offset, ProfileEncoding encoding, std::size_t& size)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const bool wide = encoding == ProfileEncoding::Utf16Le || encoding == ProfileEncoding::Utf16Be;
    if (!wide || offset + 1 >= bytes.size()) {
        size = 1;
        return byte(offset);
    }
    size = 2;
    return encoding == ProfileEncoding::Utf16Le ? byte(offset) | (byte(offset + 1) << 8)
                                                : (byte(offset) << 8) | byte(offset + 1);
}

}  // namespace

std::vector<ProfileLineSpan> ProfileLineSpans(std::string_view bytes, ProfileEncoding encoding)
{
    std::vector<ProfileLineSpan> spans;
    std::size_t offset = ProfileMarkSize(encoding);
    bool inLine = false;
    while (offset < bytes.size()) {
        std::size_t size = 0;
        const bool lineBreak = IsBreak(UnitAt(bytes, offset, encoding, size));
        if (!lineBreak && !inLine) spans.push_back({offset, offset});
        inLine = !lineBreak;
        offset += size;
        if (inLine) spans.back().end = offset;
    }
    return spans;
}

std::size_t ProfileBreakEnd(std::string_view bytes, std::size_t offset, ProfileEncoding encoding)
{
    if (offset >= bytes.size()) return offset;
    std::size_t size = 0;
    const unsigned first = UnitAt(bytes, offset, encoding, size);
    if (!IsBreak(first)) return offset;
    if (first == L'\r' && offset + size < bytes.size()) {
        std::size_t second = 0;
        if (UnitAt(bytes, offset + size, encoding, second) == L'\n') return offset + size + second;
    }
    return offset + size;
}

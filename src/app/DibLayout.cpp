#include "app/DibLayout.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int64_t kMaxDimension = 16384;

uint32_t Read32(const uint8_t* p) { uint32_t v; std::memcpy(&v, p, 4); return v; }
uint16_t Read16(const uint8_t* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }

int64_t RowBytes(int64_t width, int bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

constexpr uint32_t kCoreHeader = sizeof(BITMAPCOREHEADER);  // 12
constexpr uint32_t kInfoHeader = sizeof(BITMAPINFOHEADER);  // 40
constexpr uint32_t kV4Header = sizeof(BITMAPV4HEADER);      // 108
constexpr uint32_t kV5Header = sizeof(BITMAPV5HEADER);      // 124
constexpr size_t kMasksAt = kInfoHeader;                    // behind a 40-byte header, inside the larger ones
constexpr size_t kV5ColourSpaceAt = 56, kV5ProfileAt = 112;
constexpr uint32_t kProfileLinked = 0x4C494E4B, kProfileEmbedded = 0x4D424544;  // "LINK", "MBED"

// Red, green and blue: each one run of set bits inside the pixel, none sharing a bit.
bool MasksConsistent(const uint8_t* masks, int bitCount)
{
    uint32_t seen = 0;
    for (int i = 0; i < 3; ++i) {
        const uint32_t mask = Read32(masks + 4 * i);
        if (mask == 0 || (bitCount == 16 && mask > 0xFFFF) || (mask & seen)) return false;
        if (((mask + (mask & (~mask + 1))) & mask) != 0) return false;  // adding the lowest bit must clear the run
        seen |= mask;
    }
    return true;
}

// A colour profile the header names lies inside the block: a context with colour
// management reads it while painting.
bool ProfileInside(const uint8_t* bytes, int64_t size)
{
    const uint32_t colourSpace = Read32(bytes + kV5ColourSpaceAt);
    if (colourSpace != kProfileLinked && colourSpace != kProfileEmbedded) return true;
    const uint32_t offset = Read32(bytes + kV5ProfileAt), length = Read32(bytes + kV5ProfileAt + 4);
    return length != 0 && int64_t(offset) + length <= size;
}

}  // namespace

bool DibPartsOf(const void* head, size_t headSize, uint64_t blockSize, DibParts& parts)
{
    const auto* bytes = static_cast<const uint8_t*>(head);
    if (!bytes || blockSize < kCoreHeader || headSize < std::min<uint64_t>(blockSize, kDibHeadBytes)) return false;
    // What the header says is checked against the whole block; only its first bytes are read.
    const int64_t size = static_cast<int64_t>(std::min<uint64_t>(blockSize, INT64_MAX / 2));
    const uint32_t headerSize = Read32(bytes);

    int64_t width = 0, height = 0, colours = 0, entrySize = 0, masks = 0;
    int64_t codedBytes = 0;  // run-length coded pixel data: its stated size
    int bitCount = 0;
    if (headerSize == kInfoHeader || headerSize == kV4Header || headerSize == kV5Header) {
        // The larger headers begin with the 40-byte one and differ only in what follows it.
        if (size < int64_t(headerSize)) return false;
        width = static_cast<int32_t>(Read32(bytes + 4));
        height = static_cast<int32_t>(Read32(bytes + 8));
        const bool topDown = height < 0;
        if (topDown) height = -height;
        if (Read16(bytes + 12) != 1) return false;
        bitCount = Read16(bytes + 14);
        const uint32_t compression = Read32(bytes + 16);
        const uint32_t sizeImage = Read32(bytes + 20);
        const uint32_t clrUsed = Read32(bytes + 32);
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
            return false;
        if (compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32)) {
            // Three masks stand behind a 40-byte header, before the colour table;
            // the larger headers hold them in their own fields.
            if (headerSize == kInfoHeader) masks = 3 * 4;
            if (size < int64_t(kMasksAt + 3 * 4) || !MasksConsistent(bytes + kMasksAt, bitCount)) return false;
        } else if (compression == BI_RLE8 || compression == BI_RLE4) {
            // The platform decodes the runs and reads no more than the stated size,
            // so that size is what has to lie inside the block. Coded rows are
            // bottom-up only.
            if (bitCount != (compression == BI_RLE8 ? 8 : 4) || topDown || sizeImage == 0) return false;
            codedBytes = sizeImage;
        } else if (compression != BI_RGB) {
            return false;
        }
        if (headerSize == kV5Header && !ProfileInside(bytes, size)) return false;
        if (clrUsed != 0) {
            if (bitCount <= 8 && clrUsed > (1u << bitCount)) return false;
            colours = clrUsed;
        } else if (bitCount <= 8) {
            colours = int64_t(1) << bitCount;
        }
        entrySize = sizeof(RGBQUAD);
    } else if (headerSize == kCoreHeader) {
        width = Read16(bytes + 4);
        height = Read16(bytes + 6);
        if (Read16(bytes + 8) != 1) return false;
        bitCount = Read16(bytes + 10);
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return false;
        colours = bitCount <= 8 ? int64_t(1) << bitCount : 0;
        entrySize = sizeof(RGBTRIPLE);
    } else {
        return false;
    }
    if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension) return false;

    const int64_t pixelOffset = int64_t(headerSize) + masks + colours * entrySize;
    const int64_t pixelBytes = codedBytes ? codedBytes : RowBytes(width, bitCount) * height;
    if (pixelOffset + pixelBytes > size) return false;

    parts.headerSize = headerSize;
    parts.bitCount = bitCount;
    parts.compression = headerSize == kCoreHeader ? BI_RGB : Read32(bytes + 16);
    parts.width = static_cast<int>(width);
    parts.height = static_cast<int>(height);
    parts.topDown = headerSize != kCoreHeader && static_cast<int32_t>(Read32(bytes + 8)) < 0;
    parts.colours = colours;
    parts.pixelOffset = pixelOffset;
    parts.pixelBytes = pixelBytes;
    parts.rowBytes = RowBytes(width, bitCount);
    return true;
}

bool DibLayoutOf(const void* data, size_t size, DibLayout& layout)
{
    DibParts parts;
    if (!DibPartsOf(data, size, size, parts)) return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    layout.info = reinterpret_cast<const BITMAPINFO*>(bytes);
    layout.bits = bytes + parts.pixelOffset;
    layout.width = parts.width;
    layout.height = parts.height;
    return true;
}

bool PaintDib(HDC dc, const void* dib, size_t size, const RECT& target)
{
    DibLayout layout;
    if (!DibLayoutOf(dib, size, layout)) return false;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    return ::StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, 0,
                           layout.width, layout.height, layout.bits, layout.info, DIB_RGB_COLORS, SRCCOPY) != 0;
}

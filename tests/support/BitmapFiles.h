// Builds bitmap files in memory for the billboard tests.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

struct BmpParams {
    int32_t width = 8;
    int32_t height = 4;
    uint16_t bitCount = 24;
    uint32_t headerSize = 40;
    uint32_t clrUsed = 0;
    uint32_t colours = 0;       // colour-table entries actually written
    uint32_t pixelBytes = 0;    // 0: exactly what the dimensions need
    uint8_t red = 0, green = 0xFF, blue = 0;  // every pixel (24 bits; colour 1 of a table)
    uint32_t compression = BI_RGB;  // BI_RLE8 or BI_RLE4: every pixel colour 1, run-length coded
    int64_t sizeImage = -1;         // biSizeImage; -1: the pixel bytes written
    std::array<uint32_t, 3> masks{};  // BI_BITFIELDS: behind a 40-byte header, inside a larger one
    bool pattern = false;  // pixel bytes and table entries all different, instead of one colour
};

// Each row one run of colour 1 (width up to 255) ended by 0 0; the picture by 0 1.
inline std::string RleStream(const BmpParams& b)
{
    const char row[] = {char(b.width), char(b.compression == BI_RLE4 ? 0x11 : 1), 0, 0};
    std::string out;
    for (int32_t y = 0; y < b.height; ++y) out.append(row, 4);
    return out + std::string("\0\1", 2);
}

inline void Put(std::string& s, size_t at, const void* p, size_t n)
{
    if (s.size() < at + n) s.resize(at + n);
    std::memcpy(&s[at], p, n);
}

inline std::string MakeBmp(const BmpParams& b)
{
    const int64_t rows = b.height < 0 ? -int64_t(b.height) : b.height;
    const int64_t stride = (int64_t(b.width) * b.bitCount + 31) / 32 * 4;
    const bool rle = b.compression == BI_RLE8 || b.compression == BI_RLE4;
    const std::string stream = rle ? RleStream(b) : std::string();
    const uint32_t pixelBytes = b.pixelBytes ? b.pixelBytes : rle ? uint32_t(stream.size()) : uint32_t(stride * rows);
    const uint32_t sizeImage = b.sizeImage >= 0 ? uint32_t(b.sizeImage) : pixelBytes;
    const uint32_t entry = b.headerSize == 12 ? 3 : 4;
    std::string out;
    // A malformed size field still gets a whole 40-byte header behind it.
    const uint32_t headerBytes = b.headerSize == 12 ? 12 : (b.headerSize > 40 ? b.headerSize : 40);
    const uint32_t maskBytes = b.compression == BI_BITFIELDS && b.headerSize == 40 ? 12 : 0;
    const uint32_t tableAt = 14 + headerBytes + maskBytes;
    const uint32_t offBits = tableAt + b.colours * entry;
    const uint32_t fileSize = offBits + pixelBytes;
    uint16_t bm = 0x4D42;
    Put(out, 0, &bm, 2);
    Put(out, 2, &fileSize, 4);
    Put(out, 10, &offBits, 4);
    Put(out, 14, &b.headerSize, 4);
    if (b.headerSize == 12) {
        uint16_t w = uint16_t(b.width), h = uint16_t(b.height), planes = 1;
        Put(out, 18, &w, 2);
        Put(out, 20, &h, 2);
        Put(out, 22, &planes, 2);
        Put(out, 24, &b.bitCount, 2);
    } else {
        uint16_t planes = 1;
        Put(out, 18, &b.width, 4);
        Put(out, 22, &b.height, 4);
        Put(out, 26, &planes, 2);
        Put(out, 28, &b.bitCount, 2);
        Put(out, 30, &b.compression, 4);
        Put(out, 34, &sizeImage, 4);
        Put(out, 46, &b.clrUsed, 4);
        if (b.compression == BI_BITFIELDS) Put(out, 54, b.masks.data(), 12);
    }
    out.resize(offBits, '\0');
    if (b.colours > 1) {
        const char colour[] = {char(b.blue), char(b.green), char(b.red)};
        Put(out, tableAt + entry, colour, 3);
    }
    for (uint32_t k = 0; b.pattern && k < b.colours; ++k) {
        const char colour[] = {char(k * 7), char(k * 13 + 5), char(k * 29 + 3)};
        Put(out, tableAt + k * entry, colour, 3);
    }
    std::string pixels(pixelBytes, '\0');
    if (b.pattern) {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = char(i * 37 + 11);
    } else if (rle) {
        pixels = stream.substr(0, pixelBytes);
        pixels.resize(pixelBytes, '\0');
    } else if (b.bitCount == 24) {
        // Only the pixels that were written: a lying header must not make this loop long.
        for (int64_t y = 0; y < rows && y * stride < int64_t(pixels.size()); ++y)
            for (int64_t x = 0; x < b.width && y * stride + x * 3 + 2 < int64_t(pixels.size()); ++x) {
                size_t at = size_t(y * stride + x * 3);
                pixels[at] = char(b.blue);
                pixels[at + 1] = char(b.green);
                pixels[at + 2] = char(b.red);
            }
    }
    return out + pixels;
}

// Checks of packed device-independent bitmaps (header, colour table, pixels; no
// file header) as the billboard reads them from the medium: untrusted bytes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// What a bitmap's header says, once checked against the size of its block.
struct DibParts {
    uint32_t headerSize = 0;     // 12, 40, 108 or 124
    int bitCount = 0;
    uint32_t compression = BI_RGB;  // BI_RGB, BI_BITFIELDS, BI_RLE8 or BI_RLE4
    int width = 0;
    int height = 0;              // rows, always positive
    bool topDown = false;
    int64_t colours = 0;         // colour-table entries
    int64_t pixelOffset = 0;     // from the start of the block
    int64_t pixelBytes = 0;      // rows with their padding, or the stated size of coded pixels
    int64_t rowBytes = 0;        // one row of uncoded pixels
};

// The most bytes of a block that DibPartsOf reads: the largest header and the
// three colour masks behind a 40-byte one.
constexpr size_t kDibHeadBytes = 124 + 3 * 4;

// Checks the header of a block of blockSize bytes whose first headSize bytes
// are at head (headSize at least the smaller of blockSize and kDibHeadBytes):
// header size 12, 40, 108 or 124, sane dimensions and bit count, colour masks of
// 16 and 32 bits (behind a 40-byte header, inside the larger ones) each one run
// of bits and apart, colour table and pixel data (and a 124-byte header's colour
// profile) inside the block. Run-length coded pixels (RLE8 with 8 bits, RLE4
// with 4 bits, bottom-up) count with their stated size, which must not be 0.
// False for anything that would be read out of bounds.
bool DibPartsOf(const void* head, size_t headSize, uint64_t blockSize, DibParts& parts);

// Where the pieces of a packed bitmap lie, once checked.
struct DibLayout {
    const BITMAPINFO* info = nullptr;  // header: 12-byte core, 40-byte info, or its 108/124-byte successors
    const void* bits = nullptr;        // pixel data
    int width = 0;
    int height = 0;                    // rows, always positive
};

// DibPartsOf for a block held whole in memory.
bool DibLayoutOf(const void* data, size_t size, DibLayout& layout);

// Stretches a packed bitmap of size bytes over target, as the backdrop shows it.
// False, and nothing drawn, when DibLayoutOf refuses the block.
bool PaintDib(HDC dc, const void* dib, size_t size, const RECT& target);

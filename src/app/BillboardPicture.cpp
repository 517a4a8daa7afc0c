#include "app/BillboardPicture.h"

#include "app/DibLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD kFileHeaderSize = 14;
// Far above any backdrop picture; keeps a damaged size field from reading for minutes.
constexpr int64_t kMaxPictureFile = 64LL * 1024 * 1024;
// Run-length coded pixels are decoded whole; a billboard's are a fraction of this.
constexpr int64_t kMaxCodedPixels = 16LL * 1024 * 1024;
constexpr int64_t kBandBytes = 1024 * 1024;
// Header, colour masks and a colour table of 256 entries: all a picture of up to
// 8 bits needs before its pixels. Deeper pictures need no table.
constexpr size_t kHeadBytes = kDibHeadBytes + 256 * sizeof(RGBQUAD);

bool ReadAt(HANDLE file, int64_t offset, void* buffer, DWORD size)
{
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    return ::ReadFile(file, buffer, size, &read, &at) && read == size;
}

// An opened bitmap file whose header was checked against its size.
struct OpenedPicture {
    fw::ScopedFile file;
    std::vector<uint8_t> head;  // the first bytes of the packed bitmap
    DibParts parts;
};

PictureCheck OpenPicture(const std::wstring& path, OpenedPicture& picture)
{
    picture.file.Reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!picture.file) return PictureCheck::NotOpened;
    LARGE_INTEGER length{};
    char type[2] = {};
    if (!::GetFileSizeEx(picture.file.Get(), &length) || length.QuadPart <= kFileHeaderSize ||
        length.QuadPart > kMaxPictureFile || !ReadAt(picture.file.Get(), 0, type, 2) || type[0] != 'B' ||
        type[1] != 'M')
        return PictureCheck::Empty;
    const uint64_t block = static_cast<uint64_t>(length.QuadPart) - kFileHeaderSize;
    picture.head.resize(static_cast<size_t>(std::min<uint64_t>(block, kHeadBytes)));
    if (!ReadAt(picture.file.Get(), kFileHeaderSize, picture.head.data(), static_cast<DWORD>(picture.head.size())) ||
        !DibPartsOf(picture.head.data(), picture.head.size(), block, picture.parts))
        return PictureCheck::Empty;
    const bool coded = picture.parts.compression == BI_RLE8 || picture.parts.compression == BI_RLE4;
    if (coded && picture.parts.pixelBytes > kMaxCodedPixels) return PictureCheck::Empty;
    return PictureCheck::Usable;
}

// A plain 40-byte header with the picture's masks or colour table behind it,
// whatever header the file has: painted from here, nothing behind the table
// (a colour profile) is read.
struct PlainInfo {
    BITMAPINFOHEADER header{};
    RGBQUAD table[256]{};
};

void MakePlainInfo(const OpenedPicture& picture, PlainInfo& info)
{
    const DibParts& parts = picture.parts;
    const uint8_t* head = picture.head.data();
    info.header = {sizeof(BITMAPINFOHEADER), parts.width, parts.height, 1, static_cast<WORD>(parts.bitCount),
                   parts.compression, 0, 0, 0, 0, 0};
    if (parts.compression == BI_BITFIELDS) {
        std::memcpy(info.table, head + sizeof(BITMAPINFOHEADER), 3 * sizeof(DWORD));  // the masks
        return;
    }
    if (parts.bitCount > 8) return;
    info.header.biClrUsed = static_cast<DWORD>(parts.colours);
    const size_t entry = parts.headerSize == sizeof(BITMAPCOREHEADER) ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
    for (int64_t i = 0; i < parts.colours; ++i) {
        const uint8_t* colour = head + parts.headerSize + i * entry;
        info.table[i] = {colour[0], colour[1], colour[2], 0};
    }
}

// Draws the uncoded pixels band by band: each band's rows go to the rows of the
// target they cover, so the bands meet without a gap.
bool DrawInBands(HDC dc, const OpenedPicture& picture, PlainInfo& info, SIZE drawn)
{
    const DibParts& parts = picture.parts;
    const int64_t rowsPerBand = std::max<int64_t>(1, kBandBytes / parts.rowBytes);
    std::vector<uint8_t> band;
    for (int64_t first = 0; first < parts.height; first += rowsPerBand) {
        const int64_t rows = std::min<int64_t>(rowsPerBand, parts.height - first);
        // Bottom-up files hold the lowest row first.
        const int64_t top = parts.topDown ? first : parts.height - first - rows;
        const int64_t y0 = top * drawn.cy / parts.height;
        const int64_t y1 = (top + rows) * drawn.cy / parts.height;
        if (y1 == y0) continue;
        band.resize(static_cast<size_t>(rows * parts.rowBytes));
        if (!ReadAt(picture.file.Get(), kFileHeaderSize + parts.pixelOffset + first * parts.rowBytes, band.data(),
                    static_cast<DWORD>(band.size())))
            return false;
        info.header.biHeight = static_cast<LONG>(parts.topDown ? -rows : rows);
        if (::StretchDIBits(dc, 0, static_cast<int>(y0), drawn.cx, static_cast<int>(y1 - y0), 0, 0, parts.width,
                            static_cast<int>(rows), band.data(), reinterpret_cast<const BITMAPINFO*>(&info),
                            DIB_RGB_COLORS, SRCCOPY) == 0)
            return false;
    }
    return true;
}

bool DrawCoded(HDC dc, const OpenedPicture& picture, PlainInfo& info, SIZE drawn)
{
    const DibParts& parts = picture.parts;
    std::vector<uint8_t> coded(static_cast<size_t>(parts.pixelBytes));
    if (!ReadAt(picture.file.Get(), kFileHeaderSize + parts.pixelOffset, coded.data(), static_cast<DWORD>(coded.size())))
        return false;
    info.header.biSizeImage = static_cast<DWORD>(coded.size());
    return ::StretchDIBits(dc, 0, 0, drawn.cx, drawn.cy, 0, 0, parts.width, parts.height, coded.data(),
                           reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY) != 0;
}

}  // namespace

PictureCheck CheckPictureFile(const std::wstring& path)
{
    OpenedPicture picture;
    return OpenPicture(path, picture);
}

fw::ScopedGlobal ReadPictureAt(const std::wstring& path, SIZE drawn)
{
    OpenedPicture picture;
    if (drawn.cx <= 0 || drawn.cy <= 0 || OpenPicture(path, picture) != PictureCheck::Usable) return {};

    BITMAPINFOHEADER target{sizeof(target), drawn.cx, -drawn.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    fw::ScopedBitmap bitmap(::CreateDIBSection(dc.Get(), reinterpret_cast<const BITMAPINFO*>(&target), DIB_RGB_COLORS,
                                               &bits, nullptr, 0));
    if (!dc || !bitmap || !bits) return {};
    const size_t pixels = static_cast<size_t>(drawn.cx) * static_cast<size_t>(drawn.cy) * 4;
    {
        fw::SelectGuard selected(dc.Get(), bitmap.Get());
        if (!selected.Selected()) return {};
        ::SetStretchBltMode(dc.Get(), COLORONCOLOR);
        PlainInfo info;
        MakePlainInfo(picture, info);
        const bool coded = picture.parts.compression == BI_RLE8 || picture.parts.compression == BI_RLE4;
        if (!(coded ? DrawCoded(dc.Get(), picture, info, drawn) : DrawInBands(dc.Get(), picture, info, drawn))) return {};
        ::GdiFlush();
    }
    fw::ScopedGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, sizeof(target) + pixels));
    if (!memory) return {};
    {
        fw::GlobalLockGuard lock(memory.Get());
        if (!lock.Data()) return {};
        auto* out = static_cast<uint8_t*>(lock.Data());
        std::memcpy(out, &target, sizeof(target));
        std::memcpy(out + sizeof(target), bits, pixels);
    }
    return memory;
}

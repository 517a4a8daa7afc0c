#include "app/Gradient.h"

#include "framework/Handles.h"

#include <vector>

HPALETTE CreateGradientPalette()
{
    constexpr int kEntries = 256;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + (kEntries - 1) * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = kEntries;
    for (int k = 0; k < kEntries; ++k)
        palette->palPalEntry[k] = PALETTEENTRY{0, 0, static_cast<BYTE>(255 - k), 0};
    return ::CreatePalette(palette);
}

int GradientBandHeight(int clientHeight)
{
    return clientHeight <= 0 ? 0 : (clientHeight + 255) / 256;
}

void PaintGradient(HDC dc, HPALETTE palette, const RECT& client)
{
    fw::PaletteGuard selected(dc, palette);
    ::RealizePalette(dc);
    const int band = GradientBandHeight(client.bottom - client.top);
    for (int i = 0; i < 256 && band > 0; ++i) {
        RECT r{client.left, client.top + i * band, client.right, client.top + (i + 1) * band};
        if (r.top >= client.bottom) break;  // the rest would be clipped anyway
        fw::ScopedBrush brush(::CreateSolidBrush(PALETTEINDEX(i)));
        ::FillRect(dc, &r, brush.Get());
    }
}

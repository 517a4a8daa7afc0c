#include "dialogs/CheckBoxPictures.h"

#include "resources/resource.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT kBaseIds[] = {IDB_CHECK, IDB_UNCHECK, IDB_CHECK_GREY};

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return {0, 0};
    return {info.bmWidth, std::abs(info.bmHeight)};
}

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, SIZE size)
{
    std::vector<std::uint32_t> pixels(static_cast<size_t>(size.cx) * size.cy);
    BITMAPINFO info = TopDown32(size.cx, size.cy);
    fw::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc || ::GetDIBits(dc.Get(), bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS) != size.cy)
        pixels.clear();
    return pixels;
}

HBITMAP BitmapOf(const std::vector<std::uint32_t>& pixels, int width, int height)
{
    BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

}  // namespace

std::vector<std::uint32_t> ResampleByArea(const std::vector<std::uint32_t>& pixels, int width, int height,
                                          int toWidth, int toHeight)
{
    std::vector<std::uint32_t> result;
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0 ||
        pixels.size() != static_cast<size_t>(width) * height)
        return result;
    result.reserve(static_cast<size_t>(toWidth) * toHeight);
    const double sx = static_cast<double>(width) / toWidth;
    const double sy = static_cast<double>(height) / toHeight;
    for (int y = 0; y < toHeight; ++y) {
        const double top = y * sy, bottom = (y + 1) * sy;
        for (int x = 0; x < toWidth; ++x) {
            const double left = x * sx, right = (x + 1) * sx;
            double sum[3] = {0, 0, 0};
            for (int v = static_cast<int>(top); v < height && v < bottom; ++v) {
                const double h = std::min<double>(v + 1, bottom) - std::max<double>(v, top);
                for (int u = static_cast<int>(left); u < width && u < right; ++u) {
                    const double w = (std::min<double>(u + 1, right) - std::max<double>(u, left)) * h;
                    const std::uint32_t p = pixels[static_cast<size_t>(v) * width + u];
                    for (int c = 0; c < 3; ++c) sum[c] += w * ((p >> (8 * c)) & 0xFF);
                }
            }
            std::uint32_t out = 0;
            for (int c = 0; c < 3; ++c) {
                const long value = std::lround(sum[c] / (sx * sy));
                out |= static_cast<std::uint32_t>(std::clamp(value, 0L, 255L)) << (8 * c);
            }
            result.push_back(out);
        }
    }
    return result;
}

CheckBoxPictures::CheckBoxPictures(HINSTANCE resources)
{
    HINSTANCE program = ::GetModuleHandleW(nullptr);
    for (int state = 0; state < 3; ++state) {
        for (int k = 1; k <= static_cast<int>(std::size(kVariantSizes)); ++k) {
            const UINT id = kBaseIds[state] + k * kVariantIdStep;
            HBITMAP bitmap = resources ? ::LoadBitmapW(resources, MAKEINTRESOURCEW(id)) : nullptr;
            if (!bitmap) bitmap = ::LoadBitmapW(program, MAKEINTRESOURCEW(id));
            variants_[state].emplace_back(bitmap);
        }
    }
}

void CheckBoxPictures::Prepare(const std::vector<HBITMAP>& baseBoxes, int size)
{
    if (size == size_ || size <= 0) return;
    for (int state = 0; state < 3; ++state) {
        // The box drawn at this size, else the smallest larger one (shrinking
        // loses less than growing), else the largest there is.
        HBITMAP source = nullptr;
        SIZE from{0, 0};
        auto consider = [&](HBITMAP candidate) {
            const SIZE at = BitmapSize(candidate);
            if (at.cx <= 0 || at.cy <= 0) return;
            const bool better = !source || (from.cx < size ? at.cx > from.cx : (at.cx >= size && at.cx < from.cx));
            if (better) {
                source = candidate;
                from = at;
            }
        };
        if (state < static_cast<int>(baseBoxes.size())) consider(baseBoxes[state]);
        for (const auto& variant : variants_[state]) consider(variant.Get());
        drawn_[state].Reset();
        if (!source) continue;
        const std::vector<std::uint32_t> pixels = PixelsOf(source, from);
        if (pixels.empty()) continue;
        const bool same = from.cx == size && from.cy == size;
        drawn_[state].Reset(BitmapOf(same ? pixels : ResampleByArea(pixels, from.cx, from.cy, size, size), size, size));
    }
    size_ = size;
}

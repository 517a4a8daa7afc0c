// The check-list boxes at each size: the box drawn for a size is taken as it is,
// any other size is scaled from a larger one without losing its ink.
#include "dialogs/CheckBoxPictures.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace {

using Pixels = std::vector<std::uint32_t>;

Pixels PixelsOf(HBITMAP bitmap, int& width, int& height)
{
    BITMAP info{};
    width = height = 0;
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return {};
    width = info.bmWidth;
    height = std::abs(info.bmHeight);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(format.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    Pixels pixels(static_cast<size_t>(width) * height);
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::GetDIBits(dc, bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
    ::DeleteDC(dc);
    for (auto& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

// How dark the picture is in all: the ink a box shows at any size.
double Ink(const Pixels& pixels)
{
    double ink = 0;
    for (std::uint32_t p : pixels) ink += 255 - (p & 0xFF);
    return ink;
}

TEST(ResampleByArea, AveragesTheAreaEachPixelCoversAndKeepsWholeMultiplesSharp)
{
    const Pixels checker = {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
    EXPECT_EQ(ResampleByArea(checker, 2, 2, 1, 1), Pixels{0x808080});
    EXPECT_EQ(ResampleByArea(checker, 2, 2, 4, 4),
              (Pixels{0, 0, 0xFFFFFF, 0xFFFFFF, 0, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 0, 0xFFFFFF,
                      0xFFFFFF, 0, 0}));
    // Channels apart: red stays red.
    EXPECT_EQ(ResampleByArea({0xFF0000, 0xFF0000}, 2, 1, 1, 1), Pixels{0xFF0000});
    // A picture whose size does not match its pixels, or an empty size, gives nothing.
    EXPECT_TRUE(ResampleByArea(checker, 3, 2, 1, 1).empty());
    EXPECT_TRUE(ResampleByArea(checker, 2, 2, 0, 3).empty());
}

TEST(CheckBoxPictures, ASizeWithABoxOfItsOwnTakesItAndOthersAreScaledFromTheNextLarger)
{
    HINSTANCE program = ::GetModuleHandleW(nullptr);
    fw::ScopedBitmap checked(::LoadBitmapW(program, MAKEINTRESOURCEW(IDB_CHECK)));
    fw::ScopedBitmap unchecked(::LoadBitmapW(program, MAKEINTRESOURCEW(IDB_UNCHECK)));
    fw::ScopedBitmap grey(::LoadBitmapW(program, MAKEINTRESOURCEW(IDB_CHECK_GREY)));
    CheckBoxPictures boxes(nullptr);
    int width = 0, height = 0;

    // 150 %: the box drawn for 20 pixels, pixel for pixel.
    boxes.Prepare({checked.Get(), unchecked.Get(), grey.Get()}, 20);
    fw::ScopedBitmap drawn20(::LoadBitmapW(program, MAKEINTRESOURCEW(IDB_CHECK_20)));
    int drawnWidth = 0, drawnHeight = 0;
    const Pixels expected = PixelsOf(drawn20.Get(), drawnWidth, drawnHeight);
    ASSERT_EQ(drawnWidth, 20);
    EXPECT_EQ(PixelsOf(boxes.Box(BoxState::kChecked), width, height), expected);
    EXPECT_EQ(boxes.Size(), 20);

    // 175 % (23 pixels): scaled down from 26, as dark in all as the 26 box
    // shrunk by area, and its frame still reaches every edge.
    boxes.Prepare({checked.Get(), unchecked.Get(), grey.Get()}, 23);
    for (BoxState state : {BoxState::kChecked, BoxState::kUnchecked, BoxState::kCheckedGrey}) {
        const Pixels scaled = PixelsOf(boxes.Box(state), width, height);
        ASSERT_EQ(width, 23);
        ASSERT_EQ(height, 23);
        const UINT id = state == BoxState::kChecked ? IDB_CHECK_26
                      : state == BoxState::kUnchecked ? IDB_UNCHECK_26 : IDB_CHECK_GREY_26;
        fw::ScopedBitmap large(::LoadBitmapW(program, MAKEINTRESOURCEW(id)));
        int largeWidth = 0, largeHeight = 0;
        const Pixels from = PixelsOf(large.Get(), largeWidth, largeHeight);
        EXPECT_NEAR(Ink(scaled), Ink(from) * (23.0 * 23) / (26.0 * 26), 23 * 23);
        for (int i = 0; i < 23; ++i) {
            EXPECT_LT(scaled[i] & 0xFF, 0x80u) << "top edge at " << i;
            EXPECT_LT(scaled[22 * 23 + i] & 0xFF, 0x80u) << "bottom edge at " << i;
        }
    }
    // Larger than every box: grown from the largest, 26.
    boxes.Prepare({checked.Get(), unchecked.Get(), grey.Get()}, 52);
    EXPECT_EQ(PixelsOf(boxes.Box(BoxState::kUnchecked), width, height).size(), size_t{52 * 52});
}

}  // namespace

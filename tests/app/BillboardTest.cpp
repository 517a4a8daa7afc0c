// Billboard loading, bitmap checks and the slideshow's tick sequence.
#include "app/Billboard.h"
#include "app/BillboardPicture.h"

#include "support/BitmapFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr SIZE kDrawn{864, 486};

class BillboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir / L"billboard\\";
        ASSERT_TRUE(MakeDirs(dir / L"billboard"));
        script = dir / L"setup.inf";
    }
    void Script(const std::wstring& billboardSection)
    {
        ASSERT_TRUE(WriteText(script, L"[SetupInfo]\r\nSourcePath=\r\n[Billboard]\r\n" + billboardSection));
    }
    void Picture(const std::wstring& name, const std::string& bytes) { ASSERT_TRUE(WriteBytes(folder + name, bytes)); }

    TempDir dir;
    std::wstring folder;
    std::wstring script;
};

TEST_F(BillboardTest, MissingFilesAreSkippedAndBadOnesStayAsEmptyPictures)
{
    Picture(L"a.bmp", MakeBmp({}));
    Picture(L"text.bmp", "this is not a bitmap at all");
    Picture(L"short.bmp", "BM\x10");
    std::string cut = MakeBmp({});
    Picture(L"cut.bmp", cut.substr(0, cut.size() - 5));
    Script(L"a.bmp=2000\r\nmissing.bmp=3000\r\ntext.bmp=1000\r\nshort.bmp=\r\ncut.bmp=500\r\n");

    Billboard billboard;
    billboard.Load(folder, script, kDrawn);
    ASSERT_EQ(billboard.Count(), 4u);
    EXPECT_TRUE(billboard.HasPicture(0));
    EXPECT_FALSE(billboard.HasPicture(1));
    EXPECT_FALSE(billboard.HasPicture(2));
    EXPECT_FALSE(billboard.HasPicture(3));
    EXPECT_EQ(billboard.Duration(0), 2000);
    EXPECT_EQ(billboard.Duration(1), 1000);
    EXPECT_EQ(billboard.Duration(2), 1000);  // an empty value has the default
    EXPECT_EQ(billboard.Duration(3), 500);
    EXPECT_EQ(billboard.Current(), 0);
    EXPECT_NE(billboard.Shown(), nullptr);
}

TEST_F(BillboardTest, NoSectionOrNoScriptMeansNoSlideshow)
{
    Billboard noScript;
    noScript.Load(folder, dir / L"absent.inf", kDrawn);
    EXPECT_EQ(noScript.Count(), 0u);
    EXPECT_EQ(noScript.Current(), -1);
    EXPECT_FALSE(noScript.Tick());
    EXPECT_EQ(noScript.Shown(), nullptr);

    ASSERT_TRUE(WriteText(script, L"[SetupInfo]\r\nSourcePath=x\r\n"));
    Billboard noSection;
    noSection.Load(folder, script, kDrawn);
    EXPECT_EQ(noSection.Count(), 0u);
    EXPECT_EQ(noSection.Current(), -1);
}

TEST_F(BillboardTest, DurationsGiveTheTickSequence)
{
    Picture(L"1.bmp", MakeBmp({}));
    Picture(L"2.bmp", MakeBmp({}));
    Picture(L"3.bmp", MakeBmp({}));
    Script(L"1.bmp=1000\r\n2.bmp=2500\r\n3.bmp=0\r\n");
    Billboard billboard;
    billboard.Load(folder, script, kDrawn);
    ASSERT_EQ(billboard.Count(), 3u);

    // Shown for 1, 3 and 1 ticks, then the first again.
    const int expected[] = {1, 1, 1, 2, 0, 1, 1, 1, 2, 0};
    const bool changes[] = {true, false, false, true, true, true, false, false, true, true};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(billboard.Tick(), changes[i]) << "tick " << i;
        EXPECT_EQ(billboard.Current(), expected[i]) << "tick " << i;
    }
}

TEST_F(BillboardTest, OneEntryRepaintsItselfEveryTickPastItsDuration)
{
    Picture(L"only.bmp", MakeBmp({}));
    Script(L"only.bmp=1000\r\n");
    Billboard billboard;
    billboard.Load(folder, script, kDrawn);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(billboard.Tick());
        EXPECT_EQ(billboard.Current(), 0);
    }
}

// Every pixel colour 1 of a full colour table, run-length coded.
void Rle(BmpParams& b, uint16_t bits)
{
    const uint32_t compression = bits == 8 ? BI_RLE8 : BI_RLE4;
    b = {.bitCount = bits, .colours = 1u << bits, .compression = compression};
}

void Masks(BmpParams& b, std::array<uint32_t, 3> masks, uint16_t bits = 16)
{
    b.bitCount = bits;
    b.compression = BI_BITFIELDS;
    b.masks = masks;
}

struct MalformedCase {
    const char* what;
    BmpParams params;
    bool valid;
};

TEST_F(BillboardTest, HeadersAreCheckedBeforeAnythingIsRead)
{
    auto with = [](auto change) { BmpParams b; change(b); return b; };
    const MalformedCase cases[] = {
        {"24-bit info header", BmpParams{}, true},
        {"8-bit with full colour table", with([](BmpParams& b) { b.bitCount = 8; b.colours = 256; }), true},
        {"8-bit, table of 4 named", with([](BmpParams& b) { b.bitCount = 8; b.clrUsed = 4; b.colours = 4; }), true},
        {"core header 24-bit", with([](BmpParams& b) { b.headerSize = 12; }), true},
        {"core header 4-bit", with([](BmpParams& b) { b.headerSize = 12; b.bitCount = 4; b.colours = 16; }), true},
        {"top-down rows", with([](BmpParams& b) { b.height = -4; }), true},
        {"biSize 0", with([](BmpParams& b) { b.headerSize = 0; }), false},
        {"biSize 200", with([](BmpParams& b) { b.headerSize = 200; }), false},
        {"biSize 108", with([](BmpParams& b) { b.headerSize = 108; }), true},
        {"biSize 56", with([](BmpParams& b) { b.headerSize = 56; }), false},
        {"masks sharing bits", with([](BmpParams& b) { Masks(b, {0xFC00, 0x07E0, 0x001F}); }), false},
        {"a mask of two runs", with([](BmpParams& b) { Masks(b, {0xF800, 0x07E0, 0x0019}); b.headerSize = 108; }), false},
        {"a zero mask", with([](BmpParams& b) { Masks(b, {0xF800, 0, 0x001F}); b.headerSize = 124; }), false},
        {"biClrUsed 2^30", with([](BmpParams& b) { b.clrUsed = 1u << 30; }), false},
        {"8-bit, biClrUsed 2^30", with([](BmpParams& b) { b.bitCount = 8; b.clrUsed = 1u << 30; b.colours = 256; }), false},
        {"8-bit, table missing", with([](BmpParams& b) { b.bitCount = 8; }), false},
        {"pixels cut short", with([](BmpParams& b) { b.pixelBytes = 10; }), false},
        {"negative width", with([](BmpParams& b) { b.width = -8; b.pixelBytes = 64; }), false},
        {"zero width", with([](BmpParams& b) { b.width = 0; }), false},
        {"zero height", with([](BmpParams& b) { b.height = 0; }), false},
        {"huge width", with([](BmpParams& b) { b.width = 0x7FFFFFFF; b.pixelBytes = 64; }), false},
        {"huge height", with([](BmpParams& b) { b.height = -0x7FFFFFFF - 1; b.pixelBytes = 64; }), false},
        {"bit count 7", with([](BmpParams& b) { b.bitCount = 7; b.pixelBytes = 64; }), false},
        {"core header 32-bit", with([](BmpParams& b) { b.headerSize = 12; b.bitCount = 32; }), false},
        {"RLE8", with([](BmpParams& b) { Rle(b, 8); }), true},
        {"RLE4", with([](BmpParams& b) { Rle(b, 4); }), true},
        {"RLE8 with 4 bits", with([](BmpParams& b) { Rle(b, 8); b.bitCount = 4; b.colours = 16; }), false},
        {"RLE8, biSizeImage 0", with([](BmpParams& b) { Rle(b, 8); b.sizeImage = 0; }), false},
        {"RLE8, biSizeImage past the file", with([](BmpParams& b) { Rle(b, 8); b.sizeImage = 1000; }), false},
        {"RLE8 top-down", with([](BmpParams& b) { Rle(b, 8); b.height = -4; }), false},
    };
    std::wstring section;
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::wstring name = L"case" + std::to_wstring(i) + L".bmp";
        Picture(name, MakeBmp(cases[i].params));
        section += name + L"=1000\r\n";
    }
    Script(section);
    Billboard billboard;
    billboard.Load(folder, script, kDrawn);
    ASSERT_EQ(billboard.Count(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(billboard.HasPicture(i), cases[i].valid) << cases[i].what;
}

TEST(DibLayout, PixelsStartBehindHeaderMasksAndColourTable)
{
    const std::string file8 = MakeBmp({.bitCount = 8, .colours = 256});
    DibLayout layout;
    ASSERT_TRUE(DibLayoutOf(file8.data() + 14, file8.size() - 14, layout));
    EXPECT_EQ(static_cast<const char*>(layout.bits) - (file8.data() + 14), 40 + 256 * 4);
    EXPECT_EQ(layout.width, 8);
    EXPECT_EQ(layout.height, 4);

    const std::string core = MakeBmp({.bitCount = 8, .headerSize = 12, .colours = 256});
    ASSERT_TRUE(DibLayoutOf(core.data() + 14, core.size() - 14, layout));
    EXPECT_EQ(static_cast<const char*>(layout.bits) - (core.data() + 14), 12 + 256 * 3);

    // Any block too small for its header is refused, whatever it says.
    for (size_t size : {0u, 3u, 11u, 39u}) EXPECT_FALSE(DibLayoutOf(file8.data() + 14, size, layout)) << size;
    EXPECT_FALSE(DibLayoutOf(nullptr, 100, layout));

    // The colour profile a 124-byte header names ("MBED": embedded) lies inside the block.
    std::string v5 = MakeBmp({.headerSize = 124});
    const uint32_t embedded = 0x4D424544, at = 124, inside = uint32_t(v5.size() - 14 - at);
    Put(v5, 14 + 56, &embedded, 4);
    Put(v5, 14 + 112, &at, 4);
    for (uint32_t length : {inside, inside + 1, 0u}) {
        Put(v5, 14 + 116, &length, 4);
        EXPECT_EQ(DibLayoutOf(v5.data() + 14, v5.size() - 14, layout), length == inside) << length;
    }
}

// The packed bitmap painted at the given size into a 32-bit memory bitmap that
// starts out in a colour none of these pictures has; empty when nothing was drawn.
std::vector<uint32_t> Painted(const void* dib, size_t size, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    fw::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    fw::ScopedBitmap bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    fw::SelectGuard selected(dc.Get(), bitmap.Get());
    std::vector<uint32_t> pixels(size_t(width) * height, 0xFF123456);
    if (!selected.Selected()) return {};
    std::memcpy(bits, pixels.data(), pixels.size() * 4);
    if (!PaintDib(dc.Get(), dib, size, RECT{0, 0, width, height})) return {};
    ::GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size() * 4);
    return pixels;
}
std::vector<uint32_t> Painted(const std::string& file) { return Painted(file.data() + 14, file.size() - 14, 13, 4); }

TEST(DibLayout, LargerHeadersPaintLikeTheirFortyByteTwins)
{
    BmpParams cases[] = {{.bitCount = 8, .colours = 256}, {.bitCount = 4, .colours = 16}, {.bitCount = 1, .colours = 2},
                         {.bitCount = 16}, {.bitCount = 16}, {.bitCount = 32}, {.bitCount = 32}};
    Masks(cases[4], {0xF800, 0x07E0, 0x001F});
    Masks(cases[6], {0x00FF0000, 0x0000FF00, 0x000000FF}, 32);
    for (BmpParams& twin : cases) {
        twin.width = 13;  // rows with padding
        twin.pattern = true;
        const std::vector<uint32_t> expected = Painted(MakeBmp(twin));
        ASSERT_EQ(expected.size(), 13u * 4) << twin.bitCount;
        EXPECT_EQ(std::count(expected.begin(), expected.end(), 0xFF123456), 0) << twin.bitCount;
        for (uint32_t header : {108u, 124u}) {
            BmpParams larger = twin;
            larger.headerSize = header;
            EXPECT_EQ(Painted(MakeBmp(larger)), expected) << header << ", " << twin.bitCount << " bits";
        }
    }
}

// Headers of every size the check takes, mutated from a fixed seed, each block
// ending right before an inaccessible page: what the check accepts lies inside
// the block and is painted from there without a fault.
TEST(DibLayout, FuzzedHeadersAreNeverReadOutsideTheirBlock)
{
    std::vector<std::string> seeds{MakeBmp({.bitCount = 8, .headerSize = 12, .colours = 256}).substr(14)};
    for (uint32_t header : {40u, 108u, 124u}) {
        BmpParams kinds[] = {{.bitCount = 8, .clrUsed = 200, .colours = 200}, {}, {}, {}};
        Rle(kinds[1], 4);
        Masks(kinds[2], {0xF800, 0x07E0, 0x001F});
        Masks(kinds[3], {0x00FF0000, 0x0000FF00, 0x000000FF}, 32);
        for (BmpParams& b : kinds) {
            b.headerSize = header;
            seeds.push_back(MakeBmp(b).substr(14));
        }
    }
    static const uint32_t kValues[] = {0, 1, 3, 4, 8, 12, 16, 32, 40, 108, 124, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF};
    unsigned state = 20261208u;
    auto below = [&](size_t n) { state = state * 1664525u + 1013904223u; return n ? size_t((state >> 8) % n) : 0; };
    const size_t page = 4096;
    char* base = static_cast<char*>(::VirtualAlloc(nullptr, 3 * page, MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    ASSERT_TRUE(base && ::VirtualProtect(base + 2 * page, page, PAGE_NOACCESS, &old));
    int accepted = 0;
    for (int i = 0; i < 4000 && !HasFailure(); ++i) {
        std::string dib = seeds[size_t(i) % seeds.size()];
        for (size_t steps = 1 + below(3); steps > 0; --steps) {
            const size_t at = below(std::min<size_t>(dib.size(), 128) / 2) * 2;
            const uint32_t value = below(4) ? kValues[below(std::size(kValues))] : uint32_t(state);
            if (below(5) == 0) dib.resize(below(dib.size() + 1));
            else std::memcpy(&dib[at], &value, std::min<size_t>(below(2) ? 2 : 4, dib.size() - at));
        }
        char* data = base + 2 * page - dib.size();
        std::memcpy(data, dib.data(), dib.size());
        DibLayout layout;
        if (!DibLayoutOf(data, dib.size(), layout)) continue;
        ++accepted;
        ASSERT_TRUE(layout.bits >= data && layout.bits <= data + dib.size()) << i;
        // Painted at its own size, so every row and the colour table are read: a read
        // past the block faults on the guard page and ends the test program.
        if (int64_t(layout.width) * layout.height <= 1 << 18) Painted(data, dib.size(), layout.width, layout.height);
    }
    ::VirtualFree(base, 0, MEM_RELEASE);
    EXPECT_GT(accepted, 400);
}

}  // namespace

namespace {

std::vector<uint32_t> PixelsOf(const fw::ScopedGlobal& picture)
{
    fw::GlobalLockGuard lock(picture.Get());
    if (!lock.Data() || lock.Size() < sizeof(BITMAPINFOHEADER)) return {};
    const auto* bytes = static_cast<const char*>(lock.Data());
    std::vector<uint32_t> pixels((lock.Size() - sizeof(BITMAPINFOHEADER)) / 4);
    std::memcpy(pixels.data(), bytes + sizeof(BITMAPINFOHEADER), pixels.size() * 4);
    return pixels;
}

// A 24-bit picture whose upper rows are red and lower rows blue, in the row order asked.
std::string TwoColourBmp(int width, int height, bool topDown)
{
    std::string bmp = MakeBmp({.width = width, .height = topDown ? -height : height});
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4, pixels = bmp.size() - size_t(height) * stride;
    for (int row = 0; row < height; ++row) {
        const int imageRow = topDown ? row : height - 1 - row;
        const char bgr[3] = {char(imageRow < height / 2 ? 0 : 255), 0, char(imageRow < height / 2 ? 255 : 0)};
        for (int x = 0; x < width; ++x) std::memcpy(&bmp[pixels + row * stride + x * 3], bgr, 3);
    }
    return bmp;
}

}  // namespace

// Each kind of header, table and coding is drawn from the file as the whole
// block would be painted: the plain header built for the bands says the same.
TEST_F(BillboardTest, PicturesReadAtTheirDrawnSizeLookAsPaintedWhole)
{
    BmpParams kinds[] = {{.bitCount = 8, .colours = 256},   {.bitCount = 4, .headerSize = 12, .colours = 16},
                         {.bitCount = 1, .colours = 2},      {.bitCount = 16},
                         {.bitCount = 32, .headerSize = 124}, {.height = -4},
                         {.bitCount = 8, .clrUsed = 20, .colours = 20}, {}, {}};
    Masks(kinds[7], {0xF800, 0x07E0, 0x001F});
    Masks(kinds[8], {0x00FF0000, 0x0000FF00, 0x000000FF}, 32);
    kinds[8].headerSize = 108;
    for (BmpParams& kind : kinds) {
        kind.width = 13;
        kind.pattern = true;
        const std::string file = MakeBmp(kind);
        Picture(L"kind.bmp", file);
        const std::vector<uint32_t> expected = Painted(file);
        ASSERT_EQ(expected.size(), 13u * 4);
        EXPECT_EQ(PixelsOf(ReadPictureAt(folder + L"kind.bmp", SIZE{13, 4})), expected)
            << kind.bitCount << " bits, header " << kind.headerSize;
    }
    BmpParams coded{.width = 13, .bitCount = 8, .colours = 256, .red = 255, .green = 0};
    Rle(coded, 8);
    Picture(L"coded.bmp", MakeBmp(coded));
    EXPECT_EQ(PixelsOf(ReadPictureAt(folder + L"coded.bmp", SIZE{13, 4})), Painted(MakeBmp(coded)));
}

// A picture larger than the backdrop is held at the backdrop's size, read in
// bands that land where their rows belong, whichever way the file orders them.
TEST_F(BillboardTest, ALargePictureIsHeldAtTheDrawnSizeWithItsRowsInPlace)
{
    for (bool topDown : {false, true}) {
        Picture(L"large.bmp", TwoColourBmp(1500, 1000, topDown));
        Script(L"large.bmp=1000\r\n");
        Billboard billboard;
        billboard.Load(folder, script, kDrawn);
        ASSERT_NE(billboard.Shown(), nullptr) << topDown;
        fw::GlobalLockGuard lock(billboard.Shown());
        ASSERT_EQ(lock.Size(), sizeof(BITMAPINFOHEADER) + 864u * 486u * 4u) << topDown;
        const auto* shown = reinterpret_cast<const uint32_t*>(static_cast<const char*>(lock.Data()) + 40);
        for (int y : {0, 100, 242}) EXPECT_EQ(shown[y * 864 + 400] & 0xFFFFFF, 0xFF0000u) << y << (topDown ? " top-down" : "");
        for (int y : {244, 400, 485}) EXPECT_EQ(shown[y * 864 + 400] & 0xFFFFFF, 0x0000FFu) << y << (topDown ? " top-down" : "");
    }
}

// A version resource is believed only when it lies inside its file: crafted and
// mutated copies of a real test library, and the blocks the version library returns.
#include "files/CraftedDll.h"

#include "files/engine/InstallFile.h"
#include "platform/SystemLibrary.h"
#include "platform/VersionResource.h"

#include <functional>
#include <vector>

namespace {

ImageVersion Check(const std::string& bytes)
{
    return CheckImageVersion(bytes.data(), bytes.size());
}

TEST(VersionResource, OnlyAResourceInsideTheFileIsBelieved)
{
    const CraftedDll dll;
    ASSERT_TRUE(dll.Found());
    using D = CraftedDll;
    const struct {
        const char* what;
        std::function<void(D&)> craft;
        ImageVersion expected;
    } cases[] = {
        {"as built", [](D&) {}, ImageVersion::Valid},
        {"16 KB claimed, 40 bytes there", [](D& d) { d.Put32(d.entry + 4, 16384).bytes.resize(d.block + 40); },
         ImageVersion::Malformed},
        {"0x7FFFFFF0 bytes claimed", [](D& d) { d.Put32(d.entry + 4, 0x7FFFFFF0); }, ImageVersion::Malformed},
        {"data address outside the file", [](D& d) { d.Put32(d.entry, 0x7FFFF000); }, ImageVersion::Malformed},
        {"resource directory outside the file", [](D& d) { d.Put32(d.ResourceDirectory(), 0x7FFFF000); },
         ImageVersion::Malformed},
        {"block longer than its data", [](D& d) { d.Put16(d.block, d.Get16(d.block) + 1); }, ImageVersion::Malformed},
        {"wrong signature", [](D& d) { d.Put32(d.block + 40, 0xFEEF04BE); }, ImageVersion::Malformed},
        {"key without terminator", [](D& d) { d.bytes[d.block + 36] = 'X'; }, ImageVersion::Malformed},
        {"language leading back to the root", [](D& d) { d.Put32(d.language + 4, 0x80000000); },
         ImageVersion::Malformed},
        {"root of 65535 entries", [](D& d) { d.Put16(d.root + 14, 0xFFFF); }, ImageVersion::Malformed},
        {"an NE file", [](D& d) { d.bytes[d.pe] = 'N', d.bytes[d.pe + 1] = 'E'; }, ImageVersion::NotImage},
        {"no version resource", [](D& d) { d = CraftedDll(L"vernone.dll"); }, ImageVersion::NoVersion},
    };
    for (const auto& c : cases) {
        CraftedDll crafted = dll;
        c.craft(crafted);
        EXPECT_EQ(c.expected, Check(crafted.bytes)) << c.what;
    }
}

TEST(VersionResource, BlockFromTheLibraryIsCheckedBeforeItIsQueried)
{
    const std::wstring path = VersionDll(L"ver2001.dll");
    DWORD ignored = 0;
    const DWORD size = VersionInfoSize(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    EXPECT_LE(size, VersionInfoSizeCap(ReadBytes(path).size()));
    std::vector<BYTE> block(size);
    ASSERT_TRUE(VersionInfo(path.c_str(), 0, size, block.data()));
    EXPECT_TRUE(VersionBlockSound(block.data(), size));
    EXPECT_FALSE(VersionBlockSound(block.data(), *reinterpret_cast<WORD*>(block.data()) - 1));

    // A 16-bit file's block: narrow key, no type word.
    std::string narrow("\x48\0\x34\0VS_VERSION_INFO\0", 20);
    narrow += std::string("\xBD\x04\xEF\xFE", 4) + std::string(48, '\0');
    EXPECT_TRUE(VersionBlockSound(narrow.data(), narrow.size()));
    std::string unterminated = narrow;
    unterminated[19] = 'X';
    EXPECT_FALSE(VersionBlockSound(unterminated.data(), unterminated.size()));
    EXPECT_GT(0x7FFFFFF0u, VersionInfoSizeCap(ReadBytes(path).size()));
}

// Variants of a real library from a fixed seed, the changes mostly in its headers
// and resources, each ending right before an inaccessible page: the check never
// reads past the file, and the whole version read of every fiftieth as a real file
// (source and destination) ends with a decision.
TEST(VersionResource, MutatedLibrariesAreReadWithoutAFault)
{
    const CraftedDll dll;
    ASSERT_TRUE(dll.Found());
    static const uint32_t kValues[] = {0, 1, 2, 16, 0x18, 0x30, 0x48, 0x130, 0x4000, 0xB000, 0x7FFFFFF0, 0x80000000,
                                       0x80000018, 0xFEEF04BD, 0xFFFFFFFF};
    unsigned state = 20261210u;
    auto below = [&](size_t n) { state = state * 1664525u + 1013904223u; return n ? size_t((state >> 8) % n) : 0; };
    const size_t page = 4096, room = (dll.bytes.size() / page + 2) * page;
    char* base = static_cast<char*>(::VirtualAlloc(nullptr, room + page, MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    ASSERT_TRUE(base && ::VirtualProtect(base + room, page, PAGE_NOACCESS, &old));
    TempDir dir;
    ScriptedUi ui;
    InstallRun run{ui};
    int valid = 0;
    for (int i = 0; i < 10000 && !::testing::Test::HasFailure(); ++i) {
        std::string bytes = dll.bytes;
        for (size_t steps = 1 + below(3); steps > 0; --steps) {
            const size_t at = below(2) ? below(0x200) : dll.root + below(dll.block + 0x60 - dll.root);
            const uint32_t value = below(3) ? kValues[below(std::size(kValues))] : state;
            if (below(8) == 0)
                bytes.resize(bytes.size() > dll.block && below(2) ? dll.block + below(bytes.size() - dll.block)
                                                                  : below(bytes.size() + 1));
            else if (at < bytes.size()) std::memcpy(&bytes[at], &value, std::min<size_t>(below(2) ? 2 : 4, bytes.size() - at));
        }
        char* data = base + room - bytes.size();
        std::memcpy(data, bytes.data(), bytes.size());
        valid += CheckImageVersion(data, bytes.size()) == ImageVersion::Valid;
        if (i % 50) continue;
        const std::wstring src = dir / L"src.dll", dst = dir / L"dst.dll";
        ASSERT_TRUE(WriteBytes(src, bytes));
        ASSERT_TRUE(WriteBytes(dst, dll.bytes));
        // A decision of the comparison, never a copy blocked by a file the check left open.
        const unsigned decided = kVifSrcOld | kVifMismatch | kVifCannotReadSrc | kVifCannotReadDst;
        EXPECT_EQ(0u, MyVerInstallFile(run, false, src, dst, true) & ~decided) << i;
        ASSERT_TRUE(WriteBytes(dst, bytes));
        ASSERT_TRUE(WriteBytes(src, dll.bytes));
        EXPECT_EQ(0u, MyVerInstallFile(run, false, src, dst, true) & ~decided) << i;
    }
    ::VirtualFree(base, 0, MEM_RELEASE);
    EXPECT_GT(valid, 1000);
    EXPECT_LT(valid, 9000);
}

}  // namespace

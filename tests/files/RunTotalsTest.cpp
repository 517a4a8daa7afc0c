// The run's totals: each file counts once, as copied (with its bytes) or as left
// in place, whatever way the engine took.
#include "FilesFixture.h"

#include "files/InstallFile.h"

namespace {

TEST_F(FilesTest, RunTotals_EachFileCountsOnceAsCopiedOrLeftInPlace)
{
    OpenLogs();
    const struct {
        const wchar_t* source;
        const wchar_t* placed;  // already at the destination; null: nothing
        bool copied;
    } cases[] = {
        {L"ver2001.dll", nullptr, true},         // a new file
        {L"ver2003.dll", L"ver2001.dll", true},  // a higher version replaces the lower
        {L"ver2001.dll", L"ver2003.dll", false}, // a lower version leaves the higher
        {L"vernone.dll", L"vernone.dll", false}, // the medium's file, bytes and date, is there
    };
    RunTotals expected;
    int n = 0;
    for (const auto& c : cases) {
        const std::wstring dest = dir / (L"dest" + std::to_wstring(n++) + L".dll");
        if (c.placed) {
            ASSERT_TRUE(::CopyFileW(VersionDll(c.placed).c_str(), dest.c_str(), FALSE));
        }
        ASSERT_EQ(InstallFile(run, VersionDll(c.source), dest, nullptr, true), 1);
        if (c.copied) {
            ++expected.copied;
            expected.bytesCopied += ReadBytes(VersionDll(c.source)).size();
        } else {
            ++expected.inPlace;
        }
        EXPECT_EQ(run.totals.copied, expected.copied) << n;
        EXPECT_EQ(run.totals.inPlace, expected.inPlace) << n;
        EXPECT_EQ(run.totals.bytesCopied, expected.bytesCopied) << n;
    }
    EXPECT_EQ(run.totals.scheduled, 0u);
}

}  // namespace

// The space figures of the path and options dialogs.
#include "files/elements/InstElement.h"
#include "files/elements/FileItem.h"
#include "files/source/FileList.h"
#include "files/elements/SpaceFigures.h"

#include <gtest/gtest.h>

namespace {

TEST(SpaceFiguresTest, ElementNeedsItsTreeRoundedToClusters)
{
    CInstElement element;
    const FileList noScan;
    EXPECT_EQ(SpaceNeeded(element, 4096, noScan), 0u);
    element.fileTree = std::make_unique<CClassItem>();
    CClassItem* root = element.fileTree.get();
    root->Add(std::make_unique<CFileItem>(L"a", 1));
    root->Add(std::make_unique<CFileItem>(L"b", 6000000000ull));
    EXPECT_EQ(SpaceNeeded(element, 4096, noScan), 4096u + 6000001024ull);
    EXPECT_EQ(SpaceNeeded(element, 1024, noScan), 1024u + 6000000000ull);
}

TEST(SpaceFiguresTest, KilobytesRoundHalfUpAndPrintWithoutDecimals)
{
    EXPECT_EQ(WholeKilobytes(0), 0.0);
    EXPECT_EQ(WholeKilobytes(511), 0.0);
    EXPECT_EQ(WholeKilobytes(512), 1.0);
    EXPECT_EQ(WholeKilobytes(1535), 1.0);
    EXPECT_EQ(WholeKilobytes(1536), 2.0);
    EXPECT_EQ(SpaceText(WholeKilobytes(8.0 * 1024 * 1024 * 1024 * 1024)), L"8589934592");
    EXPECT_EQ(SpaceText(12.0), L"12");
}

}  // namespace

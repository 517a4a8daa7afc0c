// The directory scan, sizes on disk and file counts.
#include "app/SetupState.h"
#include "files/elements/FileItem.h"
#include "files/source/FileList.h"
#include "files/FolderLink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeDirs(dir / L"Data\\Pkg\\cad"));
        ASSERT_TRUE(MakeDirs(dir / L"empty"));
        ASSERT_TRUE(WriteBytes(dir / L"top.txt", std::string(10, 'a')));
        ASSERT_TRUE(WriteBytes(dir / L"Data\\Pkg\\one.bin", std::string(1, 'b')));
        ASSERT_TRUE(WriteBytes(dir / L"Data\\Pkg\\two.bin", std::string(5000, 'c')));
        ASSERT_TRUE(WriteBytes(dir / L"Data\\Pkg\\cad\\x.cad", std::string(4096, 'd')));
    }
    TempDir dir;
    FileList scan;
};

TEST_F(FileListTest, Scan_RecordsFileSizesPerFolderUnderUpperCasedKeys)
{
    FileList list;
    list.Scan(dir.Path() + L"\\");

    const FileList::Sizes* root = list.Lookup(L"*");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(*root, FileList::Sizes({10}));

    const FileList::Sizes* pkg = list.Lookup(L"data\\pkg\\*");
    ASSERT_NE(pkg, nullptr);
    FileList::Sizes sorted = *pkg;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, FileList::Sizes({1, 5000}));

    const FileList::Sizes* cad = list.Lookup(L"DATA\\PKG\\CAD\\*");
    ASSERT_NE(cad, nullptr);
    EXPECT_EQ(*cad, FileList::Sizes({4096}));

    const FileList::Sizes* empty = list.Lookup(L"EMPTY\\*");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->empty());
    EXPECT_EQ(list.Lookup(L"DATA\\MISSING\\*"), nullptr);
    EXPECT_EQ(list.FolderCount(), 5u);  // root, empty, Data, Data\Pkg, Data\Pkg\cad
}

TEST_F(FileListTest, Scan_RemovesStarsAndSuppliesTheTrailingBackslash)
{
    FileList list;
    list.Scan(dir.Path() + L"\\*");
    ASSERT_NE(list.Lookup(L"DATA\\PKG\\CAD\\*"), nullptr);

    FileList plain;
    plain.Scan(dir.Path());  // without backslash the keys would run into the folder name
    ASSERT_NE(plain.Lookup(L"DATA\\PKG\\CAD\\*"), nullptr);
    EXPECT_EQ(*plain.Lookup(L"*"), FileList::Sizes({10}));
}

TEST_F(FileListTest, Scan_ReplacesAnEarlierScan)
{
    FileList list;
    list.Scan(dir.Path());
    list.Scan(dir / L"Data\\Pkg");
    EXPECT_EQ(list.Lookup(L"DATA\\PKG\\*"), nullptr);
    ASSERT_NE(list.Lookup(L"CAD\\*"), nullptr);
}

// A link on the medium is walked where it stays on the medium; one that leads
// off it, or back up into the walk, is not, and what it hides is told.
TEST_F(FileListTest, Scan_FollowsLinksThatStayOnTheMediumOnly)
{
    TempDir outside;
    ASSERT_TRUE(WriteBytes(outside / L"secret.txt", "not the medium's"));
    ASSERT_TRUE(MakeFolderLink(dir / L"Data\\Pkg", L"loop", L"../.."));  // back to the root
    ASSERT_TRUE(MakeFolderLink(dir / L"Data", L"alias", L"Pkg/cad"));
    // Both temporary folders share a parent.
    const std::wstring outsideName = outside.Path().substr(outside.Path().rfind(L'\\') + 1);
    ASSERT_TRUE(MakeFolderLink(dir / L"Data", L"Out", L"../../" + outsideName));
    FileList list;
    EXPECT_TRUE(list.Scan(dir.Path()));

    const FileList::Sizes* alias = list.Lookup(L"DATA\\ALIAS\\*");
    ASSERT_NE(alias, nullptr);
    EXPECT_EQ(*alias, FileList::Sizes({4096}));
    EXPECT_EQ(list.Lookup(L"DATA\\PKG\\LOOP\\*"), nullptr);
    EXPECT_EQ(list.Lookup(L"DATA\\OUT\\*"), nullptr);
    EXPECT_EQ(list.FolderCount(), 6u);

    EXPECT_NE(list.Unread(L"data\\Pkg").find(L"is a link back to"), std::wstring::npos) << list.Unread(L"data\\Pkg");
    EXPECT_NE(list.Unread(L"Data\\Out").find(L"outside the medium"), std::wstring::npos);
    EXPECT_NE(list.Unread(L"data").find(L"link"), std::wstring::npos);  // a folder below it is unread
    EXPECT_EQ(list.Unread(L"Data\\alias"), L"");
    EXPECT_EQ(list.Unread(L"empty"), L"");
}

TEST_F(FileListTest, Scan_RefusesAnEmptyRoot)
{
    FileList list;
    ASSERT_TRUE(list.Scan(dir.Path()));
    // Without a root the walk would start at the root of the current drive.
    EXPECT_FALSE(list.Scan(L"*"));
    EXPECT_EQ(list.FolderCount(), 0u);
}

TEST(SizeOnDiskTest, RoundsUpToWholeClusters)
{
    struct Case {
        uint64_t size;
        uint64_t cluster;
        uint64_t expected;
    };
    const Case cases[] = {
        {0, 4096, 0},          {1, 4096, 4096},  {4095, 4096, 4096}, {4096, 4096, 4096},
        {4097, 4096, 8192},    {8192, 4096, 8192}, {1, 512, 512},    {5000000000ull, 4096, 5000003584ull},
    };
    for (const Case& c : cases) {
        CFileItem item(L"x", c.size);
        EXPECT_EQ(item.SizeOnDisk(c.cluster, FileList()), c.expected) << c.size << " on " << c.cluster;
    }
}

TEST(SizeOnDiskTest, ClassItemsSumBeyondFourGigabytes)
{
    CClassItem root;
    auto* sub = root.Add(std::make_unique<CClassItem>(L"sub"));
    root.Add(std::make_unique<CFileItem>(L"a", 3000000000ull));
    sub->Add(std::make_unique<CFileItem>(L"b", 2000000000ull));
    sub->Add(std::make_unique<CFileItem>(L"c", 1));
    // 3,000,000,512 + 2,000,003,072 + 4,096 bytes on 4 KB clusters: over 4 GB.
    EXPECT_EQ(root.SizeOnDisk(4096, FileList()), 5000007680ull);
}

TEST_F(FileListTest, WholeFolderItemsTakeSizesAndCountsFromTheScan)
{
    scan.Scan(dir.Path());
    CClassItem root;
    auto* whole = root.Add(std::make_unique<CClassItem>());
    whole->wholeFolder = true;
    whole->Add(std::make_unique<CFileItem>(L"data\\Pkg\\*", 0));
    auto* cad = root.Add(std::make_unique<CClassItem>(L"cad"));
    cad->wholeFolder = true;
    cad->Add(std::make_unique<CFileItem>(L"data\\pkg\\cad\\*", 0));
    auto* missing = root.Add(std::make_unique<CClassItem>(L"att"));
    missing->wholeFolder = true;
    missing->Add(std::make_unique<CFileItem>(L"data\\pkg\\att\\*", 0));
    root.Add(std::make_unique<CFileItem>(L"single", 100));

    EXPECT_EQ(CountFiles(root, scan), 2 + 1 + 0 + 1);
    EXPECT_EQ(CountFiles(*missing, scan), 0);
    EXPECT_EQ(root.SizeOnDisk(4096, scan), 4096u + 8192u + 4096u + 0u + 4096u);
}

}  // namespace

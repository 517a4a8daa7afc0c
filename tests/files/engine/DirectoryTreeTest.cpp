// Folder chains, tree removal and forced deletion.
#include "files/engine/DirectoryTree.h"
#include "files/FolderLink.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(DirectoryTreeTest, CreateDirectoryTreeMakesEveryMissingParent)
{
    TempDir dir;
    EXPECT_FALSE(CreateDirectoryTree(L""));
    EXPECT_TRUE(CreateDirectoryTree(dir.Path()));  // exists already
    EXPECT_TRUE(CreateDirectoryTree(dir / L"a\\b\\c\\"));
    EXPECT_TRUE(Exists(dir / L"a\\b\\c"));
    ASSERT_TRUE(WriteBytes(dir / L"file", "x"));
    EXPECT_FALSE(CreateDirectoryTree(dir / L"file\\sub"));  // a file stands in the way
}

TEST(DirectoryTreeTest, DeleteFileForcedLeavesReadOnlyFilesUnlessForced)
{
    TempDir dir;
    const std::wstring file = dir / L"ro.txt";
    ASSERT_TRUE(WriteBytes(file, "x"));
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(DeleteFileForced(file, false));
    EXPECT_TRUE(Exists(file));
    EXPECT_TRUE(DeleteFileForced(file, true));
    EXPECT_FALSE(Exists(file));
    EXPECT_FALSE(DeleteFileForced(file, true));  // gone already
}

TEST(DirectoryTreeTest, DeleteTreeRemovesFilesAndKeepsFoldersWhenAsked)
{
    TempDir dir;
    const std::wstring root = dir / L"tree";
    ASSERT_TRUE(MakeDirs(root + L"\\sub\\deeper"));
    ASSERT_TRUE(WriteBytes(root + L"\\a.txt", "a"));
    ASSERT_TRUE(WriteBytes(root + L"\\sub\\deeper\\b.txt", "b"));
    ::SetFileAttributesW((root + L"\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_TRUE(DeleteTree(root + L"\\", true));
    EXPECT_FALSE(Exists(root + L"\\a.txt"));
    EXPECT_FALSE(Exists(root + L"\\sub\\deeper\\b.txt"));
    EXPECT_TRUE(Exists(root + L"\\sub\\deeper"));

    EXPECT_TRUE(DeleteTree(root + L"\\", false));
    EXPECT_FALSE(Exists(root));
}

TEST(DirectoryTreeTest, DeleteTreeStopsAtAFileInUse)
{
    TempDir dir;
    const std::wstring root = dir / L"tree";
    ASSERT_TRUE(MakeDirs(root));
    ASSERT_TRUE(WriteBytes(root + L"\\busy.txt", "b"));
    HeldOpen held(root + L"\\busy.txt");
    ASSERT_TRUE(held.Held());
    EXPECT_FALSE(DeleteTree(root, false));
    EXPECT_TRUE(Exists(root + L"\\busy.txt"));
}

// pkg\cad links to another folder, pkg\own\loop back to pkg: the walk neither
// empties the link's target nor loops; and no folder at all is not the current one.
TEST(DirectoryTreeTest, DeleteTreeNeverReachesThroughAFolderLink)
{
    TempDir dir;
    const std::wstring pkg = dir / L"pkg";
    const std::wstring kept = dir / L"outside\\sub\\keep.cad";
    ASSERT_TRUE(MakeDirs(dir / L"outside\\sub") && MakeDirs(pkg + L"\\own"));
    ASSERT_TRUE(WriteBytes(kept, "k") && WriteBytes(pkg + L"\\own\\old.cad", "o"));
    ASSERT_TRUE(MakeFolderLink(pkg, L"cad", L"../outside"));
    ASSERT_TRUE(MakeFolderLink(pkg + L"\\own", L"loop", L".."));

    // Success only with the link gone (Wine keeps a link to a folder that is not empty).
    const bool linkRemoved = DeleteTree(pkg + L"\\cad\\", false);
    EXPECT_EQ(linkRemoved, !Exists(pkg + L"\\cad"));
    EXPECT_TRUE(DeleteTree(pkg, true));
    EXPECT_FALSE(Exists(pkg + L"\\own\\old.cad"));
    EXPECT_TRUE(Exists(pkg + L"\\own\\loop"));  // kept like a folder
    const bool treeRemoved = DeleteTree(pkg, false);
    EXPECT_EQ(treeRemoved, !Exists(pkg));
    EXPECT_TRUE(Exists(kept));

    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW((dir / L"outside").c_str()));
    const bool emptyName = DeleteTree(L"", true);
    ::SetCurrentDirectoryW(previous);
    EXPECT_FALSE(emptyName);
    EXPECT_TRUE(Exists(kept));
}

}  // namespace

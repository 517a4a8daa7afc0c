// Folder chains, tree removal and forced deletion.
#include "files/DirectoryTree.h"
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

// pkg\cad links to another package's folder and pkg\own\loop back to pkg:
// removing old data must empty neither the link's target nor loop for ever.
TEST(DirectoryTreeTest, DeleteTreeNeverReachesThroughAFolderLink)
{
    TempDir dir;
    const std::wstring outside = dir / L"outside";
    const std::wstring pkg = dir / L"pkg";
    ASSERT_TRUE(MakeDirs(outside + L"\\sub"));
    ASSERT_TRUE(WriteBytes(outside + L"\\keep.cad", "k"));
    ASSERT_TRUE(WriteBytes(outside + L"\\sub\\keep.cad", "k"));
    ASSERT_TRUE(MakeDirs(pkg + L"\\own"));
    ASSERT_TRUE(WriteBytes(pkg + L"\\own\\old.cad", "o"));
    ASSERT_TRUE(MakeFolderLink(pkg, L"cad", L"../outside"));
    ASSERT_TRUE(MakeFolderLink(pkg + L"\\own", L"loop", L".."));

    // Success means the link itself is gone (Wine refuses to remove a link to a
    // folder that is not empty; Windows removes it).
    const bool linkRemoved = DeleteTree(pkg + L"\\cad\\", false);
    EXPECT_EQ(linkRemoved, !Exists(pkg + L"\\cad"));

    EXPECT_TRUE(DeleteTree(pkg, true));
    EXPECT_FALSE(Exists(pkg + L"\\own\\old.cad"));
    EXPECT_TRUE(Exists(pkg + L"\\own\\loop"));  // a kept folder

    const bool treeRemoved = DeleteTree(pkg, false);
    EXPECT_EQ(treeRemoved, !Exists(pkg));

    EXPECT_TRUE(Exists(outside + L"\\keep.cad"));
    EXPECT_TRUE(Exists(outside + L"\\sub\\keep.cad"));
}

TEST(DirectoryTreeTest, DeleteTreeOfNoFolderLeavesTheCurrentFolderAlone)
{
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir / L"bystander.txt", "b"));
    wchar_t previous[MAX_PATH] = {};
    ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    ASSERT_TRUE(::SetCurrentDirectoryW(dir.Path().c_str()));
    const bool kept = DeleteTree(L"", true);
    const bool removed = DeleteTree(L"", false);
    ::SetCurrentDirectoryW(previous);
    EXPECT_FALSE(kept);
    EXPECT_FALSE(removed);
    EXPECT_TRUE(Exists(dir / L"bystander.txt"));
}

}  // namespace

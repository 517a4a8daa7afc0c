// Folder creation that records what it made in the run's uninstall log.
#include "files/FilesFixture.h"

#include "files/FolderLink.h"

#include "files/engine/FolderChain.h"
#include "files/engine/RunLogs.h"

namespace {

using FolderChainTest = FilesTest;

TEST_F(FolderChainTest, CreateFolderChain_RecordsOnlyFoldersItCreated)
{
    ASSERT_TRUE(OpenUninstallLog(run, RunLogPath()));
    ASSERT_TRUE(MakeDirs(dir / L"have"));

    EXPECT_TRUE(CreateFolderChain(run, dir / L"have\\new\\deeper"));
    EXPECT_TRUE(CreateFolderChain(run, dir / L"have\\new\\other\\"));
    EXPECT_TRUE(CreateFolderChain(run, dir / L"have\\new"));  // already there
    EXPECT_FALSE(CreateFolderChain(run, L""));
    run.runLog.Close();

    EXPECT_TRUE(::GetFileAttributesW((dir / L"have\\new\\deeper").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    const std::string base = Narrow(dir.Path());
    // A folder made on the way is written as its prefix up to and with its
    // backslash; the last one as the path was given.
    EXPECT_EQ("ORVEK V3.5\ndir " + base + "\\have\\new\\\ndir " + base + "\\have\\new\\deeper\ndir " + base +
                  "\\have\\new\\other\\\n",
              ReadBytes(RunLogPath()));
}

TEST_F(FolderChainTest, CreateFolderChain_FailsBelowAFile)
{
    ASSERT_TRUE(WriteBytes(dir / L"file", "x"));
    EXPECT_FALSE(CreateFolderChain(run, dir / L"file"));
    EXPECT_FALSE(CreateFolderChain(run, dir / L"file\\sub"));
}

TEST_F(FolderChainTest, AFolderLinkThatAppearsAfterTheRunLookedIsNotWrittenThrough)
{
    ASSERT_TRUE(MakeDirs(dir / L"dst\\local") && MakeDirs(dir / L"victim"));
    std::vector<std::wstring> told;
    run.reporter = [&told](const std::wstring& line) { told.push_back(line); };
    run.installDir = dir / L"dst";
    ASSERT_TRUE(CreateFolderChain(run, dir / L"dst\\local\\PkgA\\cad"));  // the run has looked at local
    ASSERT_TRUE(MakeFolderLink(dir / L"dst\\local", L"PkgB", L"../../victim"));

    EXPECT_FALSE(CreateFolderChain(run, dir / L"dst\\local\\PkgB\\cad"));
    EXPECT_EQ(::GetFileAttributesW((dir / L"victim\\cad").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(L"PkgB"), std::wstring::npos) << told[0];
    EXPECT_TRUE(run.Refused());
}

}  // namespace

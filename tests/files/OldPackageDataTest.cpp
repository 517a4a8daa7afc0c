// Old data in package folders: what counts, what the removal takes, and when
// the user is asked (scripted answers).
#include "files/OldPackageData.h"
#include "platform/PathUtil.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

void Put(const std::wstring& path)
{
    ASSERT_TRUE(MakeDirs(FolderPart(path)));
    ASSERT_TRUE(WriteBytes(path, "x"));
}

TEST(OldPackageDataTest, OnlyDatabasesCountAsNoOldData)
{
    TempDir dir;
    const std::wstring folder = dir / L"Lumi";
    Put(folder + L"\\cad\\a.MDB");
    Put(folder + L"\\dtb\\deep\\b.rdb");
    Put(folder + L"\\other\\c.txt");  // not a category folder
    Put(folder + L"\\readme.txt");
    std::wstring parent = L"unchanged";
    EXPECT_FALSE(HasOldPackageData(folder, &parent));
    EXPECT_EQ(parent, L"unchanged");

    Put(folder + L"\\att\\x\\y\\image.bmp");
    EXPECT_TRUE(HasOldPackageData(folder + L"\\\\", &parent));
    EXPECT_EQ(parent, dir.Path());
    EXPECT_FALSE(HasOldPackageData(L"C:"));
}

TEST(OldPackageDataTest, RemovalTakesTheCategoryFoldersAndThePackagesInfoFilesOnly)
{
    TempDir dir;
    const std::wstring folder = dir / L"Lumi";
    for (const wchar_t* category : kOldDataCategories) Put(folder + L"\\" + category + L"\\sub\\f.dat");
    Put(folder + L"\\_uninst.inf");
    ::SetFileAttributesW((folder + L"\\_uninst.inf").c_str(), FILE_ATTRIBUTE_READONLY);
    Put(folder + L"\\Lumi.inf");
    Put(folder + L"\\Other.inf");
    Put(folder + L"\\keep\\k.dat");
    Put(folder + L"\\lumi.mdb");

    RemoveOldPackageData(folder + L"\\");
    for (const wchar_t* category : kOldDataCategories) EXPECT_FALSE(PathExists(JoinPath(folder, category)));
    EXPECT_FALSE(PathExists(folder + L"\\_uninst.inf"));
    EXPECT_FALSE(PathExists(folder + L"\\Lumi.inf"));
    EXPECT_TRUE(FileExists(folder + L"\\Other.inf"));
    EXPECT_TRUE(FileExists(folder + L"\\keep\\k.dat"));
    EXPECT_TRUE(FileExists(folder + L"\\lumi.mdb"));
}

TEST(OldPackageDataTest, FoldersThatAreNoPackageFolderAreLeftAlone)
{
    TempDir dir;
    Put(dir / L"cad\\f.dat");
    Put(dir / L"Lumi\\cad\\f.dat");
    Put(L"C:\\ab\\cad\\f.dat");
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(dir.Path().c_str());

    RemoveOldPackageData(L"C:\\ab");           // 5 characters
    RemoveOldPackageData(L"Lumi");             // relative
    RemoveOldPackageData(dir / L"Lumi\\..");   // its parent, really
    RemoveOldPackageData(L"");
    ::SetCurrentDirectoryW(previous);
    EXPECT_TRUE(FileExists(L"C:\\ab\\cad\\f.dat"));
    EXPECT_TRUE(FileExists(dir / L"Lumi\\cad\\f.dat"));
    EXPECT_TRUE(FileExists(dir / L"cad\\f.dat"));
    RemoveTree(L"C:\\ab");
}

TEST(OldPackageDataTest, ForAllAnswerHoldsWithinOneParentFolderOnly)
{
    TempDir dir;
    const std::wstring packages[] = {dir / L"P1\\A", dir / L"P1\\B", dir / L"P1\\C", dir / L"P2\\D"};
    for (const std::wstring& folder : packages) Put(folder + L"\\lvk\\old.ldt");
    Put(dir / L"P1\\Fresh\\cad\\only.mdb");

    ScriptedUi ui;
    ui.replaceApplyToAll = true;  // "Ja" with the check box set
    ReplaceOldDataDecision decision;
    decision.passThrough = 1;
    EXPECT_TRUE(ConfirmReplaceOldData(ui, decision, L"Fresh", dir / L"P1\\Fresh"));  // nothing to ask
    for (const std::wstring& folder : packages) {
        EXPECT_TRUE(ConfirmReplaceOldData(ui, decision, L"Maker", folder)) << folder;
        EXPECT_FALSE(PathExists(folder + L"\\lvk")) << folder;
    }
    ASSERT_EQ(ui.replaceQuestions.size(), 2u);
    EXPECT_EQ(ui.replaceQuestions[0].folder, packages[0]);
    EXPECT_TRUE(ui.replaceQuestions[0].hide);
    EXPECT_EQ(ui.replaceQuestions[1].folder, packages[3]);  // another parent folder asks again

    // "Nein" keeps the data and the package is not installed.
    Put(packages[3] + L"\\lvk\\old.ldt");
    ui.replaceApplyToAll = false;
    ui.replaceAnswers.push_back(IDNO);
    ReplaceOldDataDecision fresh;
    EXPECT_FALSE(ConfirmReplaceOldData(ui, fresh, L"Maker", packages[3]));
    EXPECT_TRUE(PathExists(packages[3] + L"\\lvk\\old.ldt"));
}

}  // namespace

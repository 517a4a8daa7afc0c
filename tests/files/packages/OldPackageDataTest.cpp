// Old data in package folders: what counts, what the removal takes, and when
// the user is asked (scripted answers).
#include "files/run/InstallRun.h"
#include "files/packages/OldPackageData.h"
#include "platform/PathUtil.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

void Put(const std::wstring& path)
{
    ASSERT_TRUE(MakeDirs(FolderPart(path)) && WriteBytes(path, "x"));
}

TEST(OldPackageDataTest, OnlyDatabasesCountAsNoOldData)
{
    TempDir dir;
    const std::wstring folder = dir / L"Lumi";
    for (const wchar_t* file : {L"cad\\a.MDB", L"dtb\\deep\\b.rdb", L"other\\c.txt", L"readme.txt"})
        Put(folder + L"\\" + file);
    std::wstring parent = L"unchanged";
    EXPECT_FALSE(HasOldPackageData(folder, &parent));
    EXPECT_EQ(parent, L"unchanged");
    Put(folder + L"\\att\\x\\image.bmp");
    EXPECT_TRUE(HasOldPackageData(folder + L"\\\\", &parent));
    EXPECT_EQ(parent, dir.Path());
}

TEST(OldPackageDataTest, RemovalTakesTheCategoryFoldersAndThePackagesInfoFilesOnly)
{
    TempDir dir;
    const std::wstring folder = dir / L"Lumi";
    for (const wchar_t* category : kOldDataCategories) Put(folder + L"\\" + category + L"\\sub\\f.dat");
    for (const wchar_t* file : {L"_uninst.inf", L"Lumi.inf", L"Other.inf", L"keep\\k.dat", L"lumi.mdb"})
        Put(folder + L"\\" + file);
    ::SetFileAttributesW((folder + L"\\_uninst.inf").c_str(), FILE_ATTRIBUTE_READONLY);
    // Not package folders: 5 characters, and the parent reached by "..".
    Put(L"C:\\ab\\cad\\f.dat");
    Put(dir / L"cad\\f.dat");
    RemoveOldPackageData(L"C:\\ab");
    RemoveOldPackageData(folder + L"\\..");
    EXPECT_TRUE(FileExists(L"C:\\ab\\cad\\f.dat"));
    EXPECT_TRUE(FileExists(dir / L"cad\\f.dat"));
    RemoveTree(L"C:\\ab");

    RemoveOldPackageData(folder + L"\\");
    for (const wchar_t* category : kOldDataCategories) EXPECT_FALSE(PathExists(JoinPath(folder, category)));
    EXPECT_FALSE(PathExists(folder + L"\\_uninst.inf"));
    EXPECT_FALSE(PathExists(folder + L"\\Lumi.inf"));
    for (const wchar_t* file : {L"Other.inf", L"keep\\k.dat", L"lumi.mdb"})
        EXPECT_TRUE(FileExists(folder + L"\\" + file));
}

TEST(OldPackageDataTest, ForAllAnswerHoldsWithinOneParentFolderOnly)
{
    TempDir dir;
    const std::wstring packages[] = {dir / L"P1\\A", dir / L"P1\\B", dir / L"P1\\C", dir / L"P2\\D"};
    for (const std::wstring& folder : packages) Put(folder + L"\\lvk\\old.ldt");
    Put(dir / L"P1\\Fresh\\cad\\only.mdb");

    ScriptedUi ui;
    InstallRun run(ui);
    ui.replaceApplyToAll = true;  // "Ja" with the check box set
    ReplaceOldDataDecision decision;
    decision.passThrough = 1;
    EXPECT_TRUE(ConfirmReplaceOldData(ui, run, decision, L"Fresh", dir / L"P1\\Fresh", dir.Path()));  // nothing to ask
    for (const std::wstring& folder : packages) {
        EXPECT_TRUE(ConfirmReplaceOldData(ui, run, decision, L"Maker", folder, dir.Path()));
        EXPECT_FALSE(PathExists(folder + L"\\lvk"));
    }
    ASSERT_EQ(ui.replaceQuestions.size(), 2u);  // the first of each parent folder
    EXPECT_EQ(ui.replaceQuestions[0].folder, packages[0]);
    EXPECT_TRUE(ui.replaceQuestions[0].hide);
    EXPECT_EQ(ui.replaceQuestions[1].folder, packages[3]);

    Put(packages[3] + L"\\lvk\\old.ldt");
    ui.replaceAnswers.push_back(IDNO);
    ReplaceOldDataDecision fresh;
    EXPECT_FALSE(ConfirmReplaceOldData(ui, run, fresh, L"Maker", packages[3], dir.Path()));
    EXPECT_TRUE(PathExists(packages[3] + L"\\lvk\\old.ldt"));
}

}  // namespace

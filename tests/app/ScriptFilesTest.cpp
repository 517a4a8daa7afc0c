// The script files beside the setup program.
#include "app/ScriptFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptFiles, SourceRootIsCutAtTheLastInstall)
{
    const struct { const wchar_t* setupDir; const wchar_t* root; } cases[] = {
        {L"D:\\Setup\\INSTALL\\", L"D:\\Setup\\"},
        {L"D:\\install\\data\\install\\", L"D:\\install\\data\\"},
        {L"E:\\Install\\Data\\", L"E:\\"},
        {L"D:\\install\\", L"D:\\"},
        {L"\\\\server\\share\\InStAlL\\", L"\\\\server\\share\\"},
    };
    for (const auto& c : cases) {
        std::wstring root = L"x";
        EXPECT_TRUE(SourceRootFromSetupDir(c.setupDir, root)) << c.setupDir;
        EXPECT_EQ(root, c.root) << c.setupDir;
    }
    std::wstring root = L"x";
    EXPECT_FALSE(SourceRootFromSetupDir(L"D:\\Setup\\Medium\\", root));
    EXPECT_EQ(root, L"");
    EXPECT_FALSE(SourceRootFromSetupDir(L"D:\\instal\\", root));
}

TEST(ScriptFiles, SourcePathWinsOverTheSetupFolder)
{
    TempDir dir;
    const std::wstring setupDir = dir.Path() + L"\\";
    std::wstring source;
    // No setup.inf and no "install" in the folder: the source cannot be found
    // (unless the temporary folder itself carries the word).
    bool derived = ResolveSourceDir(setupDir, source);
    std::wstring expected;
    EXPECT_EQ(derived, SourceRootFromSetupDir(setupDir, expected));
    EXPECT_EQ(source, expected);

    ASSERT_TRUE(WriteText(dir / L"setup.inf", L"[SetupInfo]\r\nSourcePath=Q:\\Medium\\\r\n"));
    EXPECT_TRUE(ResolveSourceDir(setupDir, source));
    EXPECT_EQ(source, L"Q:\\Medium\\");
    EXPECT_EQ(ReadSourcePath(setupDir), L"Q:\\Medium\\");

    ASSERT_TRUE(WriteText(dir / L"setup.inf", L"[SetupInfo]\r\nSourcePath=" + std::wstring(300, L'p') + L"\r\n"));
    // Read whole, so that it can be refused as too long instead of being cut.
    EXPECT_EQ(ReadSourcePath(setupDir), std::wstring(300, L'p'));
}

TEST(ScriptFiles, ARelativeSourcePathIsTakenFromTheSetupFolder)
{
    const struct { const wchar_t* value; const wchar_t* source; } cases[] = {
        {L"..", L"D:\\dvd"},         {L"..\\", L"D:\\dvd\\"},          {L"../data/", L"D:\\dvd\\data\\"},
        {L"medium", L"D:\\dvd\\install\\medium"}, {L"\\root\\", L"D:\\root\\"},
        {L"Q:\\Medium\\", L"Q:\\Medium\\"}, {L"\\\\server\\dvd", L"\\\\server\\dvd"}, {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(SourceDirFromValue(L"D:\\dvd\\install\\", c.value), c.source) << c.value;
    EXPECT_EQ(SourceDirFromValue(L"\\\\server\\share\\install\\", L"\\dvd"), L"\\\\server\\share\\dvd");
}

TEST(ScriptFiles, InstallSectionKeys)
{
    TempDir dir;
    const std::wstring script = dir / L"DataSetup.inf";
    const struct { const wchar_t* text; int dotNet; } cases[] = {
        {L"350", 350}, {L"400", 400}, {L"0", 0}, {L"-5", -5}, {L"abc", 0}, {L"", 0},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteText(script, std::wstring(L"[Install32]\r\nIni=orvek.ini\r\nDotNetFx=") + c.text + L"\r\n"));
        EXPECT_EQ(ReadDotNetFx(script, kInstallSection), c.dotNet) << c.text;
    }
    EXPECT_EQ(ReadIniName(script, kInstallSection), L"orvek.ini");
    EXPECT_EQ(ReadIniName(dir / L"missing.inf", kInstallSection), L"");
    EXPECT_EQ(ReadDotNetFx(dir / L"missing.inf", kInstallSection), 0);
}

TEST(ScriptFiles, AdminCountryKeepsTheCurrentWhenAbsent)
{
    TempDir dir;
    const std::wstring admin = dir / L"orvekAdmin.ini";
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\n[Land]\r\n"));
    EXPECT_EQ(ReadAdminCountry(admin, 49), 49);
    ASSERT_TRUE(WriteText(admin, L"[Land]\r\nCountry=41\r\n"));
    EXPECT_EQ(ReadAdminCountry(admin, 49), 41);
    EXPECT_EQ(ReadAdminCountry(dir / L"none.ini", 43), 43);
}

}  // namespace

// The pieces of an unattended run: the install folder's form, the quiet answers
// and the setup log.
#include "app/QuietUi.h"
#include "app/Sequencer.h"
#include "app/SetupLog.h"
#include "resources/resource.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(Unattended, InstallFolderLosesItsObjFolderAndKeepsADriveRoot)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\Data\\", L"C:\\Data"},          {L"C:\\Data\\OBJ\\", L"C:\\Data"},
        {L"C:\\obj\\", L"C:\\"},               {L"C:\\Data\\objects", L"C:\\Data\\objects"},
        {L"C:", L"C:\\"},                      {L"", L""},
    };
    for (const auto& [given, expected] : cases) EXPECT_EQ(NormaliseInstallDir(given), expected) << given;
}

TEST(Unattended, AQuietRunAnswersEveryBoxAndLogsTextAndAnswer)
{
    TempDir dir;
    SetupLog log;
    ASSERT_TRUE(log.Open(dir / L"setup.log"));
    ScriptedUi shown;
    QuietUi quiet(shown, log);

    EXPECT_EQ(quiet.MessageId(IDS_FILE_IN_USE, MB_ABORTRETRYIGNORE, L"C:\\x.dll"), IDIGNORE);
    EXPECT_EQ(quiet.Message(L"Failed to install file: a --> b", MB_OKCANCEL), IDOK);
    EXPECT_EQ(quiet.Message(L"Soll es angelegt werden?", MB_YESNO), IDNO);
    bool applyToAll = true;
    EXPECT_EQ(quiet.AskReplaceOldData(L"Lumina", L"C:\\local\\Lumina", false, applyToAll), IDNO);
    EXPECT_FALSE(applyToAll);
    EXPECT_EQ(quiet.ShowDotNetMissing(L"3.5", L"https://example"), IDCANCEL);
    EXPECT_TRUE(shown.messages.empty());  // nothing reached a person

    const std::string text = ReadBytes(dir / L"setup.log");
    EXPECT_NE(text.find("message: Die Datei C:\\x.dll ist in Verwendung | und kann"), std::string::npos) << text;
    EXPECT_NE(text.find("-> Ignore\r\n"), std::string::npos);
    EXPECT_NE(text.find("Failed to install file: a --> b -> OK\r\n"), std::string::npos);
    EXPECT_NE(text.find("replace the old data of Lumina in C:\\local\\Lumina? -> No"), std::string::npos);
    EXPECT_NE(text.find(".NET Framework 3.5 is missing (https://example) -> Cancel"), std::string::npos);
    // Every line starts with its time: "yyyy-mm-dd hh:mm:ss.mmm  ".
    EXPECT_EQ(text[4], '-');
    EXPECT_EQ(text[19], '.');
    EXPECT_EQ(text.substr(23, 2), "  ");
}

}  // namespace

// The check of a folder the user gives, and the space figures per drive.
#include "PageDriver.h"
#include "PageElements.h"
#include "dialogs/PathCheck.h"
#include "files/source/FileList.h"
#include "files/run/InstallRun.h"
#include "files/logs/UninstallLog.h"
#include "resources/resource.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"
#include "files/engine/RunLogs.h"

#include <gtest/gtest.h>

namespace {

TEST(PathCheckTest, RefusesPartialPathsAndFilesAcceptsFoldersAndDriveRoots)
{
    TempDir dir;
    ScriptedUi ui;
    InstallRun run{ui};
    ASSERT_TRUE(WriteBytes(dir / L"taken", "x"));
    const struct { std::wstring path; int quiet; int result; UINT message; } cases[] = {
        {L"Programme\\Orvek", 0, 0, IDS_FULL_PATH_NEEDED}, {L"C:Orvek", 1, 0, IDS_FULL_PATH_NEEDED},
        {L"c:\\", 0, 1, 0}, {std::wstring(1, MissingDrive()) + L":\\", 0, 0, 0},  // drive roots
        {dir.Path(), 0, 1, 0}, {dir / L"taken", 0, 0, IDS_FILE_EXISTS}, {dir / L"taken", 1, 0, IDS_FILE_EXISTS},
        {dir / L"neu", 1, 0, 0},  // missing, quiet: no question
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        EXPECT_EQ(ValidatePath(run, c.path, c.quiet), c.result) << std::string(c.path.begin(), c.path.end());
        EXPECT_EQ(ui.messages.empty() ? 0 : ui.messages[0].stringId, c.message);
    }
    EXPECT_EQ(::GetFileAttributesW((dir / L"neu").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PathCheckTest, AMissingFolderIsCreatedOnYesWithItsLogLinesAndAFailureGives19)
{
    TempDir dir;
    ScriptedUi ui;
    InstallRun run{ui};
    const std::wstring wanted = dir / L"neu\\tiefer";
    ui.Answer(IDNO);
    EXPECT_EQ(ValidatePath(run, wanted, 0), 0);
    EXPECT_EQ(::GetFileAttributesW((dir / L"neu").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(OpenUninstallLog(run, dir / L".UNINST.INF"));
    ui.Answer(IDYES);
    EXPECT_EQ(ValidatePath(run, wanted, 0), 1);
    run.runLog.Close();
    const std::string base(dir.Path().begin(), dir.Path().end());
    EXPECT_EQ(ReadBytes(dir / L".UNINST.INF"), "ORVEK V3.5\ndir " + base + "\\neu\\\ndir " + base + "\\neu\\tiefer\n");

    ASSERT_TRUE(WriteBytes(dir / L"datei", "x"));
    ui.Answer(IDYES);
    EXPECT_EQ(ValidatePath(run, dir / L"datei\\unter", 0), 0);
    std::vector<UINT> ids;
    for (const AskedMessage& message : ui.messages) ids.push_back(message.stringId);
    ASSERT_EQ(ids, (std::vector<UINT>{IDS_CREATE_FOLDER, IDS_CREATE_FOLDER, IDS_CREATE_FOLDER, IDS_FOLDER_NOT_CREATED}));
    EXPECT_EQ(ui.messages[0].text, L"Das Verzeichnis \"" + wanted + L"\" existiert noch nicht. Soll es jetzt angelegt werden?");
    EXPECT_EQ(ui.messages[0].flags, UINT(MB_YESNO));
    EXPECT_EQ(ui.messages[3].text, L"\"" + (dir / L"datei\\unter") + L"\" konnte nicht angelegt werden.");
    EXPECT_EQ(ui.messages[3].flags, UINT(MB_OK | MB_ICONERROR));
}

// Drive c: 4 KB clusters and 10 MB free; d: 64 KB clusters; nothing else answers.
DriveSpace TwoDrives(wchar_t letter)
{
    const wchar_t drive = LowerDriveLetter(letter);
    return drive == L'c' ? DriveSpace{true, 4096, 10u << 20} : drive == L'd' ? DriveSpace{true, 65536, 0} : DriveSpace{};
}

TEST(SpaceFigureTest, EachDriveSumsItsSelectedElementsInEitherCaseAndAnUnknownDriveGivesZero)
{
    CIEArray elements = MakeElements({{L"A", L"A"}, {L"B", L"B"}, {L"C", L"C"}});
    const struct { const wchar_t* folder; uint64_t bytes; } placed[] = {
        {L"C:\\Orvek", 1}, {L"c:\\Daten\\A", 4097}, {L"D:\\Daten\\B", 5ull << 30}, {L"d:\\Daten\\C", 1}};
    for (int i = 0; i < 4; ++i) {
        elements[i]->destination = placed[i].folder;
        GiveFiles(*elements[i], placed[i].bytes);
    }
    const FileList noScan;
    EXPECT_EQ(RequiredSpaceKB(elements, noScan, L'c', TwoDrives), 4u + 8u);
    EXPECT_EQ(RequiredSpaceKB(elements, noScan, L'D', TwoDrives), (5ull << 20) + 64);  // past 4 GB
    elements[3]->selected = 0;
    EXPECT_EQ(RequiredSpaceKB(elements, noScan, L'd', TwoDrives), 5ull << 20);
    EXPECT_EQ(FreeSpaceKB(L'C', TwoDrives), 10240.0);

    const wchar_t missing = MissingDrive();
    elements[0]->destination = std::wstring(1, missing) + L":\\Orvek";
    EXPECT_EQ(RequiredSpaceKB(elements, noScan, missing), 0u);
    EXPECT_EQ(FreeSpaceKB(missing), 0.0);
    EXPECT_GT(FreeSpaceKB(L'C'), 0.0);  // the real drive answers
}

TEST(PathCheckTest, AnInstallFolderOfTheCommandLineIsRefusedAsATypedOneWouldBe)
{
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir / L"taken", "x"));
    const std::wstring notFull = L"it is not a full path (a drive letter, \":\\\" and folder names)";
    const struct { std::wstring path; std::wstring why; } cases[] = {
        {L"C:\\Orvek\\Daten", L""}, {L"c:\\", L""}, {dir.Path(), L""},  // missing, a drive root, there
        {L"Orvek\\Daten", notFull}, {L"C:Orvek", notFull}, {L"\\\\server\\share\\Orvek", notFull},
        {L"C:\\Orvek\\..\\Windows", notFull}, {L"C:\\Or|vek", notFull}, {L"C:\\Orvek\\\\Daten", notFull},
        {L"Q:\\Orvek", L"its drive Q: is not there"}, {dir / L"taken", L"a file of that name is there"},
    };
    const DriveSpaceQuery drives = [](wchar_t letter) {
        return LowerDriveLetter(letter) == L'q' ? DriveSpace{} : GetDriveSpace(letter);
    };
    for (const auto& c : cases)
        EXPECT_EQ(InstallFolderRefusal(c.path, drives), c.why) << std::string(c.path.begin(), c.path.end());
}

}  // namespace

// Where the setup log may go: never into the program's own files, however the
// path is spelt, and never nowhere without a word.
#include "app/LogTarget.h"
#include "app/SetupLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(LogTarget, TheProgramsOwnFilesAreRefusedHoweverSpelt)
{
    TempDir dir;
    const std::wstring admin = dir / L"OrvekData\\orvekAdmin.ini";
    ASSERT_TRUE(MakeDirs(dir / L"medium\\install"));
    ASSERT_TRUE(MakeDirs(dir / L"OrvekData"));
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\n"));
    ASSERT_TRUE(WriteText(dir / L"medium\\install\\setup.inf", L"[SetupInfo]\r\n"));
    ASSERT_TRUE(::CreateHardLinkW((dir / L"innocent.log").c_str(), admin.c_str(), nullptr));
    const OwnFiles own{{{admin, L"the administration file"}, {dir / L"OrvekData\\update.log", L"the copy log"}},
                       {dir / L"medium\\"}};
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameW(admin.c_str(), shortName, MAX_PATH), 0u);
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(::SetCurrentDirectoryW((dir / L"OrvekData").c_str()));

    const std::pair<std::wstring, bool> cases[] = {
        {L"..\\OrvekData\\.\\ORVEKADMIN.ini", true}, {dir.Path() + L"/OrvekData/orvekAdmin.ini", true},
        {admin + L". ", true}, {admin + L"::$DATA", true}, {shortName, true}, {dir / L"innocent.log", true},
        {L"update.log", true},                                      // not there yet: by its path
        {dir / L"elsewhere\\_uninst.inf", true}, {L".UNINST.INF", true},  // uninstall logs by their names
        {dir / L"medium\\install\\setup.inf", true},                // a file of the medium
        {dir / L"medium\\install\\new.log", false}, {L"setup.log", false}, {dir / L"orvekAdmin.ini", false},
    };
    for (const auto& [path, refused] : cases) {
        std::wstring why;
        EXPECT_EQ(LogPathRefused(path, own, why), refused) << path;
    }
    ::SetCurrentDirectoryW(current);
    std::wstring why;
    ASSERT_TRUE(LogPathRefused(admin, own, why));
    EXPECT_EQ(why, L"it is the administration file (" + admin + L")");
}

TEST(LogTarget, ALogThatCannotBeOpenedGivesWayToTheFallbackWhichSaysWhyFirst)
{
    TempDir dir;
    const std::wstring fallback = dir / L"fallback.log";
    for (const std::wstring& path : {dir.Path(), dir / L"missing\\setup.log", std::wstring(L"NUL"),
                                     dir / (std::wstring(300, L'l') + L".log")}) {
        ::DeleteFileW(fallback.c_str());
        SetupLog log;
        bool refused = true;
        EXPECT_EQ(OpenSetupLog(log, path, false, fallback, OwnFiles{}, refused).find(L"the setup log " + path +
                                                                                       L" cannot be written ("),
                  0u)
            << path;
        EXPECT_FALSE(refused);
        log.Write(L"start");
        const std::string text = ReadBytes(fallback);
        EXPECT_LT(text.find("; this log is written instead\r\n"), text.find("start")) << path;
    }
}

}  // namespace

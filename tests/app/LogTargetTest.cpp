// Where the setup log may go: never into the program's own files, however the
// path is spelt, and never nowhere without a word.
#include "app/LogTarget.h"
#include "app/SetupLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class LogTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeDirs(dir / L"OrvekData"));
        ASSERT_TRUE(MakeDirs(dir / L"medium\\install"));
        ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=\r\n"));
        ASSERT_TRUE(WriteText(dir / L"medium\\install\\setup.inf", L"[SetupInfo]\r\n"));
        own.files.push_back({admin, L"the administration file"});
        own.files.push_back({dir / L"OrvekData\\update.log", L"the copy log of the run"});
        own.folders.push_back(dir / L"medium\\");
    }
    bool Refused(const std::wstring& path)
    {
        std::wstring why;
        return LogPathRefused(path, own, why);
    }
    std::wstring ShortName(const std::wstring& path)
    {
        wchar_t buffer[MAX_PATH] = {};
        const DWORD length = ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
        return length > 0 && length < MAX_PATH ? buffer : path;
    }

    TempDir dir;
    std::wstring admin = dir / L"OrvekData\\orvekAdmin.ini";
    OwnFiles own;
};

TEST_F(LogTargetTest, TheProgramsOwnFilesAreRefusedHoweverSpelt)
{
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(::SetCurrentDirectoryW((dir / L"OrvekData").c_str()));
    std::wstring slashed = admin;
    for (wchar_t& c : slashed)
        if (c == L'\\') c = L'/';
    std::wstring upper = admin;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(::towupper(c));
    const std::wstring refused[] = {
        admin, upper, slashed, L"orvekAdmin.ini", L"..\\OrvekData\\.\\orvekadmin.INI", admin + L".", admin + L"::$DATA",
        ShortName(admin),
        dir / L"OrvekData\\update.log",              // not there yet: by its path
        dir / L"OrvekData\\local\\Lumina\\_uninst.inf",  // an uninstall log by its name, wherever
        dir / L"elsewhere\\.uninst.inf",
        dir / L"medium\\install\\setup.inf",          // a file of the medium
    };
    for (const std::wstring& path : refused) EXPECT_TRUE(Refused(path)) << path;
    const std::wstring taken[] = {
        dir / L"OrvekData\\setup.log", dir / L"medium\\install\\new.log", dir / L"orvekAdmin.ini", L"update.log.txt",
    };
    for (const std::wstring& path : taken) EXPECT_FALSE(Refused(path)) << path;
    ::SetCurrentDirectoryW(current);

    std::wstring why;
    ASSERT_TRUE(LogPathRefused(admin, own, why));
    EXPECT_EQ(why, L"it is the administration file (" + admin + L")");
}

TEST_F(LogTargetTest, AHardLinkToTheAdministrationFileIsTheSameFile)
{
    const std::wstring link = dir / L"innocent.log";
    if (!::CreateHardLinkW(link.c_str(), admin.c_str(), nullptr)) GTEST_SKIP() << "no hard links here";
    EXPECT_TRUE(SameFile(link, admin));
    EXPECT_TRUE(Refused(link));
}

TEST_F(LogTargetTest, ALogThatCannotBeOpenedGivesWayToTheFallbackWhichSaysWhy)
{
    const std::wstring fallback = dir / L"fallback.log";
    const std::wstring unopenable[] = {
        dir / L"OrvekData", dir / L"missing\\setup.log", L"NUL", dir / (std::wstring(300, L'l') + L".log"),
    };
    for (const std::wstring& path : unopenable) {
        ::DeleteFileW(fallback.c_str());
        SetupLog log;
        bool refused = true;
        const std::wstring why = OpenSetupLog(log, path, false, fallback, own, refused);
        EXPECT_FALSE(refused) << path;
        EXPECT_EQ(why.find(L"the setup log " + path + L" cannot be written ("), 0u) << path;
        log.Write(L"start");
        const std::string text = ReadBytes(fallback);
        EXPECT_NE(text.find("cannot be written ("), std::string::npos) << path;
        EXPECT_LT(text.find("; this log is written instead\r\n"), text.find("start")) << path;
    }
}

TEST_F(LogTargetTest, ARefusedLogLeavesTheFileAsItWasAndSaysSoInTheFallback)
{
    const std::string before = ReadBytes(admin);
    const std::wstring fallback = dir / L"fallback.log";
    SetupLog log;
    bool refused = false;
    const std::wstring why = OpenSetupLog(log, admin, true, fallback, own, refused);
    log.Write(L"start");
    EXPECT_TRUE(refused);
    EXPECT_EQ(ReadBytes(admin), before);
    EXPECT_EQ(log.Path(), fallback);
    EXPECT_NE(ReadBytes(fallback).find("is refused: it is the administration file"), std::string::npos);

    // A good path is taken as it is; a quiet run without one logs to the fallback.
    SetupLog chosen;
    EXPECT_EQ(OpenSetupLog(chosen, dir / L"mine.log", false, fallback, own, refused), L"");
    EXPECT_EQ(chosen.Path(), dir / L"mine.log");
    SetupLog none;
    EXPECT_EQ(OpenSetupLog(none, L"", false, fallback, own, refused), L"");
    EXPECT_FALSE(none.IsOpen());
    EXPECT_EQ(OpenSetupLog(none, L"", true, fallback, own, refused), L"");
    EXPECT_EQ(none.Path(), fallback);
}

}  // namespace

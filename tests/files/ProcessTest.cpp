// Starting other programs for real: the recorder stands in for them.
#include "platform/Process.h"
#include "RecorderRecords.h"

#include <gtest/gtest.h>

#include <shellapi.h>

namespace {

std::vector<std::wstring> SplitLikeAProgram(const std::wstring& arguments)
{
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW((L"prog.exe " + arguments).c_str(), &count);
    std::vector<std::wstring> parts(argv + 1, argv + count);
    ::LocalFree(argv);
    return parts;
}

TEST(QuoteArgumentTest, EveryArgumentComesBackUnchanged)
{
    const std::wstring cases[] = {L"plain", L"", L"C:\\Program Files\\Orvek\\", L"say \"hi\"", L"a\\\\\"b",
                                  L"tab\there", L"ends\\", L"C:\\Daten\\"};
    std::wstring line;
    for (const std::wstring& argument : cases) line += QuoteArgument(argument) + L" ";
    const std::vector<std::wstring> parts = SplitLikeAProgram(line);
    ASSERT_EQ(parts.size(), std::size(cases));
    for (std::size_t i = 0; i < parts.size(); ++i) EXPECT_EQ(parts[i], cases[i]) << i;
    // Without need, nothing is added; a trailing backslash is doubled before the closing quote.
    EXPECT_EQ(QuoteArgument(L"C:\\Daten\\"), L"C:\\Daten\\");
    EXPECT_EQ(QuoteArgument(L"C:\\Program Files\\"), L"\"C:\\Program Files\\\\\"");
}

int g_timerCalls = 0;
void CALLBACK CountTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_timerCalls;
}

TEST(RunAndWaitTest, WaitsWhileDispatchingAndPostsAQuitAgainAfterwards)
{
    TempDir dir;
    const std::wstring program = dir / L"Mit Blank\\inst.exe";
    ASSERT_TRUE(MakeDirs(dir / L"Mit Blank"));
    ASSERT_TRUE(CopyRecorder(program));
    ASSERT_TRUE(CopyRecorder(dir / L"Mit.exe"));  // what an unquoted path would start
    EnvironmentValue log(L"RECORDER_LOG", dir / L"records.log");
    EnvironmentValue sleep(L"RECORDER_SLEEP_MS", L"600");

    g_timerCalls = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CountTimer);
    ::PostQuitMessage(7);
    EXPECT_TRUE(RunAndWait(program, QuoteArgument(L"a b"), dir.Path()));
    ::KillTimer(nullptr, timer);

    const std::vector<Record> records = ReadRecords(dir / L"records.log");
    ASSERT_EQ(records.size(), 1u);  // written before the wait ended
    EXPECT_EQ(records[0].at(L"cmdline"), L"\"" + program + L"\" \"a b\"");
    EXPECT_EQ(records[0].at(L"module"), program);
    EXPECT_EQ(records[0].at(L"cwd"), dir.Path());
    EXPECT_GE(g_timerCalls, 3);  // the thread's windows kept being served

    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(RunAndWait(dir / L"missing.exe", L"", dir.Path()));
}

TEST(StartProcessTest, StartsWithoutWaitingInTheGivenFolder)
{
    TempDir dir;
    ASSERT_TRUE(CopyRecorder(dir / L"PostSetup.exe"));
    EnvironmentValue log(L"RECORDER_LOG", dir / L"records.log");
    EnvironmentValue sleep(L"RECORDER_SLEEP_MS", L"400");

    ASSERT_TRUE(StartProcess(QuoteArgument(dir / L"PostSetup.exe") + L" " + QuoteArgument(dir.Path() + L"\\"),
                             dir.Path()));
    EXPECT_TRUE(ReadRecords(dir / L"records.log").empty());
    std::vector<Record> records;
    for (int i = 0; i < 200 && records.empty(); ++i) {
        ::Sleep(50);
        records = ReadRecords(dir / L"records.log");
    }
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].at(L"arg1"), dir.Path() + L"\\");
    EXPECT_EQ(records[0].at(L"cwd"), dir.Path());
    EXPECT_FALSE(StartProcess(QuoteArgument(dir / L"missing.exe"), std::wstring()));
}

}  // namespace

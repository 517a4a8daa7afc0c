// Starting other programs for real (the recorder stands in for them); the
// package installers' command lines are checked with the registration.
#include "platform/Process.h"
#include "RecorderRecords.h"

#include <gtest/gtest.h>

#include <shellapi.h>

namespace {

TEST(ProcessTest, QuotedArgumentsComeBackUnchanged)
{
    const std::wstring cases[] = {L"plain", L"", L"C:\\Program Files\\", L"say \"hi\"", L"a\\\\\"b", L"tab\there"};
    std::wstring line = L"prog.exe";
    for (const std::wstring& argument : cases) line += L" " + QuoteArgument(argument);
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &count);
    ASSERT_EQ(count, 1 + static_cast<int>(std::size(cases)));
    for (int i = 1; i < count; ++i) EXPECT_EQ(argv[i], cases[i - 1]);
    ::LocalFree(argv);
    EXPECT_EQ(QuoteArgument(L"C:\\Daten\\"), L"C:\\Daten\\");  // nothing added without need
}

int g_timerCalls = 0;
void CALLBACK CountTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_timerCalls;
}

TEST(ProcessTest, WaitServesMessagesAndPostsAQuitAgainStartDoesNotWait)
{
    TempDir dir;
    const std::wstring program = dir / L"inst.exe";
    const std::string once = RecordOf(program, dir.Path());
    ASSERT_TRUE(CopyRecorder(program));
    RecorderSettings recorder(dir / L"records.log", L"500");

    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CountTimer);
    ::PostQuitMessage(7);
    EXPECT_TRUE(RunAndWait(program, L"", dir.Path()));
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(ReadBytes(dir / L"records.log"), once);
    EXPECT_GE(g_timerCalls, 3);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);

    ASSERT_TRUE(StartProcess(L"\"" + program + L"\"", dir.Path()));
    EXPECT_EQ(ReadBytes(dir / L"records.log"), once);  // not yet the second
    for (int i = 0; i < 200 && ReadBytes(dir / L"records.log") == once; ++i) ::Sleep(50);
    EXPECT_EQ(ReadBytes(dir / L"records.log"), once + once);
}

}  // namespace

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

std::wstring g_release;  // made by the timer below, served while RunAndWait waits
void CALLBACK ReleaseRecorder(HWND, UINT, UINT_PTR, DWORD)
{
    WriteBytes(g_release, "");
}

// A program below a folder deeper than MAX_PATH is started by a short form that
// fits and names the same file; a path that fits is started as it is.
TEST(ProcessTest, AProgramTooLongToStartByIsNamedByItsShortForm)
{
    TempDir dir;
    const std::wstring deep = dir / (std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e'));
    ASSERT_TRUE(MakeDirs(L"\\\\?\\" + deep));
    const std::wstring program = deep + L"\\install.exe";
    ASSERT_GE(program.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(CopyRecorder(L"\\\\?\\" + program));

    const std::wstring shortForm = ShortFormWhenLong(program);
    ASSERT_LT(shortForm.size(), static_cast<size_t>(MAX_PATH));
    wchar_t longForm[1024] = {};
    ASSERT_GT(::GetLongPathNameW(shortForm.c_str(), longForm, 1024), 0u);
    EXPECT_EQ(::CompareStringOrdinal(longForm, -1, program.c_str(), -1, TRUE), CSTR_EQUAL) << shortForm;
    EXPECT_EQ(ShortFormWhenLong(dir / L"install.exe"), dir / L"install.exe");
    // Removed here: below MAX_PATH only the long form reaches them.
    ::DeleteFileW((L"\\\\?\\" + program).c_str());
    ::RemoveDirectoryW((L"\\\\?\\" + deep).c_str());
}

TEST(ProcessTest, WaitServesMessagesAndPostsAQuitAgainStartDoesNotWait)
{
    TempDir dir;
    const std::wstring program = dir / L"inst.exe", records = dir / L"records.log";
    const std::string once = RecordOf(program, dir.Path());
    ASSERT_TRUE(CopyRecorder(program));
    {
        // The program ends only once this thread's timer has fired: the wait must serve messages.
        RecorderSettings recorder(records, dir / L"released by the timer");
        g_release = recorder.release;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, ReleaseRecorder);
        ::PostQuitMessage(7);
        DWORD exitCode = STILL_ACTIVE;
        EXPECT_TRUE(RunAndWait(program, L"", dir.Path(), &exitCode));
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(exitCode, 0u);  // 101: never released
        EXPECT_EQ(ReadBytes(records), once);
        MSG msg;
        ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 7u);
    }

    RecorderSettings recorder(records, dir / L"released by the test");
    ASSERT_TRUE(StartProcess(L"\"" + program + L"\"", dir.Path()));
    EXPECT_EQ(ReadBytes(records), once);  // it waits for its release, and so the start did not
    ASSERT_TRUE(recorder.Release());
    EXPECT_TRUE(PumpUntil([&] { return ReadBytes(records) != once; }, 60000)) << "no second record";
    EXPECT_EQ(ReadBytes(records), once + once);
}

}  // namespace

// INI access through the private-profile operations: buffer limits and bad files.
#include "platform/Profile.h"
#include "support/PlatformProfile.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <gtest/gtest.h>

namespace {

TEST(Profile, ValuesAreCutAtTheBufferAsThePlatformCutsThem)
{
    TempDir dir;
    const std::wstring file = dir / L"values.ini";
    const std::wstring v511(511, L'a');
    const std::wstring v600(600, L'b');
    ASSERT_TRUE(WriteText(file, L"[s]\r\nexact=" + v511 + L"\r\nlong=" + v600 + L"\r\nshort=x\r\n"));

    EXPECT_EQ(ReadProfileText(file, L"s", L"exact", 512), v511);
    EXPECT_EQ(ReadProfileText(file, L"s", L"long", 512), std::wstring(511, L'b'));
    EXPECT_EQ(ReadProfileText(file, L"s", L"long", 80), std::wstring(79, L'b'));
    EXPECT_EQ(ReadProfileText(file, L"s", L"short", 2), L"x");
    EXPECT_EQ(ReadProfileText(file, L"s", L"missing", 512, L"dflt"), L"dflt");
    EXPECT_EQ(ReadProfileText(dir / L"absent.ini", L"s", L"short", 512), L"");
}

TEST(Profile, KeyListsComeInFileOrder)
{
    TempDir dir;
    const std::wstring file = dir / L"keys.ini";
    ASSERT_TRUE(WriteText(file, L"[s]\r\nzeta=1\r\nAlpha=2\r\nmid=3\r\n[empty]\r\n"));

    EXPECT_EQ(ReadProfileKeys(file, L"s"), (std::vector<std::wstring>{L"zeta", L"Alpha", L"mid"}));
    EXPECT_TRUE(ReadProfileKeys(file, L"empty").empty());
    EXPECT_TRUE(ReadProfileKeys(file, L"nosuch").empty());
}

TEST(Profile, BinaryGarbageReadsAsNothingUseful)
{
    TempDir dir;
    const std::wstring file = dir / L"garbage.ini";
    std::string bytes;
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>(seed >> 16));
    }
    ASSERT_TRUE(WriteBytes(file, bytes));
    for (const auto& key : ReadProfileKeys(file, L"manufacturers")) EXPECT_LT(key.size(), 32000u);
    EXPECT_LE(ReadProfileText(file, L"manufacturers", L"x", 512).size(), 511u);
}

TEST(Profile, WritesRoundTripAndReadOnlyFilesAreRefused)
{
    TempDir dir;
    const std::wstring file = dir / L"w.ini";
    EXPECT_EQ(ProfileWriteError(file), 0u);  // new file in an existing folder
    EXPECT_NE(ProfileWriteError(dir / L"nofolder\\w.ini"), 0u);
    ASSERT_TRUE(WriteProfileText(file, L"s", L"k", L"value"));
    EXPECT_EQ(ReadProfileText(file, L"s", L"k", 512), L"value");
    EXPECT_EQ(ReadProfileNumber(file, L"s", L"k", 7), 0);
    ASSERT_TRUE(WriteProfileText(file, L"s", L"n", FormatNumber(-42)));
    EXPECT_EQ(ReadProfileNumber(file, L"s", L"n", 7), -42);

    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(ProfileWriteError(file), 0u);
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The caller tells why a record was not written: the error the write would
// meet, whatever an earlier call left as the thread's last error.
TEST(Profile, AFileThatCannotBeWrittenSaysWhy)
{
    TempDir dir;
    ASSERT_TRUE(WriteText(dir / L"plain.ini", L"[s]\r\n") && WriteText(dir / L"locked.ini", L"[s]\r\n") &&
                WriteText(dir / L"fixed.ini", L"[s]\r\n") && WriteText(dir / L"afile", L"x"));
    ASSERT_TRUE(::CreateDirectoryW((dir / L"folder.ini").c_str(), nullptr));
    ASSERT_TRUE(::SetFileAttributesW((dir / L"fixed.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    HeldOpen held(dir / L"locked.ini");
    ASSERT_TRUE(held.Held());
    const struct {
        const wchar_t* name;
        DWORD error;
    } cases[] = {
        {L"plain.ini", 0},
        {L"new.ini", 0},
        {L"fixed.ini", ERROR_ACCESS_DENIED},
        {L"folder.ini", ERROR_ACCESS_DENIED},
        {L"locked.ini", ERROR_SHARING_VIOLATION},
        {L"nofolder\\new.ini", ERROR_PATH_NOT_FOUND},
        {L"afile\\new.ini", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ::SetLastError(ERROR_INVALID_FUNCTION);
        EXPECT_EQ(ProfileWriteError(dir / test.name), test.error);
    }
    ::SetFileAttributesW((dir / L"fixed.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace

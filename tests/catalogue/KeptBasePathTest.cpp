// The user's data base path kept beside the administration file while a run
// has the medium's data folder there.
#include "catalogue/KeptBasePath.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(KeptBasePath, PutBackOnlyWhileTheFileStillHoldsTheMediumsPath)
{
    TempDir dir;
    const std::wstring admin = dir / L"orvekAdmin.ini";
    const std::wstring kept = KeptBasePathFile(admin);
    std::wstring users;
    EXPECT_FALSE(KeptBasePath(admin, L"D:\\dvd\\data", users));

    ASSERT_TRUE(KeepBasePath(admin, L"C:\\Users\\Daten ä", L"D:\\DVD\\data"));
    ASSERT_TRUE(KeepBasePath(admin, L"C:\\Users\\Daten ä", L"D:\\dvd\\data"));  // a second keep replaces the first
    EXPECT_TRUE(KeptBasePath(admin, L"D:\\DVD\\DATA", users));
    EXPECT_EQ(users, L"C:\\Users\\Daten ä");
    EXPECT_NE(::GetFileAttributesW(kept.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(ForgetKeptBasePath(admin));
    EXPECT_EQ(::GetFileAttributesW(kept.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(ForgetKeptBasePath(admin));

    // The user chose another path since: the kept one no longer applies and goes.
    ASSERT_TRUE(KeepBasePath(admin, L"C:\\Users\\Daten", L"D:\\dvd\\data"));
    users = L"unchanged";
    EXPECT_FALSE(KeptBasePath(admin, L"E:\\Chosen", users));
    EXPECT_EQ(users, L"unchanged");
    EXPECT_EQ(::GetFileAttributesW(kept.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeepBasePath(admin, L"C:\\a\r\nD:\\b", L"D:\\dvd\\data"));
}

}  // namespace

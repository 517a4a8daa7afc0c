// What the administration file records of where a package went, in the file's
// own encoding: an 8-bit file never gets a folder name that leads elsewhere.
#include "files/packages/AdminFolderNames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(AdminFolderNamesTest, EachEncodingGetsTheNamesItCanHold)
{
    if (::GetACP() != 1252) GTEST_SKIP() << "code page " << ::GetACP();
    TempDir dir;
    const std::wstring greek = dir / L"\u03a6\u03c9\u03c2";  // there: it has a short name
    ASSERT_TRUE(MakeDirs(greek));
    wchar_t shortGreek[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetShortPathNameW(greek.c_str(), shortGreek, MAX_PATH));
    const std::wstring polish = L"\u0141\u00f3d\u017a";
    struct Case {
        std::wstring destination;
        ProfileEncoding encoding;
        bool recorded;
        std::wstring localpath;
        std::wstring dirname;
    } cases[] = {
        {L"C:\\Data\\Lumi\\", ProfileEncoding::Ansi, true, L"C:\\Data", L"Lumi"},
        {L"C:\\Data\\M\u00fcller", ProfileEncoding::Ansi, true, L"C:\\Data", L"M\u00fcller"},
        {L"C:\\Data\\" + polish, ProfileEncoding::Ansi, false, L"", L""},
        {L"C:\\Data\\" + polish, ProfileEncoding::Utf16Le, true, L"C:\\Data", polish},
        {greek + L"\\Lumi", ProfileEncoding::Ansi, true, shortGreek, L"Lumi"},
        {dir / L"\u5149\\Lumi", ProfileEncoding::Ansi, false, L"", L""},  // not there: no short name
    };
    for (const Case& c : cases) {
        std::wstring localpath;
        std::wstring dirname;
        std::wstring why;
        ASSERT_EQ(c.recorded, AdminFolderNames(c.destination, c.encoding, localpath, dirname, why)) << c.destination;
        EXPECT_EQ(c.recorded, why.empty()) << why;
        if (!c.recorded) continue;
        EXPECT_EQ(c.localpath, localpath) << c.destination;
        EXPECT_EQ(c.dirname, dirname) << c.destination;
    }
}

}  // namespace

// Names in 8-bit files: exactly, by a short name that leads to the same file,
// or not at all; never a look-alike.
#include "platform/AnsiNames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// The test programs run with the Western page (LANG of the Wine process).
bool WesternPage()
{
    return ::GetACP() == 1252;
}

std::wstring LongForm(const std::wstring& path)
{
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = ::GetLongPathNameW(path.c_str(), buffer, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(buffer, length) : std::wstring();
}

struct NameCase {
    const wchar_t* name;
    const char* exact;    // the bytes, or null: no exact form
    const char* display;  // AnsiText
};
const NameCase kNames[] = {
    {L"readme.txt", "readme.txt", "readme.txt"},
    {L"M\u00fcller Stra\u00dfe \u00e9t\u00e9.cad", "M\xfcller Stra\xdf" "e \xe9t\xe9.cad", nullptr},
    {L"\u0141\u00f3d\u017a.cad", nullptr, "?\xf3" "d?.cad"},              // Polish: best fit would say "Lodz"
    {L"\u03a6\u03c9\u03c2.pic", nullptr, "???.pic"},                      // Greek
    {L"\u5149.dtb", nullptr, "?.dtb"},                                    // CJK
    {L"Lampe \U0001F4A1.cad", nullptr, "Lampe ??.cad"},                   // emoji: a surrogate pair
};

TEST(AnsiNamesTest, ExactAnsi_GivesTheBytesOnlyWhereEveryCharacterHasItsOwn)
{
    if (!WesternPage()) GTEST_SKIP() << "code page " << ::GetACP();
    for (const NameCase& c : kNames) {
        std::string bytes = "left over";
        const bool exact = ExactAnsi(c.name, bytes);
        EXPECT_EQ(c.exact != nullptr, exact) << c.name;
        EXPECT_EQ(c.exact ? std::string(c.exact) : std::string(), bytes) << c.name;
        // Display texts never take a look-alike either.
        EXPECT_EQ(c.display ? std::string(c.display) : std::string(c.exact), AnsiText(c.name)) << c.name;
    }
}

class AnsiNameOfTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(AnsiNameOfTest, NamesAFileBySpellingOrByAShortNameThatLeadsToIt)
{
    if (!WesternPage()) GTEST_SKIP() << "code page " << ::GetACP();
    for (const NameCase& c : kNames) {
        const std::wstring path = dir / c.name;
        ASSERT_TRUE(WriteBytes(path, "x")) << c.name;
        const std::wstring name = AnsiNameOf(path);
        if (c.exact) {
            EXPECT_EQ(path, name);
            continue;
        }
        ASSERT_FALSE(name.empty()) << c.name;
        EXPECT_TRUE(IsExactAnsi(name)) << name;
        EXPECT_NE(path, name);
        EXPECT_EQ(path, LongForm(name)) << c.name << L" as " << name;
    }
}

TEST_F(AnsiNameOfTest, AFolderGivesItsShortNameToWhatIsNotThereYet)
{
    if (!WesternPage()) GTEST_SKIP() << "code page " << ::GetACP();
    const std::wstring folder = dir / L"\u0141\u00f3d\u017a";
    ASSERT_TRUE(MakeDirs(folder));
    const std::wstring shortFolder = AnsiNameOf(folder + L"\\");
    ASSERT_FALSE(shortFolder.empty());
    EXPECT_EQ(L'\\', shortFolder.back());
    EXPECT_EQ(folder, LongForm(shortFolder.substr(0, shortFolder.size() - 1)));
    // A plain name below it, not there yet: the folder's short name and the name.
    EXPECT_EQ(shortFolder + L"cad\\lamp.cad", AnsiNameOf(folder + L"\\cad\\lamp.cad"));
    // A name that does not convert and is not there has no short name yet.
    EXPECT_EQ(L"", AnsiNameOf(folder + L"\\\u5149.dtb"));
    EXPECT_EQ(L"", AnsiNameOf(dir / L"\u03a6\u03c9\u03c2\\lamp.cad"));
}

}  // namespace

// Catalogue versions in natural order.
#include "catalogue/Firma.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(VersionOrder, DigitRunsCompareAsNumbers)
{
    const struct { const wchar_t* newer; const wchar_t* older; } cases[] = {
        {L"10", L"9"},
        {L"2008.10", L"2008.9"},
        {L"2009.1", L"2008.12"},
        {L"V10", L"V9"},
        {L"1.10.0", L"1.9.9"},
        {L"5", L""},
        {L"2008.9b", L"2008.9a"},
        {L"2008.9.1", L"2008.9"},
        {L"b", L"a"},
    };
    for (const auto& c : cases) {
        EXPECT_GT(CompareVersions(c.newer, c.older), 0) << c.newer << " > " << c.older;
        EXPECT_LT(CompareVersions(c.older, c.newer), 0) << c.older << " < " << c.newer;
    }
}

TEST(VersionOrder, EqualLengthRunsKeepTheTextOrder)
{
    EXPECT_EQ(CompareVersions(L"2008.10", L"2008.10"), 0);
    EXPECT_EQ(CompareVersions(L"", L""), 0);
    EXPECT_LT(CompareVersions(L"12", L"21"), 0);
    // Equal numbers written differently fall back to the text comparison.
    EXPECT_NE(CompareVersions(L"01", L"1"), 0);
    EXPECT_EQ(CompareVersions(L"01", L"1"), -CompareVersions(L"1", L"01"));
    // Case: the locale's collation decides, as for the whole text.
    EXPECT_EQ(CompareVersions(L"abc", L"ABC") > 0, ::CompareStringW(LOCALE_USER_DEFAULT, 0, L"abc", -1, L"ABC", -1) > CSTR_EQUAL);
}

}  // namespace

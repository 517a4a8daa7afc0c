// Language numbers and the country table.
#include "app/Countries.h"

#include <gtest/gtest.h>

namespace {

TEST(Countries, LookupFindsTheFirstRowExactly)
{
    const struct { const wchar_t* abbreviation; int code; } cases[] = {
        {L"ALB", 355}, {L"DEU", 49}, {L"USA", 1}, {L"CHE", 41}, {L"LIE", 41}, {L"RUS", 7},
        {L"ZWE", 263}, {L"$$$", 0},  {L"deu", 0}, {L"De", 0},   {L"", 0},     {L"DEUX", 0},
        {L"XYZ", 0},   {L"CAN", 2},  {L"MCO", 33},
    };
    for (const auto& c : cases) EXPECT_EQ(LookupCountry(c.abbreviation), c.code) << c.abbreviation;
}

TEST(Countries, CheckAcceptsSharedCodesAndTheCatchAll)
{
    for (int code : {1, 7, 33, 0, 49, 263, 886}) EXPECT_TRUE(IsKnownCountry(code)) << code;
    for (int code : {999, -1, 3, 8, 100000}) EXPECT_FALSE(IsKnownCountry(code)) << code;
}

TEST(Countries, SupportedLanguagesAreTheTwentyTwo)
{
    int supported = 0;
    for (int n = -5; n < 1024; ++n) supported += IsSupportedLanguage(n) ? 1 : 0;
    EXPECT_EQ(supported, 22);
    for (int n : {7, 9, 99, 204, 2, 4}) EXPECT_TRUE(IsSupportedLanguage(n)) << n;
    for (int n : {0, 8, 17, 1, 205}) EXPECT_FALSE(IsSupportedLanguage(n)) << n;
    EXPECT_EQ(kSupportedLanguages[0], 7);
    EXPECT_EQ(kSupportedLanguages[21], 204);
}

}  // namespace

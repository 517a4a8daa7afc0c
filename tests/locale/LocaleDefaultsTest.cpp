// Run once per locale by CTest (LANG/LC_ALL set): the defaults taken from the
// system must match what the command line asks for.
#include "app/Countries.h"
#include "app/SetupApp.h"
#include "app/SetupState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {
int g_expectLanguage = -1;
int g_expectCountry = -1;
}

TEST(LocaleDefaults, LanguageAndCountryComeFromTheSystem)
{
    ASSERT_GE(g_expectLanguage, 0) << "--expect-language=N missing";
    ASSERT_GE(g_expectCountry, 0) << "--expect-country=N missing";
    EXPECT_EQ(SystemDefaultLanguage(), g_expectLanguage);
    EXPECT_EQ(SystemDefaultCountry(), g_expectCountry);

    SetupState state;
    ApplyCommandLine(state, L"setup.exe");
    EXPECT_EQ(state.defaultLanguage, g_expectLanguage);
    EXPECT_EQ(state.defaultCountry, g_expectCountry);
    EXPECT_EQ(state.language, g_expectLanguage);
    EXPECT_EQ(state.country, g_expectCountry);
}

int wmain(int argc, wchar_t** argv)
{
    int gtestArgc = 1;
    char name[] = "locale_tests";
    char* gtestArgv[] = {name, nullptr};
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg.rfind(L"--expect-language=", 0) == 0) g_expectLanguage = std::stoi(arg.substr(18));
        if (arg.rfind(L"--expect-country=", 0) == 0) g_expectCountry = std::stoi(arg.substr(17));
    }
    ::testing::InitGoogleTest(&gtestArgc, gtestArgv);
    return RUN_ALL_TESTS();
}

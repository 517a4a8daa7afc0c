// The command line, split as the platform splits it and applied over the system defaults.
#include "app/Countries.h"
#include "app/SetupApp.h"
#include "app/SetupState.h"

#include <gtest/gtest.h>

#include <set>

namespace {

SetupState Parse(const std::wstring& arguments)
{
    SetupState state;
    std::wstring commandLine = L"\"C:\\medium\\install\\setup.exe\" " + arguments;
    ApplyCommandLine(state, commandLine.c_str());
    return state;
}

struct FlagCase {
    const wchar_t* arguments;
    bool silent;
    bool reinstall;
};

TEST(CommandLine, SilentAndReinstallFlagsAreExactAndCaseSensitive)
{
    const FlagCase cases[] = {
        {L"/S", true, false},          {L"-S", true, false},        {L"/silent", true, false},
        {L"/s", false, false},         {L"/SILENT", false, false},  {L"S", false, false},
        {L"/F", false, true},          {L"-reinstall", false, true}, {L"/f", false, false},
        {L"/S /F", true, true},        {L"/Silent", false, false},  {L"", false, false},
    };
    for (const auto& c : cases) {
        SetupState state = Parse(c.arguments);
        EXPECT_EQ(state.silent, c.silent) << c.arguments;
        EXPECT_EQ(state.reinstall, c.reinstall) << c.arguments;
    }
}

struct PathCase {
    const wchar_t* arguments;
    const wchar_t* installPath;
};

TEST(CommandLine, InstallPathTakesTheNextPlainArgument)
{
    const PathCase cases[] = {
        {L"/installpath C:\\Data\\", L"C:\\Data"},
        {L"/installpath C:\\", L"C:\\"},
        {L"-P D:\\x", L"D:\\x"},
        {L"/installpath /S D:\\x", L""},                      // the option in between clears the expectation
        {L"/P \"C:\\Program Files\\Orvek\\\\\"", L"C:\\Program Files\\Orvek"},  // quoted, blanks kept
        {L"D:\\x /P", L""},                                   // nothing follows
        {L"/P D:\\x E:\\y", L"D:\\x"},                        // only the next one
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.arguments).commandInstallPath, c.installPath) << c.arguments;
}

struct ManufacturerCase {
    const wchar_t* arguments;
    std::set<std::wstring> selection;
};

TEST(CommandLine, ManufacturerListsAccumulateUntilCompleteOrNone)
{
    const ManufacturerCase cases[] = {
        {L"/manufacturers ABC;DEF, none", {L"ABC", L"DEF"}},  // "none" is a second, plain argument
        {L"/manufacturers \"ABC;DEF, none\"", {L"none"}},
        {L"/M DEF,ABC", {L"ABC", L"DEF"}},
        {L"/M \";;, ,\"", {}},
        {L"/M ABC /M DEF", {L"ABC", L"DEF"}},
        {L"/M ABC /M \"complete;XYZ\"", {L"complete"}},
        {L"/M \"none,complete\"", {L"none"}},
        {L"/M abc,ABC,abc", {L"ABC", L"abc"}},
        {L"/M ABC DEF", {L"ABC"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.arguments).manufacturerSelection, c.selection) << c.arguments;
}

TEST(CommandLine, AnEmptyManufacturerListIsToldApartFromNone)
{
    // Given and empty: the run refuses it (an unset variable of a deployment script).
    for (const wchar_t* given : {L"/M \"\"", L"/M", L"/S /manufacturers", L"/M /S", L"/M \";;, ,\""}) {
        const SetupState state = Parse(given);
        EXPECT_TRUE(state.manufacturersGiven) << given;
        EXPECT_TRUE(state.manufacturerSelection.empty()) << given;
    }
    EXPECT_FALSE(Parse(L"/S").manufacturersGiven);
}

TEST(CommandLine, ManufacturerListWithNoneInOneArgumentKeepsOnlyNone)
{
    // The shell hands "ABC;DEF," and "none" as two arguments; the list option takes only the first.
    SetupState state = Parse(L"/manufacturers ABC;DEF,none");
    EXPECT_EQ(state.manufacturerSelection, (std::set<std::wstring>{L"none"}));
}

struct LanguageCase {
    const wchar_t* arguments;
    int commandLanguage;
    bool selectsIt;
};

TEST(CommandLine, LanguageOptionIsAcceptedOnlyWhenSupported)
{
    const LanguageCase cases[] = {
        {L"/L:7", 7, true},     {L"/L:8", 8, false},   {L"/L:x", 0, false},   {L"/Lang:12", 12, true},
        {L"\"/L: 9\"", 9, true},    {L"/L:+16", 16, true}, {L"/L:-7", -7, false}, {L"/L:204abc", 204, true},
        {L"/L:", -1, false},    {L"/L", -1, false},    {L"/l:7", -1, false},  {L"/L:99999999999", INT_MAX, false},
    };
    for (const auto& c : cases) {
        SetupState state = Parse(c.arguments);
        EXPECT_EQ(state.commandLanguage, c.commandLanguage) << c.arguments;
        EXPECT_EQ(state.language, c.selectsIt ? c.commandLanguage : state.defaultLanguage) << c.arguments;
    }
}

struct CountryCase {
    const wchar_t* arguments;
    int commandCountry;
};

TEST(CommandLine, CountryOptionLooksUpTheAbbreviation)
{
    const CountryCase cases[] = {
        {L"/C:DEU", 49}, {L"/C:USA", 1},  {L"/C:deu", 0}, {L"/C:XYZ", 0},
        {L"/C:$$$", 0},  {L"/C:", -1},    {L"/Country:FRA", 33}, {L"/c:DEU", -1},
    };
    for (const auto& c : cases) {
        SetupState state = Parse(c.arguments);
        EXPECT_EQ(state.commandCountry, c.commandCountry) << c.arguments;
        // Every looked-up code is a known one (0 is the catch-all row), so it replaces the default.
        EXPECT_EQ(state.country, c.commandCountry >= 0 ? c.commandCountry : state.defaultCountry) << c.arguments;
    }
}

TEST(CommandLine, DefaultsComeFromTheSystemWithoutOptions)
{
    SetupState state = Parse(L"");
    EXPECT_TRUE(IsSupportedLanguage(state.defaultLanguage));
    EXPECT_EQ(state.language, state.defaultLanguage);
    EXPECT_EQ(state.country, state.defaultCountry);
    EXPECT_EQ(state.commandLanguage, -1);
    EXPECT_EQ(state.commandCountry, -1);
}

TEST(CommandLine, UnknownOptionsAndPlainArgumentsChangeNothing)
{
    SetupState plain = Parse(L"");
    SetupState state = Parse(L"/x -unknown foo \"bar baz\" /HELP /Sx");
    EXPECT_FALSE(state.silent);
    EXPECT_FALSE(state.reinstall);
    EXPECT_TRUE(state.commandInstallPath.empty());
    EXPECT_TRUE(state.manufacturerSelection.empty());
    EXPECT_FALSE(state.help);
    EXPECT_EQ(state.language, plain.language);
    EXPECT_EQ(state.country, plain.country);
}

}  // namespace

namespace {

TEST(CommandLine, QuietImpliesSilentAndLogTakesTheNextArgument)
{
    const SetupState quiet = Parse(L"/Q /log \"C:\\a b\\setup.log\"");
    EXPECT_TRUE(quiet.quiet);
    EXPECT_TRUE(quiet.silent);
    EXPECT_EQ(quiet.logPath, L"C:\\a b\\setup.log");
    const SetupState plain = Parse(L"/S /q -log");
    EXPECT_TRUE(plain.silent);
    EXPECT_FALSE(plain.quiet);  // options are case-sensitive
    EXPECT_TRUE(plain.logPath.empty());
}

TEST(CommandLine, HelpIsAskedForWithQuestionMarkOrHelp)
{
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"/?", true}, {L"-help", true}, {L"/S /help", true}, {L"/Help", false}, {L"?", false}, {L"/h", false}};
    for (const auto& [arguments, help] : cases) EXPECT_EQ(Parse(arguments).help, help) << arguments;
}

}  // namespace

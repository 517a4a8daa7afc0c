// Paths too long for the run's path fields are refused with a text, never cut.
#include "app/PathFields.h"
#include "app/SetupState.h"

#include <gtest/gtest.h>

namespace {

TEST(PathFields, UpTo259CharactersFitAndLongerOnesAreRefusedByName)
{
    const struct { PathOrigin origin; const wchar_t* name; } origins[] = {
        {PathOrigin::InstallPath, L"The installation path"},
        {PathOrigin::SourcePath, L"The source path (SourcePath in setup.inf)"},
        {PathOrigin::DataScript, L"The path of the setup script"},
        {PathOrigin::MainIniFile, L"The path of the settings file"},
    };
    const std::wstring fits = L"C:\\" + std::wstring(256, L'f');
    const std::wstring tooLong = fits + L"x";
    for (const auto& o : origins) {
        std::wstring message = L"untouched";
        EXPECT_TRUE(PathFitsField(fits, o.origin, message));
        EXPECT_EQ(message, L"untouched");
        EXPECT_FALSE(PathFitsField(tooLong, o.origin, message));
        EXPECT_EQ(message, std::wstring(o.name) + L" is too long: 260 characters, at most 259.\n\n" + tooLong);
    }
}

TEST(PathFields, StartUpChecksTheCommandLinePathAndTheDataScript)
{
    SetupState state;
    std::wstring message;
    const std::wstring shortDir = L"D:\\medium\\install\\";
    EXPECT_TRUE(StartPathsFit(state, shortDir, message));  // no /P given
    EXPECT_TRUE(message.empty());

    state.commandInstallPath = L"C:\\" + std::wstring(257, L'p');
    EXPECT_FALSE(StartPathsFit(state, shortDir, message));
    EXPECT_EQ(message.find(L"The installation path is too long: 260 characters"), 0u) << message;

    // The data script beside the program: folder + "DataSetup.inf" (13 characters).
    state.commandInstallPath = L"C:\\Data";
    const std::wstring deepDir = L"D:\\" + std::wstring(243, L'd') + L"\\";
    EXPECT_FALSE(StartPathsFit(state, deepDir, message));
    EXPECT_EQ(message.find(L"The path of the setup script is too long: 260 characters"), 0u) << message;
    EXPECT_TRUE(StartPathsFit(state, deepDir.substr(1), message));
}

}  // namespace

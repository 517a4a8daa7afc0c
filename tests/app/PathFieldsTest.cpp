// Paths too long for the run's path fields are refused with a text, never cut.
#include "app/PathFields.h"
#include "app/SetupState.h"

#include <gtest/gtest.h>

namespace {

TEST(PathFields, MoreThan259CharactersAreRefusedByName)
{
    const std::wstring fits = L"C:\\" + std::wstring(256, L'f');
    std::wstring message = L"untouched";
    EXPECT_TRUE(PathFitsField(fits, PathOrigin::SourcePath, message));
    EXPECT_EQ(message, L"untouched");
    EXPECT_FALSE(PathFitsField(fits + L"x", PathOrigin::SourcePath, message));
    EXPECT_EQ(message, L"The source path (SourcePath in setup.inf) is too long: 260 characters, at most 259.\n\n" +
                           fits + L"x");
}

TEST(PathFields, StartUpChecksTheDataScriptAndOnlyRecordsTheCommandLinePath)
{
    SetupState state;
    std::wstring message;
    EXPECT_TRUE(StartPathsFit(state, L"D:\\medium\\install\\", message));  // no /P
    // /P is recorded only: no length of it ends the run.
    state.commandInstallPath = L"C:\\" + std::wstring(1000, L'p');
    EXPECT_TRUE(StartPathsFit(state, L"D:\\medium\\install\\", message));
    // The program's folder and "DataSetup.inf": 260 characters.
    EXPECT_FALSE(StartPathsFit(state, L"D:\\" + std::wstring(243, L'd') + L"\\", message));
    EXPECT_EQ(message.find(L"The path of the setup script is too long"), 0u);
}

}  // namespace

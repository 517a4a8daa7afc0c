// The paths derived from the program file's own name.
#include "app/SetupApp.h"

#include <gtest/gtest.h>

namespace {

TEST(ModulePaths, ScriptAndFolderFollowTheProgramName)
{
    const struct { const wchar_t* module; const wchar_t* script; const wchar_t* dir; } cases[] = {
        {L"D:\\install\\setup.exe", L"D:\\install\\setup.inf", L"D:\\install\\"},
        {L"D:\\install\\install.exe", L"D:\\install\\install.inf", L"D:\\install\\"},
        {L"Z:\\tmp\\m x\\INSTALL\\Setup.EXE", L"Z:\\tmp\\m x\\INSTALL\\Setup.inf", L"Z:\\tmp\\m x\\INSTALL\\"},
        {L"C:\\setup.exe", L"C:\\setup.inf", L"C:\\"},
        {L"\\\\server\\share\\dvd\\setup.exe", L"\\\\server\\share\\dvd\\setup.inf", L"\\\\server\\share\\dvd\\"},
    };
    for (const auto& c : cases) {
        std::wstring script, dir;
        DeriveModulePaths(c.module, script, dir);
        EXPECT_EQ(script, c.script) << c.module;
        EXPECT_EQ(dir, c.dir) << c.module;
    }
}

TEST(ModulePaths, TheRunningProgramGivesItsOwnFolder)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, path, MAX_PATH), 4u);
    std::wstring script, dir;
    DeriveModulePaths(path, script, dir);
    std::wstring module = path;
    EXPECT_EQ(dir, module.substr(0, module.find_last_of(L'\\') + 1));
    EXPECT_EQ(script, module.substr(0, module.size() - 4) + L".inf");
}

}  // namespace

// A package's installer as its catalogue names it: the program stays in the
// package's plg folder, whatever switches follow its name.
#include "files/packages/InstallerCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallerCommand, TheProgramComesFromPlgAndTheRestAreItsArguments)
{
    TempDir dir;
    const std::wstring plg = dir / L"plg";
    ASSERT_TRUE(MakeDirs(plg + L"\\sub"));
    for (const wchar_t* name : {L"install.exe", L"my setup.exe", L"sub\\inst.exe"})
        ASSERT_TRUE(WriteBytes(plg + L"\\" + name, "MZ"));

    const struct {
        const wchar_t* plugin;
        const wchar_t* program;  // below plg
        const wchar_t* arguments;
    } taken[] = {
        {L"install.exe", L"install.exe", L""},
        {L"install.exe /S", L"install.exe", L"/S"},
        {L"install.exe  /S /D=C:\\Orvek", L"install.exe", L"/S /D=C:\\Orvek"},
        {L"\\install.exe /S", L"install.exe", L"/S"},
        {L"my setup.exe", L"my setup.exe", L""},  // a whole name with a blank
        {L"sub\\inst.exe -q", L"sub\\inst.exe", L"-q"},
        {L"gone.exe", L"gone.exe", L""},  // not there: its start fails and says so
    };
    for (const auto& c : taken) {
        InstallerCommand command;
        ASSERT_TRUE(InstallerCommandOf(plg, c.plugin, command)) << c.plugin;
        EXPECT_EQ(command.program, plg + L"\\" + c.program) << c.plugin;
        EXPECT_EQ(command.arguments, c.arguments) << c.plugin;
    }
    for (const wchar_t* outside : {L"..\\install.exe", L"..\\install.exe /S", L"C:\\windows\\notepad.exe /S",
                                   L"\\\\server\\share\\install.exe"}) {
        InstallerCommand command;
        EXPECT_FALSE(InstallerCommandOf(plg, outside, command)) << outside;
        EXPECT_TRUE(command.program.empty());
    }
}

}  // namespace

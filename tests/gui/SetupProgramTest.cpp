// The real setup.exe, started from a medium in a temporary folder.
#include "support/BitmapFiles.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The folder of the built setup.exe, as a Windows path.
std::wstring BuiltSetup()
{
    return WinePathOf(SETUP_EXE_DIR) + L"\\setup.exe";
}

struct Started {
    PROCESS_INFORMATION pi{};
    bool ok = false;
    ~Started()
    {
        if (!ok) return;
        // A test that stopped early must not leave a run holding the one-run lock.
        if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(pi.hProcess, 1);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
};

void Start(Started& child, const std::wstring& program, const std::wstring& arguments, const wchar_t* holdMs)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    ::SetEnvironmentVariableW(L"SETUP_HOLD_MS", holdMs);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    child.ok = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &si, &child.pi) != FALSE;
    ::SetEnvironmentVariableW(L"SETUP_HOLD_MS", nullptr);
}

class SetupProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        install = dir / L"install";
        ASSERT_TRUE(MakeDirs(install + L"\\billboard"));
        ASSERT_TRUE(::CopyFileW(BuiltSetup().c_str(), (install + L"\\setup.exe").c_str(), FALSE))
            << "no setup.exe at " << std::string(SETUP_EXE_DIR);
        ASSERT_TRUE(WriteBytes(install + L"\\billboard\\one.bmp", MakeBmp({.width = 64, .height = 36})));
        ASSERT_TRUE(WriteText(install + L"\\setup.inf", L"[SetupInfo]\r\n[Billboard]\r\none.bmp=2000\r\n"));
        // These runs are about a machine without the product: its administration file steps aside.
        hadAdmin = ::MoveFileExW(kAdminFile, kAdminAside, MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    void TearDown() override
    {
        if (hadAdmin) ::MoveFileExW(kAdminAside, kAdminFile, MOVEFILE_REPLACE_EXISTING);
    }

    static constexpr const wchar_t* kAdminFile = L"C:\\ProgramData\\Orvekhaus\\OrvekData\\orvekAdmin.ini";
    static constexpr const wchar_t* kAdminAside = L"C:\\ProgramData\\Orvekhaus\\OrvekData\\orvekAdmin.ini.aside";
    bool hadAdmin = false;

    TempDir dir;
    std::wstring install;
};

// Without an installed product the quiet run ends by itself, on an error.
TEST_F(SetupProgramTest, ShowsTheBackdropAndEndsByItselfWithoutAnAdministrationFile)
{
    Started child;
    Start(child, install + L"\\setup.exe", L"/Q", L"4000");
    ASSERT_TRUE(child.ok) << ::GetLastError();

    // Found once it is shown with its title (a loaded machine starts a program slowly).
    HWND window = nullptr;
    for (int i = 0; i < 1200 && !(window && ::IsWindowVisible(window)); ++i) {
        window = ::FindWindowW(nullptr, L"ORVEK Installation");
        if (!(window && ::IsWindowVisible(window))) ::Sleep(25);
    }
    ASSERT_NE(window, nullptr) << "no window titled ORVEK Installation";
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 864);
    EXPECT_EQ(client.bottom, 486);
    EXPECT_TRUE(::IsWindowVisible(window));
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, child.pi.dwProcessId);

    ASSERT_EQ(::WaitForSingleObject(child.pi.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(child.pi.hProcess, &code);
    EXPECT_EQ(code, 1603u);
}

TEST_F(SetupProgramTest, WithoutAnyScriptItStillEndsCleanly)
{
    ::DeleteFileW((install + L"\\setup.inf").c_str());
    Started child;
    Start(child, install + L"\\setup.exe", L"/Q /M \"A;B\" /L:8 /C:xyz", nullptr);
    ASSERT_TRUE(child.ok);
    ASSERT_EQ(::WaitForSingleObject(child.pi.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(child.pi.hProcess, &code);
    EXPECT_EQ(code, 1603u);
}

TEST_F(SetupProgramTest, AnInstallPathOfAnyLengthIsRecordedOnly)
{
    const std::wstring log = dir / L"setup.log";
    Started child;
    Start(child, install + L"\\setup.exe", L"/Q /log \"" + log + L"\" /P C:\\" + std::wstring(300, L'p'), nullptr);
    ASSERT_TRUE(child.ok);
    ASSERT_EQ(::WaitForSingleObject(child.pi.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(child.pi.hProcess, &code);
    EXPECT_EQ(code, 1603u);  // this machine has no administration file
    const std::string text = ReadBytes(log);
    EXPECT_EQ(text.find("too long"), std::string::npos) << text;
    EXPECT_NE(text.find("the run ends: no administration file on this machine"), std::string::npos) << text;
}

}  // namespace

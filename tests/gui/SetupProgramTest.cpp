// The real setup.exe, started from a medium in a temporary folder.
#include "support/BitmapFiles.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <gtest/gtest.h>

#include <cwchar>
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

void Start(Started& child, const std::wstring& program, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    child.ok = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &si, &child.pi) != FALSE;
}

// A visible top-level window of a process, of a class and with a title (nullptr: any).
struct WindowSearch {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* title;
    HWND found = nullptr;
};

BOOL CALLBACK TestWindow(HWND window, LPARAM param)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t text[256] = {};
    if (owner != search.pid || !::IsWindowVisible(window)) return TRUE;
    if (search.className && (!::GetClassNameW(window, text, 256) || std::wstring(text) != search.className)) return TRUE;
    if (search.title && (!::GetWindowTextW(window, text, 256) || std::wstring(text) != search.title)) return TRUE;
    search.found = window;
    return FALSE;
}

// The window searched for, waited for up to ms milliseconds (a loaded machine starts a
// program slowly); nullptr when it did not come.
HWND WaitForWindow(WindowSearch search, DWORD ms)
{
    for (const ULONGLONG deadline = ::GetTickCount64() + ms; ::GetTickCount64() < deadline; ::Sleep(20)) {
        ::EnumWindows(TestWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
    }
    return nullptr;
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

// Without an installed product a silent run says so over its backdrop and ends on an error.
TEST_F(SetupProgramTest, ShowsTheBackdropAndEndsOnAnErrorWithoutAnAdministrationFile)
{
    Started child;
    Start(child, install + L"\\setup.exe", L"/S /L:7");  // German: no language library to miss
    ASSERT_TRUE(child.ok) << ::GetLastError();

    const HWND window = WaitForWindow({child.pi.dwProcessId, nullptr, L"ORVEK Installation"}, 30000);
    ASSERT_NE(window, nullptr) << "no window titled ORVEK Installation";
    // The box waits for the user: the backdrop stays meanwhile.
    const HWND box = WaitForWindow({child.pi.dwProcessId, L"#32770", nullptr}, 30000);
    ASSERT_NE(box, nullptr) << "no message box";
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 864);
    EXPECT_EQ(client.bottom, 486);
    EXPECT_TRUE(::IsWindowVisible(window));

    wchar_t text[512] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message box's text
    EXPECT_EQ(std::wstring(text).rfind(L"Keine Orvek-Installation gefunden.", 0), 0u)
        << std::string(text, text + std::wcslen(text));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(::WaitForSingleObject(child.pi.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(child.pi.hProcess, &code);
    EXPECT_EQ(code, 1603u);
}

TEST_F(SetupProgramTest, WithoutAnyScriptItStillEndsCleanly)
{
    ::DeleteFileW((install + L"\\setup.inf").c_str());
    Started child;
    Start(child, install + L"\\setup.exe", L"/Q /M \"A;B\" /L:8 /C:xyz");
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
    Start(child, install + L"\\setup.exe", L"/Q /log \"" + log + L"\" /P C:\\" + std::wstring(300, L'p'));
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

// The .NET check against real registry values of the test prefix (which has no
// framework), and its prompt on a real dialog.
#include "dialogs/DotNetFrameworkDlg.h"
#include "platform/DotNetFramework.h"
#include "dialogs/WindowsUi.h"
#include "resources/resource.h"
#include "WhenShown.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kKey11[] = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v1.1.4322";
constexpr wchar_t kKey35[] = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5";

class DotNetFrameworkTest : public ::testing::Test {
protected:
    // The keys go again, and the parents the tests made.
    void TearDown() override
    {
        for (const wchar_t* key : {kKey11, kKey35, L"Software\\Microsoft\\NET Framework Setup\\NDP",
                                   L"Software\\Microsoft\\NET Framework Setup"})
            ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
    }
    static void Set(const wchar_t* keyName, const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyName, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
        ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
    static void SetVersion(const std::wstring& text)
    {
        Set(kKey35, L"Version", REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    static bool Present(int code)
    {
        std::wstring version, url;
        return DotNetFrameworkPresent(code, version, url);
    }
    const DWORD one = 1, two = 2;
    const BYTE oneInBytes[8] = {1};
};

TEST_F(DotNetFrameworkTest, InstallFlagIsOneInFourBytesWhateverItsType)
{
    EXPECT_FALSE(Present(110));
    Set(kKey11, L"Install", REG_DWORD, &one, 4);
    std::wstring version, url;
    EXPECT_TRUE(DotNetFrameworkPresent(110, version, url));
    EXPECT_EQ(version + L" " + url, std::wstring(L"1.1 ") + kDotNet11DownloadUrl);
    Set(kKey11, L"Install", REG_BINARY, oneInBytes, 4);
    EXPECT_TRUE(Present(110));
    Set(kKey11, L"Install", REG_BINARY, oneInBytes, 8);
    EXPECT_FALSE(Present(110));
    Set(kKey11, L"Install", REG_DWORD, &two, 4);
    EXPECT_FALSE(Present(110));
}

TEST_F(DotNetFrameworkTest, Version35NeedsItsFourthNumberAndOtherCodesAskFor35)
{
    Set(kKey35, L"Install", REG_DWORD, &one, 4);
    EXPECT_FALSE(Present(350));  // no version: 0.0.0.0
    SetVersion(L"3.5.21022");
    EXPECT_FALSE(Present(350));  // the missing fourth number is 0, below 8
    SetVersion(L"3.5.30729.1");
    EXPECT_TRUE(Present(350));

    std::wstring version = L"x", url;
    EXPECT_FALSE(DotNetFrameworkPresent(150, version, url));
    EXPECT_EQ(version + L" " + url, std::wstring(L"3.5 ") + kDotNet35DownloadUrl);
}

TEST_F(DotNetFrameworkTest, PromptNamesTheVersionShowsTheAddressAndEndsWithEscape)
{
    std::wstring text, url;
    bool readOnly = false;
    WhenShown shown{L"Dot Net Framework 2.0 is missing...", [&](HWND dialog) {
        text = ItemTextOf(dialog, IDC_DOTNET_TEXT);
        url = ItemTextOf(dialog, IDC_DOTNET_URL);
        readOnly = ::GetWindowLongPtrW(::GetDlgItem(dialog, IDC_DOTNET_URL), GWL_STYLE) & ES_READONLY;
        ::PostMessageW(::GetFocus() ? ::GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }};
    WindowsUi ui;
    ASSERT_TRUE(shown.During([&] { EXPECT_EQ(ui.ShowDotNetMissing(L"2.0", kDotNet20DownloadUrl), IDCANCEL); }));
    EXPECT_EQ(text, L"Microsoft Dot Net Framwork 2.0 must be installed on your computer to continue the "
                    L"installation\n\nYou can download it on the Microsoft homepage:\n\n");
    EXPECT_EQ(url, kDotNet20DownloadUrl);
    EXPECT_TRUE(readOnly);
}

}  // namespace

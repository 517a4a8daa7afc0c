// The .NET check against real registry values of the test prefix, and its
// prompt on a real dialog.
#include "dialogs/DotNetFramework.h"
#include "dialogs/WindowsUi.h"
#include "resources/resource.h"
#include "WhenShown.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

constexpr wchar_t kKey11[] = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v1.1.4322";
constexpr wchar_t kKey35[] = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5";

// Values of the prefix set for one test; what was there before comes back.
class RegistryValues {
public:
    ~RegistryValues()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            HKEY key = nullptr;
            if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, it->key.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) continue;
            if (it->type)
                ::RegSetValueExW(key, it->name.c_str(), 0, *it->type, it->data.data(),
                                 static_cast<DWORD>(it->data.size()));
            else
                ::RegDeleteValueW(key, it->name.c_str());
            ::RegCloseKey(key);
        }
        for (const std::wstring& created : createdKeys_) ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, created.c_str());
    }
    void Set(const wchar_t* keyName, const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = Save(keyName, name);
        ASSERT_TRUE(key);
        ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
    void SetNumber(const wchar_t* key, const wchar_t* name, DWORD value) { Set(key, name, REG_DWORD, &value, 4); }
    void SetText(const wchar_t* key, const wchar_t* name, const std::wstring& text)
    {
        Set(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void Remove(const wchar_t* keyName, const wchar_t* name)
    {
        HKEY key = Save(keyName, name);
        ASSERT_TRUE(key);
        ::RegDeleteValueW(key, name);
        ::RegCloseKey(key);
    }

private:
    // Opens (creates) the key and remembers the value as it is; null on failure.
    HKEY Save(const wchar_t* keyName, const wchar_t* name)
    {
        RememberMissingKey(keyName);
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyName, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return nullptr;
        Saved saved{keyName, name, std::nullopt, std::vector<BYTE>(1024)};
        DWORD oldType = 0, oldSize = 1024;
        if (::RegQueryValueExW(key, name, nullptr, &oldType, saved.data.data(), &oldSize) == ERROR_SUCCESS) {
            saved.type = oldType;
            saved.data.resize(oldSize);
        }
        saved_.push_back(saved);
        return key;
    }
    // The outermost key of keyName that is not there yet goes again at the end.
    void RememberMissingKey(const std::wstring& keyName)
    {
        for (std::size_t end = keyName.find(L'\\');; end = keyName.find(L'\\', end + 1)) {
            const std::wstring part = keyName.substr(0, end);
            HKEY key = nullptr;
            if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, part.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
                createdKeys_.push_back(part);
                return;
            }
            ::RegCloseKey(key);
            if (end == std::wstring::npos) return;
        }
    }
    struct Saved {
        std::wstring key;
        std::wstring name;
        std::optional<DWORD> type;
        std::vector<BYTE> data;
    };
    std::vector<Saved> saved_;
    std::vector<std::wstring> createdKeys_;
};

bool Present(int code)
{
    std::wstring version, url;
    return DotNetFrameworkPresent(code, version, url);
}

TEST(DotNetFrameworkTest, InstallFlagCountsAsOneWhateverItsType)
{
    RegistryValues values;
    values.SetNumber(kKey11, L"Install", 1);
    std::wstring version, url;
    EXPECT_TRUE(DotNetFrameworkPresent(110, version, url));
    EXPECT_EQ(version, L"1.1");
    EXPECT_EQ(url, kDotNet11DownloadUrl);

    const BYTE one[4] = {1, 0, 0, 0};
    values.Set(kKey11, L"Install", REG_BINARY, one, 4);
    EXPECT_TRUE(Present(110));
    values.SetNumber(kKey11, L"Install", 2);
    EXPECT_FALSE(Present(110));
    const BYTE wide[8] = {1, 0, 0, 0, 0, 0, 0, 0};  // more than four bytes
    values.Set(kKey11, L"Install", REG_BINARY, wide, 8);
    EXPECT_FALSE(Present(110));
}

TEST(DotNetFrameworkTest, Version35NeedsItsFourthNumber)
{
    RegistryValues values;
    values.SetNumber(kKey35, L"Install", 1);
    values.SetText(kKey35, L"Version", L"3.5.21022");
    EXPECT_FALSE(Present(350));  // a missing fourth number is 0, below 8
    values.SetText(kKey35, L"Version", L"3.5.30729.1");
    EXPECT_TRUE(Present(350));
    values.SetText(kKey35, L"Version", L"3.5.21022.8");
    EXPECT_TRUE(Present(350));
    values.SetText(kKey35, L"Version", L"3.4.99999.99");
    EXPECT_FALSE(Present(350));
    values.Remove(kKey35, L"Version");
    EXPECT_FALSE(Present(350));
}

TEST(DotNetFrameworkTest, CodeWithoutRuleAsksWithTheDefaultVersionText)
{
    std::wstring version = L"x", url;
    EXPECT_FALSE(DotNetFrameworkPresent(150, version, url));
    EXPECT_EQ(version, L"3.5");
    EXPECT_EQ(url, kDotNet35DownloadUrl);
    RegistryValues values;
    values.Remove(L"Software\\Microsoft\\.NETFramework\\Policy\\v1.0", L"3705");
    EXPECT_FALSE(DotNetFrameworkPresent(100, version, url));
    EXPECT_EQ(version, L"1.0");
    EXPECT_EQ(url, kDotNet35DownloadUrl);
}

TEST(DotNetFrameworkTest, PromptNamesTheVersionShowsTheAddressAndEndsWithEscape)
{
    std::wstring text, url;
    LONG_PTR urlStyle = 0;
    WhenShown shown(L"Dot Net Framework 2.0 is missing...", [&](HWND dialog) {
        text = TextOf(::GetDlgItem(dialog, IDC_DOTNET_TEXT));
        url = TextOf(::GetDlgItem(dialog, IDC_DOTNET_URL));
        urlStyle = ::GetWindowLongPtrW(::GetDlgItem(dialog, IDC_DOTNET_URL), GWL_STYLE);
        HWND focus = ::GetFocus();
        ::PostMessageW(focus ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    WindowsUi ui;
    EXPECT_EQ(ui.ShowDotNetMissing(L"2.0", kDotNet20DownloadUrl), IDCANCEL);
    ASSERT_TRUE(shown.acted);
    EXPECT_EQ(text, L"Microsoft Dot Net Framwork 2.0 must be installed on your computer to continue the "
                    L"installation\n\nYou can download it on the Microsoft homepage:\n\n");
    EXPECT_EQ(url, kDotNet20DownloadUrl);
    EXPECT_TRUE(urlStyle & ES_READONLY);
}

}  // namespace

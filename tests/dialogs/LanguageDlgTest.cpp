// The language page on a real display: the list from the setup script, the
// preselection and the result.
#include "PageDriver.h"
#include "dialogs/LanguageDlg.h"
#include "resources/resource.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class LanguageDlgTest : public ::testing::Test {
protected:
    // Shows the page over script and presses key; shown gets the list and then the selection.
    INT_PTR Choose(const std::wstring& text, int current, UINT key = VK_RETURN, const wchar_t* screenshot = nullptr)
    {
        WriteScript(script, text);
        page = std::make_unique<CLanguageDlg>(nullptr, script, current);
        shown.clear();
        return RunModal(*page, {[=, this](HWND dialog) {
            fw::ComboBox combo(page->Item(IDC_LANGUAGE_LIST));
            for (int i = 0; i < combo.Count(); ++i) shown.push_back(combo.ItemText(i));
            shown.push_back(combo.CurSel() < 0 ? L"(none)" : combo.ItemText(combo.CurSel()));
            EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDC_LANGUAGE_LIST);
            EXPECT_EQ(page->ItemText(IDOK), L"OK");
            EXPECT_EQ(page->Item(IDCANCEL), nullptr);  // no Cancel button: only Escape
            wchar_t title[64] = {};
            ::GetWindowTextW(dialog, title, 64);
            EXPECT_STREQ(title, L"Sprache / Language / Langue / Lingua");
            if (screenshot) {
                EXPECT_TRUE(SaveScreenshot(dialog, screenshot));
            }
            PressKey(combo.Handle(), key);
        }});
    }

    TempDir dir;
    std::wstring script = dir / L"setup.ini";
    std::unique_ptr<CLanguageDlg> page;
    std::vector<std::wstring> shown;
};

TEST_F(LanguageDlgTest, AnEmptySectionGivesAnEmptyListAndOkGives9)
{
    EXPECT_EQ(Choose(L"[SetupInfo]\r\nDefLanguage=Deutsch\r\n[SupportedLangs]\r\n", 7), IDOK);
    EXPECT_EQ(shown, std::vector<std::wstring>{L"(none)"});
    EXPECT_EQ(page->resultLanguage, 9);
}

TEST_F(LanguageDlgTest, TheSortedListPreselectsTheCurrentLanguageBeforeDefLanguageAndTheFirstEntry)
{
    const std::wstring langs = L"[SupportedLangs]\r\nEnglish=9\r\nItaliano=16\r\nDeutsch=7\r\nFrançais=12\r\n";
    const std::wstring withDefault = L"[SetupInfo]\r\nDefLanguage=English\r\n" + langs;
    EXPECT_EQ(Choose(withDefault, 12, VK_RETURN, L"language-page"), IDOK);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Deutsch", L"English", L"Français", L"Italiano", L"Français"}));
    EXPECT_EQ(page->resultLanguage, 12);
    EXPECT_EQ(Choose(withDefault, 3), IDOK);
    EXPECT_EQ(shown.back(), L"English");
    EXPECT_EQ(page->resultLanguage, 9);
    EXPECT_EQ(Choose(langs, 3), IDOK);
    EXPECT_EQ(shown.back(), L"Deutsch");
    EXPECT_EQ(page->resultLanguage, 7);
    // The whole name is selected, not the first that begins with it.
    EXPECT_EQ(Choose(L"[SupportedLangs]\r\nDeutsch (Schweiz)=0\r\nDeutsch=7\r\n", 7), IDOK);
    EXPECT_EQ(shown.back(), L"Deutsch");
    EXPECT_EQ(Choose(langs, 16, VK_ESCAPE), IDCANCEL);
}

}  // namespace

// The replace-old-data question on a real dialog: its texts, the bold name,
// the check box and the two answers.
#include "dialogs/WindowsUi.h"
#include "resources/resource.h"
#include "WhenShown.h"

#include <gtest/gtest.h>

namespace {

struct Seen {
    std::wstring name, text, question;
    LONG nameWeight = 0;
    bool checkBoxVisible = false;
};

Seen Look(HWND dialog)
{
    Seen seen;
    seen.name = TextOf(::GetDlgItem(dialog, IDC_OLDDATA_NAME));
    seen.text = TextOf(::GetDlgItem(dialog, IDC_OLDDATA_TEXT));
    seen.question = TextOf(::GetDlgItem(dialog, IDC_OLDDATA_QUESTION));
    LOGFONTW font{};
    const auto hfont = reinterpret_cast<HFONT>(::SendMessageW(::GetDlgItem(dialog, IDC_OLDDATA_NAME), WM_GETFONT, 0, 0));
    ::GetObjectW(hfont, sizeof(font), &font);
    seen.nameWeight = font.lfWeight;
    seen.checkBoxVisible = ::IsWindowVisible(::GetDlgItem(dialog, IDC_OLDDATA_ALL)) != FALSE;
    return seen;
}

TEST(DeleteOldProductDataDlgTest, CheckedThenNeinKeepsTheDataForAll)
{
    Seen seen;
    WhenShown shown(L"Produktdaten aktualisieren", [&](HWND dialog) {
        seen = Look(dialog);
        ::SendMessageW(::GetDlgItem(dialog, IDC_OLDDATA_ALL), BM_CLICK, 0, 0);
        ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    WindowsUi ui;
    bool applyToAll = false;
    EXPECT_EQ(ui.AskReplaceOldData(L"Lumi & Co", L"C:\\Daten\\Lumi", false, applyToAll), IDNO);
    ASSERT_TRUE(shown.acted);
    EXPECT_TRUE(applyToAll);
    EXPECT_EQ(seen.name, L"Lumi & Co");
    EXPECT_EQ(seen.nameWeight, 700);
    EXPECT_EQ(seen.text, L"Beim Aktualisieren der Produktdaten von \"Lumi & Co\" werden alle bestehenden Dateien "
                         L"und Unterordner in folgendem Verzeichnis gelöscht:\nC:\\Daten\\Lumi");
    EXPECT_EQ(seen.question, L"\"Lumi & Co\" aktualisieren und die bestehenden Daten löschen?");
    EXPECT_TRUE(seen.checkBoxVisible);
}

TEST(DeleteOldProductDataDlgTest, HiddenCheckBoxAndJaReplaces)
{
    Seen seen;
    WhenShown shown(L"Produktdaten aktualisieren", [&](HWND dialog) {
        seen = Look(dialog);
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    WindowsUi ui;
    bool applyToAll = true;
    EXPECT_EQ(ui.AskReplaceOldData(L"Lumi", L"C:\\Daten\\Lumi", true, applyToAll), IDYES);
    ASSERT_TRUE(shown.acted);
    EXPECT_FALSE(seen.checkBoxVisible);
    EXPECT_FALSE(applyToAll);
}

}  // namespace

// The replace-old-data question on a real dialog: its texts, the bold name,
// the check box and the two answers.
#include "dialogs/WindowsUi.h"
#include "resources/resource.h"
#include "WhenShown.h"

#include <gtest/gtest.h>

TEST(DeleteOldProductDataDlgTest, TextsNameInBoldCheckBoxAndBothAnswers)
{
    std::wstring text, question;
    LOGFONTW font{};
    WhenShown checkedNein{L"Produktdaten aktualisieren", [&](HWND dialog) {
        text = ItemTextOf(dialog, IDC_OLDDATA_NAME) + L"|" + ItemTextOf(dialog, IDC_OLDDATA_TEXT);
        question = ItemTextOf(dialog, IDC_OLDDATA_QUESTION);
        ::GetObjectW(reinterpret_cast<HFONT>(::SendDlgItemMessageW(dialog, IDC_OLDDATA_NAME, WM_GETFONT, 0, 0)),
                     sizeof(font), &font);
        ::SendDlgItemMessageW(dialog, IDC_OLDDATA_ALL, BM_CLICK, 0, 0);
        ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    }};
    WindowsUi ui;
    bool applyToAll = false;
    ASSERT_TRUE(checkedNein.During([&] {
        EXPECT_EQ(ui.AskReplaceOldData(L"Lumi & Co", L"C:\\Daten\\Lumi", false, applyToAll), IDNO);
    }));
    EXPECT_TRUE(applyToAll);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(text, L"Lumi & Co|Beim Aktualisieren der Produktdaten von \"Lumi & Co\" werden alle bestehenden "
                    L"Dateien und Unterordner in folgendem Verzeichnis gelöscht:\nC:\\Daten\\Lumi");
    EXPECT_EQ(question, L"\"Lumi & Co\" aktualisieren und die bestehenden Daten löschen?");

    bool checkBoxVisible = true;
    WhenShown hiddenJa{L"Produktdaten aktualisieren", [&](HWND dialog) {
        checkBoxVisible = ::IsWindowVisible(::GetDlgItem(dialog, IDC_OLDDATA_ALL));
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }};
    ASSERT_TRUE(hiddenJa.During([&] { EXPECT_EQ(ui.AskReplaceOldData(L"Lumi", L"C:\\", true, applyToAll), IDYES); }));
    EXPECT_FALSE(checkBoxVisible);
    EXPECT_FALSE(applyToAll);
}

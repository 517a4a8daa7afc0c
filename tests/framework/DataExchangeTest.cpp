// Data exchange on a real dialog: values round-trip both ways, and a refused
// value keeps the dialog open with the offending control focused.
#include "TestDialog.h"

#include <gtest/gtest.h>

namespace {

using Reason = fw::Refusal::Reason;

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.CreateModeless());
        hwnd = dlg.Handle();
        ::ShowWindow(hwnd, SW_SHOW);
        ::SetActiveWindow(hwnd);
    }
    void PressOK()
    {
        ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.Item(IDOK)));
    }

    DialogTemplate t = PageTemplate();
    TestDialog dlg{t.Get()};
    HWND hwnd = nullptr;
};

TEST_F(DataExchangeTest, MembersReachTheControlsAndComeBackChanged)
{
    const fw::Button check(dlg.Item(IDC_CHECK)), radio1(dlg.Item(IDC_RADIO1)), radio2(dlg.Item(IDC_RADIO2));
    const fw::ComboBox combo(dlg.Item(IDC_COMBO));
    EXPECT_EQ(dlg.ItemText(IDC_NUMBER), L"7");
    EXPECT_EQ(dlg.ItemText(IDC_NAME), L"Anna");
    EXPECT_EQ(::SendMessageW(dlg.Item(IDC_NAME), EM_GETLIMITTEXT, 0, 0), 8);
    EXPECT_TRUE(check.IsChecked());
    EXPECT_EQ(combo.CurSel(), 1);
    EXPECT_TRUE(!radio1.IsChecked() && radio2.IsChecked());

    dlg.SetItemText(IDC_NUMBER, L" 42 ");
    dlg.SetItemText(IDC_NAME, L"Berta");
    check.SetCheck(BST_UNCHECKED);
    combo.SetCurSel(2);
    radio2.SetCheck(BST_UNCHECKED);
    radio1.SetCheck(BST_CHECKED);
    PressOK();

    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dlg.count, L" 42 ");
    EXPECT_EQ(dlg.name, L"Berta");
    EXPECT_FALSE(dlg.checked);
    EXPECT_EQ(dlg.language, L"Français");
    EXPECT_EQ(dlg.radio, 0);
}

TEST_F(DataExchangeTest, RefusedValueKeepsTheDialogOpenWithItsControlFocused)
{
    // One past the limit and far past it; set as text, past the edit's limit: only typing is limited.
    for (const wchar_t* text : {L"Friedrich", L"Bartholomäus"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(text)));
        dlg.count = L"7";
        dlg.SetItemText(IDC_NUMBER, L"5");
        dlg.SetItemText(IDC_NAME, text);
        fw::Button(dlg.Item(IDC_CHECK)).SetCheck(BST_UNCHECKED);
        ::SetFocus(dlg.Item(IDOK));
        PressOK();

        ASSERT_TRUE(::IsWindow(hwnd));
        EXPECT_EQ(::GetFocus(), dlg.Item(IDC_NAME));
        DWORD start = 0, end = 0;
        ::SendMessageW(dlg.Item(IDC_NAME), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, wcslen(text));
        EXPECT_EQ(dlg.refusal.reason, Reason::TooLong);
        EXPECT_EQ(dlg.refusal.controlId, IDC_NAME);
        EXPECT_EQ(dlg.count, L"5");  // values before the refused one are taken
        EXPECT_TRUE(dlg.checked);  // values after it are not
    }
    EXPECT_EQ(dlg.refusal.maxLength, 8u);
}

}  // namespace

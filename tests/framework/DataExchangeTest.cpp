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
    EXPECT_EQ(dlg.list.CurSel(), 1);
    EXPECT_EQ(combo.CurSel(), 1);
    EXPECT_TRUE(!radio1.IsChecked() && radio2.IsChecked());

    dlg.SetItemText(IDC_NUMBER, L" 42 ");
    dlg.SetItemText(IDC_NAME, L"Berta");
    check.SetCheck(BST_UNCHECKED);
    dlg.list.SetCurSel(2);
    combo.SetCurSel(2);
    radio2.SetCheck(BST_UNCHECKED);
    radio1.SetCheck(BST_CHECKED);
    PressOK();

    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dlg.value, 42);
    EXPECT_EQ(dlg.name, L"Berta");
    EXPECT_FALSE(dlg.checked);
    EXPECT_EQ(dlg.listIndex, 2);
    EXPECT_EQ(dlg.language, L"Français");
    EXPECT_EQ(dlg.radio, 0);
}

TEST_F(DataExchangeTest, RefusedValueKeepsTheDialogOpenWithItsControlFocused)
{
    struct Case { int id; const wchar_t* text; Reason reason; };
    const Case cases[] = {
        {IDC_NUMBER, L"abc", Reason::NotANumber},
        {IDC_NUMBER, L"", Reason::NotANumber},
        {IDC_NUMBER, L"4 2", Reason::NotANumber},
        {IDC_NUMBER, L"101", Reason::OutOfRange},
        {IDC_NUMBER, L"-1", Reason::OutOfRange},
        {IDC_NUMBER, L"99999999999999999999999", Reason::OutOfRange},
        {IDC_NAME, L"Bartholomäus", Reason::TooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.text)));
        dlg.value = 7;
        dlg.SetItemText(IDC_NUMBER, L"5");
        dlg.SetItemText(IDC_NAME, L"Carl");
        dlg.SetItemText(c.id, c.text);  // past the edit's limit: only typing is limited
        fw::Button(dlg.Item(IDC_CHECK)).SetCheck(BST_UNCHECKED);
        ::SetFocus(dlg.Item(IDOK));
        PressOK();

        ASSERT_TRUE(::IsWindow(hwnd));
        EXPECT_EQ(::GetFocus(), dlg.Item(c.id));
        DWORD start = 0, end = 0;
        ::SendMessageW(dlg.Item(c.id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, wcslen(c.text));
        EXPECT_EQ(dlg.refusal.reason, c.reason);
        EXPECT_EQ(dlg.refusal.controlId, c.id);
        EXPECT_EQ(dlg.value, c.id == IDC_NUMBER ? 7 : 5);  // values before the refused one are taken
        EXPECT_TRUE(dlg.checked);  // values after it are not
    }
    EXPECT_EQ(dlg.refusal.maxLength, 8u);
}

}  // namespace

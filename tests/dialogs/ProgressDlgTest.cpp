// The copy progress dialog on a real display: its controls, the percentage, the
// message pump and the Cancel button.
#include "PageDriver.h"
#include "resources/resource.h"
#include "dialogs/ProgressDlg.h"
#include "dialogs/WindowsUi.h"
#include "framework/Handles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

// True while a WM_APP posted to the thread is still waiting (nobody pumped).
bool AppMessageWaiting()
{
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_NOREMOVE) != FALSE;
}

void DropAppMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE)) {}
}

TEST(CompactPathTest, KeepsShortPathsAndShortensLongOnesToTheLimit)
{
    EXPECT_EQ(CompactPath(L"C:\\a\\b.txt"), L"C:\\a\\b.txt");
    const std::wstring exact = L"C:\\" + std::wstring(60, L'x') + L"\\y.txt";  // 69 characters
    ASSERT_EQ(exact.size(), 69u);
    EXPECT_EQ(CompactPath(exact), exact);
    // Beyond what the platform call takes: the end of the path stays.
    const std::wstring huge = L"C:\\" + std::wstring(400, L'd') + L"\\last.dll";
    const std::wstring shown = CompactPath(huge);
    EXPECT_EQ(shown.size(), 69u);
    EXPECT_EQ(shown.substr(0, 3), L"...");
    EXPECT_EQ(shown.substr(shown.size() - 9), L"\\last.dll");
}

// The dialog with a clock that moves only when the test moves it.
class ClockedProgressDlg : public CProgressDlg {
public:
    DWORD now = 1000;

protected:
    DWORD Now() const override { return now; }
};

class ProgressDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create()); }
    void TearDown() override { DropAppMessages(); }
    std::wstring Text(int id) const { return dlg.ItemText(id); }

    ClockedProgressDlg dlg;
};

TEST_F(ProgressDlgTest, ShowsTemplate138WithItsControls)
{
    HWND hwnd = dlg.Handle();
    ASSERT_TRUE(::IsWindow(hwnd));
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    wchar_t title[64] = {};
    ::GetWindowTextW(hwnd, title, 64);
    EXPECT_STREQ(title, L"Dateien kopieren");
    EXPECT_EQ(Text(IDC_PROGRESS_COPY_LABEL), L"kopiere");
    EXPECT_EQ(Text(IDC_PROGRESS_TO_LABEL), L"nach");
    EXPECT_EQ(Text(IDCANCEL), L"Abbrechen");
    EXPECT_EQ(Text(IDC_PROGRESS_PERCENT), L"0 %");
    EXPECT_FALSE(::IsWindowEnabled(dlg.Item(IDC_PROGRESS_UNUSED)));
    EXPECT_EQ(::GetWindowLongW(dlg.Item(IDC_PROGRESS_UNUSED), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_NE(::SendMessageW(dlg.Item(IDC_PROGRESS_BANNER), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    PBRANGE range{};
    ::SendMessageW(dlg.Item(IDC_PROGRESS_BAR), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);

    // Centred over the desktop.
    RECT desktop{}, own{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    ::GetWindowRect(hwnd, &own);
    EXPECT_LE(std::abs((own.left + own.right) / 2 - (desktop.left + desktop.right) / 2), 1);
    EXPECT_LE(std::abs((own.top + own.bottom) / 2 - (desktop.top + desktop.bottom) / 2), 1);
}

TEST_F(ProgressDlgTest, ThreeFilesShow33And67And100Percent)
{
    dlg.SetTotal(3);
    EXPECT_EQ(dlg.SetStep(1), 10);
    const wchar_t* expected[] = {L"33 %", L"67 %", L"100 %"};
    const int bar[] = {33, 67, 100};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dlg.Step(), i + 1);
        EXPECT_EQ(Text(IDC_PROGRESS_PERCENT), expected[i]);
        EXPECT_EQ(::SendMessageW(dlg.Item(IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0), bar[i]);
    }
    EXPECT_EQ(dlg.Step(), 3);  // limited to the total
}

TEST_F(ProgressDlgTest, ThousandFilesPumpOnlyWhenThePercentageChanges)
{
    dlg.SetTotal(1000);
    dlg.SetStep(1);
    int changes = 0;
    int pumpedWithoutChange = 0;
    for (int i = 0; i < 1000; ++i) {
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
        const int before = dlg.lastPercent;
        dlg.Step();
        const bool changed = dlg.lastPercent != before;
        changes += changed ? 1 : 0;
        if (changed) {
            EXPECT_FALSE(AppMessageWaiting()) << "step " << i + 1;
        } else if (!AppMessageWaiting()) {
            ++pumpedWithoutChange;
        }
    }
    EXPECT_EQ(changes, 101);  // 0 % to 100 %
    EXPECT_EQ(pumpedWithoutChange, 0);
    EXPECT_EQ(Text(IDC_PROGRESS_PERCENT), L"100 %");
}

TEST_F(ProgressDlgTest, TotalOfZeroShowsZeroPercent)
{
    dlg.SetTotal(0);
    dlg.SetStep(1);
    EXPECT_EQ(dlg.Step(), 0);
    EXPECT_EQ(Text(IDC_PROGRESS_PERCENT), L"0 %");
}

TEST_F(ProgressDlgTest, LongPathsAreCompactedInTheMiddle)
{
    const std::wstring source = L"C:\\Quelle\\" + std::wstring(80, L'q') + L"\\datei.dll";
    dlg.ShowNames(source, L"C:\\Ziel\\datei.dll");
    const std::wstring shown = Text(IDC_PROGRESS_SOURCE);
    EXPECT_LE(shown.size(), 69u);
    EXPECT_NE(shown.find(L"..."), std::wstring::npos);
    EXPECT_EQ(shown.substr(0, 3), L"C:\\");
    EXPECT_EQ(shown.substr(shown.size() - 9), L"datei.dll");
    EXPECT_EQ(Text(IDC_PROGRESS_DEST), L"C:\\Ziel\\datei.dll");
}

TEST_F(ProgressDlgTest, NamesOfQuickFilesReachTheScreenWithTheNextPercentage)
{
    dlg.SetTotal(1000);
    dlg.SetStep(1);
    dlg.ShowNames(L"C:\\q\\first.dll", L"C:\\z\\first.dll");
    EXPECT_EQ(Text(IDC_PROGRESS_SOURCE), L"C:\\q\\first.dll");
    dlg.now += CProgressDlg::kNamesInterval - 1;
    dlg.ShowNames(L"C:\\q\\second.dll", L"C:\\z\\second.dll");  // within the interval: not repainted yet
    EXPECT_EQ(Text(IDC_PROGRESS_SOURCE), L"C:\\q\\first.dll");
    dlg.Step();  // first step: 0 % is new
    EXPECT_EQ(Text(IDC_PROGRESS_SOURCE), L"C:\\q\\second.dll");
    EXPECT_EQ(Text(IDC_PROGRESS_DEST), L"C:\\z\\second.dll");
    dlg.now += CProgressDlg::kNamesInterval;
    dlg.ShowNames(L"C:\\q\\big.cab", L"C:\\z\\big.cab");  // a slow file shows its names at once
    EXPECT_EQ(Text(IDC_PROGRESS_SOURCE), L"C:\\q\\big.cab");
    EXPECT_EQ(dlg.sourceText, L"C:\\q\\big.cab");
}

TEST_F(ProgressDlgTest, CancelButtonClearsKeepGoingAndClosesTheDialog)
{
    HWND hwnd = dlg.Handle();
    EXPECT_TRUE(dlg.keepGoing);
    ::PostMessageW(dlg.Item(IDCANCEL), BM_CLICK, 0, 0);
    dlg.SetTotal(2);
    dlg.SetStep(1);
    dlg.Step();  // the pump serves the click
    EXPECT_FALSE(dlg.keepGoing);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dlg.Step(), 2);  // steps after the window went do no harm
}

}  // namespace

// The copy stops in every way the dialog can go, and only then.
TEST_F(ProgressDlgTest, EnterKeepsTheDialogAndAGoneWindowOrAQuitStopsTheCopy)
{
    ::SendMessageW(dlg.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(::IsWindow(dlg.Handle()));
    EXPECT_FALSE(dlg.Cancelled());

    ::PostQuitMessage(7);
    dlg.SetTotal(10);
    dlg.SetStep(1);
    dlg.Step();  // a new percentage pumps and meets the quit
    EXPECT_TRUE(dlg.Cancelled());
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // posted again for the main loop
    EXPECT_EQ(msg.wParam, 7u);

    CProgressDlg other;
    ASSERT_TRUE(other.Create());
    EXPECT_FALSE(other.Cancelled());
    ::DestroyWindow(other.Handle());  // its owner went
    EXPECT_TRUE(other.Cancelled());
    CProgressDlg neverShown;          // a language library without the template
    EXPECT_TRUE(neverShown.Cancelled());
}

TEST(ProgressOfTheRun, ALanguageLibraryWithoutTheTemplateGivesWayToTheProgramsOwnDialog)
{
    // A module with resources but no dialog 138 stands in for such a library (loaded
    // here: a test run on its own has not loaded it before).
    fw::ScopedModule loaded(::LoadLibraryW(L"comctl32.dll"));
    ASSERT_TRUE(loaded);
    HMODULE library = loaded.Get();
    ASSERT_EQ(::FindResourceW(library, MAKEINTRESOURCEW(IDD_PROGRESS), RT_DIALOG), nullptr);
    WindowsUi ui;
    std::vector<std::wstring> told;
    ui.reporter = [&told](const std::wstring& line) { told.push_back(line); };
    ui.UseResources(library);
    ui.BeginProgress(2);
    EXPECT_FALSE(ui.ProgressCancelled());  // the copy goes on
    HWND shown = ::FindWindowW(nullptr, L"Dateien kopieren");
    EXPECT_NE(shown, nullptr);
    ui.StepProgress();
    EXPECT_FALSE(ui.ProgressCancelled());
    ui.EndProgress();
    EXPECT_EQ(told, std::vector<std::wstring>{L"the language library holds no progress dialog: the program's own is shown"});
    DropAppMessages();
}

TEST_F(ProgressDlgTest, ThePageBannerIsScaledIntoItsControlAndTheDialogKeepsItsSize)
{
    RECT banner{}, client{}, expected{0, 0, 260, 118}, expectedBanner{0, 0, 260, 24};
    ::GetClientRect(dlg.Item(IDC_PROGRESS_BANNER), &banner);
    ::GetClientRect(dlg.Handle(), &client);
    ::MapDialogRect(dlg.Handle(), &expected);
    ::MapDialogRect(dlg.Handle(), &expectedBanner);
    EXPECT_EQ(banner.right, expectedBanner.right);
    EXPECT_EQ(banner.bottom, expectedBanner.bottom);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    dlg.SetTotal(3);
    dlg.SetStep(1);
    dlg.ShowNames(L"D:\\data\\LUW\\lvk\\leuchte.lvk", L"C:\\Programme\\Orvek\\LUW\\lvk\\leuchte.lvk");
    dlg.Step();
    EXPECT_TRUE(SaveScreenshot(dlg.Handle(), L"progress-dialog"));
}

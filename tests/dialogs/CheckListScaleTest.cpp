// The options page's check list at the scale of the display (100 % here, 125,
// 150 and 200 % in the runs through atdpi.exe): rows and boxes as large as the
// system's own check box, measured from what the windows draw, and a page
// moved to a monitor of another scale.
#include "DisplayScale.h"
#include "PageDriver.h"
#include "PageElements.h"
#include "dialogs/SetupOptions.h"
#include "files/source/FileList.h"
#include "files/run/InstallRun.h"
#include "framework/Handles.h"
#include "resources/resource.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

class CheckListScaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The run is at the scale it was started for, or it measures nothing.
        ASSERT_EQ(ScreenDpi(), ExpectedDpi());
        WriteScript(script, L"[DTBPath]\r\n");
        page = std::make_unique<CSetupOptions>(ui, run, L"C:\\Orvek", dir.Path(), script, elements, files, nullptr);
    }

    RECT RowRect(int index) const
    {
        RECT rect{};
        ::SendMessageW(page->list.Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // The box drawn in a row that is not selected: the ink left of the first
    // column, or in the whole row when the row has no text.
    RECT DrawnBox(int index, bool wholeRow = false) const
    {
        RECT area = RowRect(index);
        if (!wholeRow) area.right = area.left + page->list.columnPositions.at(0);
        return InkBounds(page->list.Handle(), area, ::GetSysColor(COLOR_WINDOW));
    }
    // The box of a real check box without text, on the page, in the page's font.
    RECT SystemBox(HWND dialog) const
    {
        HWND button = ::CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, 0, 0,
                                        Width(RowRect(0)), 3 * Height(RowRect(0)), dialog, nullptr, nullptr, nullptr);
        ::SendMessageW(button, WM_SETFONT, ::SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
        RECT client{};
        ::GetClientRect(button, &client);
        const RECT box = InkBounds(button, client, ::GetSysColor(COLOR_BTNFACE));
        ::DestroyWindow(button);
        return box;
    }

    TempDir dir;
    std::wstring script = dir / L"DataSetup.inf";
    ScriptedUi ui;
    InstallRun run{ui};
    CIEArray elements = MakeElements({{L"Helios Licht", L"Helios"}, {L"Lumina Leuchten", L"Lumina"}});
    FileList files;
    std::unique_ptr<CSetupOptions> page;
};

TEST_F(CheckListScaleTest, RowsAndBoxesAreAsLargeAsTheSystemsCheckBoxAndTheBoxIsCentred)
{
    RunModal(*page, {[&](HWND dialog) {
        page->list.SetCurSel(0);  // row 1 is drawn on the window colour
        const RECT row = RowRect(1);
        const RECT box = DrawnBox(1);
        const RECT system = SystemBox(dialog);
        ASSERT_GT(Width(system), 0) << "no check box was drawn";
        EXPECT_NEAR(Width(box), Width(system), 1) << "at " << ExpectedDpi() << " dpi";
        EXPECT_NEAR(Height(box), Height(system), 1) << "at " << ExpectedDpi() << " dpi";
        EXPECT_EQ(Width(box), Height(box));
        // Centred in the row, and the row holds a line of the list's text.
        EXPECT_NEAR(box.top - row.top, row.bottom - box.bottom, 1);
        fw::WindowDC dc(page->list.Handle());
        fw::SelectGuard font(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(page->list.Handle(), WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.Get(), &metrics);
        EXPECT_GE(Height(row), metrics.tmHeight + 2);
        EXPECT_GE(Height(row), Height(box) + 2);
        // At 100 % the rows keep their 18 pixels.
        if (ExpectedDpi() == USER_DEFAULT_SCREEN_DPI) {
            EXPECT_EQ(Height(row), 18);
        }
        // The text begins right of the box.
        EXPECT_LT(box.right, row.left + page->list.columnPositions.at(0));
        SendClick(dialog, IDCANCEL);
    }});
}

TEST_F(CheckListScaleTest, APageMovedToAMonitorOfAnotherScaleTakesItsRectangleAndRedrawsItsList)
{
    RunModal(*page, {[&](HWND dialog) {
        page->list.SetCurSel(0);
        // Rows without text: the headings here stay where they are (only the
        // system moves them), so a name would be drawn over the larger box.
        for (auto& row : page->rows) row->text.clear();
        const int dpi = ExpectedDpi();
        const int rowBefore = Height(RowRect(1));
        const int boxBefore = Width(DrawnBox(1, true));
        RECT frame{};
        ::GetWindowRect(dialog, &frame);
        // Where the system would put it on the other monitor (any rectangle: the page takes it).
        const RECT suggested{frame.left + 8, frame.top + 6, frame.right + 48, frame.bottom + 36};
        ::SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT now{};
        ::GetWindowRect(dialog, &now);
        EXPECT_TRUE(::EqualRect(&now, &suggested));
        // Every row and its box at twice the scale.
        EXPECT_NEAR(Height(RowRect(0)), 2 * rowBefore, 1);
        EXPECT_NEAR(Height(RowRect(1)), 2 * rowBefore, 1);
        EXPECT_NEAR(Width(DrawnBox(1, true)), 2 * boxBefore, 2);
        EXPECT_EQ(Height(DrawnBox(1, true)), Width(DrawnBox(1, true)));

        // And back.
        ::SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
        ::GetWindowRect(dialog, &now);
        EXPECT_TRUE(::EqualRect(&now, &frame));
        EXPECT_EQ(Height(RowRect(1)), rowBefore);
        EXPECT_EQ(Width(DrawnBox(1, true)), boxBefore);
        SendClick(dialog, IDCANCEL);
    }});
}

}  // namespace

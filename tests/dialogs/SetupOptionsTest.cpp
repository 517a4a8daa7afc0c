// The options page on a real display: controls and drawing, the check list
// under mouse and keyboard, the folder buttons and the drive-space check of OK.
#include "PageDriver.h"
#include "PageElements.h"
#include "dialogs/SetupOptions.h"
#include "files/source/FileList.h"
#include "files/run/InstallRun.h"
#include "resources/resource.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

enum Row { kAlpha, kBeta, kGamma, kZeta };  // list order: by name, ignoring case; Beta is disabled

class SetupOptionsTest : public ::testing::Test {
protected:
    SetupOptionsTest() { WriteScript(script, L"[DTBPath]\r\nGAM=Gamma Daten\r\n"); }
    CSetupOptions& Page(const std::wstring& installDir, DriveSpace space = {true, 4096, 1ull << 40})
    {
        page = std::make_unique<CSetupOptions>(ui, run, installDir, dir.Path(), script, elements, files, nullptr);
        page->driveSpace = [space](wchar_t) { return space; };
        return *page;
    }
    CInstElement& Element(Row row) const { return *page->rows[row]->element; }
    int Selected(Row row) const { return Element(row).selected; }
    RECT RowRect(Row row) const
    {
        RECT rect{};
        ::SendMessageW(page->list.Handle(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    TempDir dir;
    std::wstring script = dir / L"DataSetup.inf";
    std::wstring install = dir / L"Orvek";
    ScriptedUi ui;
    InstallRun run{ui};
    CIEArray elements = MakeElements({{L"Zeta Licht", L"ZET"}, {L"alpha Leuchten", L"ALP"},
                                      {L"Beta", L"BET", kStatusHasOnlineVersion}, {L"Gamma", L"GAM"}});
    FileList files;
    std::unique_ptr<CSetupOptions> page;
};

TEST_F(SetupOptionsTest, ShowsTheTemplateAndDrawsADisabledRowGreyAlsoWhenSelected)
{
    install = L"C:\\Programme\\Orvek";  // shown only
    Page(install + L"\\");
    EXPECT_EQ(page->installDir, install);
    EXPECT_EQ(page->rows[kGamma]->text, L"Gamma\t" + install + L"\\Gamma Daten");  // named by DTBPath
    EXPECT_EQ(page->rows[kZeta]->text, L"Zeta Licht\t" + install + L"\\ZET");
    const INT_PTR result = RunModal(*page, {[&](HWND dialog) {
        const struct { int id; std::wstring text; bool visible; } controls[] = {
            {0, L"Vorgaben zur Installation", true}, {IDC_OPTIONS_FROM_DVD, L"Daten von der DVD verwenden", true},
            {IDC_OPTIONS_TO_DISK, L"Daten auf der Festplatte installieren", true},
            {IDC_OPTIONS_DIR_LABEL, L"Verzeichnis", true}, {IDC_OPTIONS_DIR, install, true},
            {IDC_OPTIONS_APPLICATION, L"Applikation", false}, {IDC_OPTIONS_PATH, L"Pfad...", false},
            {IDC_OPTIONS_GROUP, L"Daten der Hersteller", true}, {IDC_OPTIONS_HEAD_NAME, L"Hersteller", true},
            {IDC_OPTIONS_HEAD_DIR, L"Verzeichnis", true}, {IDC_OPTIONS_FOLDER, L"Verzeichnis...", true},
            {IDC_OPTIONS_CHECK_ALL, L"+++", true}, {IDC_OPTIONS_CLEAR_ALL, L"---", true},
            {IDOK, L"Weiter", true}, {IDCANCEL, L"Beenden", true}, {IDC_OPTIONS_END, L"Beenden", false}};
        for (const auto& control : controls) {
            HWND window = control.id ? page->Item(control.id) : dialog;
            wchar_t text[80] = {};
            ::GetWindowTextW(window, text, 80);
            EXPECT_EQ(text, control.text) << control.id;
            EXPECT_EQ(::IsWindowVisible(window) != FALSE, control.visible) << control.id;
        }
        EXPECT_FALSE(::IsWindowEnabled(page->Item(IDC_OPTIONS_FROM_DVD)));
        EXPECT_EQ(::SendMessageW(page->Item(IDC_OPTIONS_TO_DISK), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(page->list.CurSel(), 0);
        EXPECT_EQ(::SendMessageW(page->list.Handle(), LB_GETITEMHEIGHT, 0, 0), 18);
        EXPECT_TRUE(SaveScreenshot(dialog, L"options-page"));

        // Disabled and checked: grey mark and grey text, selected or not.
        HWND list = page->list.Handle();
        const RECT row = RowRect(kBeta);
        for (int selected : {kBeta, kAlpha}) {
            page->list.SetCurSel(selected);
            const std::vector<COLORREF> pixels = ClientPixels(list, row);
            const int width = row.right - row.left;
            int greyMark = 0;  // in the box, left of the text
            for (size_t i = 0; i < pixels.size(); ++i) greyMark += int(i % width) < 18 && pixels[i] == RGB(128, 128, 128);
            EXPECT_GT(greyMark, 5);
            const auto count = [&](int colour) {  // right of the box
                int n = 0;
                for (size_t i = 0; i < pixels.size(); ++i) n += int(i % width) >= 18 && pixels[i] == ::GetSysColor(colour);
                return n;
            };
            EXPECT_GT(count(COLOR_GRAYTEXT), 20);
            EXPECT_EQ(count(COLOR_WINDOWTEXT), 0);
            EXPECT_EQ(count(COLOR_HIGHLIGHT), 0);
        }
        // Without columns the text starts 18 pixels from the left, beside the box
        // (13 pixels, the system's check box, 2 from the left).
        page->list.SetColumns(nullptr, -1);
        const std::vector<COLORREF> pixels = ClientPixels(list, RECT{row.left + 16, row.top, row.left + 40, row.bottom});
        int firstInk = 99;
        for (size_t i = 0; i < pixels.size(); ++i)
            if (pixels[i] != ::GetSysColor(COLOR_WINDOW)) firstInk = std::min(firstInk, 16 + int(i % 24));
        EXPECT_GE(firstInk, 18);
        EXPECT_LE(firstInk, 20);
        SendClick(dialog, IDCANCEL);  // at once, no question
    }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SetupOptionsTest, AClickSelectsAndTheNextTogglesADoubleClickTogglesOnceDisabledRowsNever)
{
    Page(install);
    HWND list = nullptr;
    RunModal(*page, {
        [&](HWND) {
            list = page->list.Handle();
            ClickRow(list, kGamma);
            EXPECT_EQ(Selected(kGamma), 1);
            ClickRow(list, kGamma);
            EXPECT_EQ(Selected(kGamma), 0);
            EXPECT_EQ(page->rows[kGamma]->checked, 0);
            ClickRow(list, kZeta, true);
            EXPECT_EQ(Selected(kZeta), 0);
            for (bool twice : {false, false, true}) ClickRow(list, kBeta, twice);
            PressKey(list, VK_SPACE);
        },
        [&](HWND) {
            EXPECT_EQ(Selected(kBeta), 1);
            PressKey(list, VK_UP);  // moving toggles nothing
        },
        [&](HWND) {
            EXPECT_EQ(Selected(kAlpha), 1);
            PressKey(list, VK_SPACE);
        },
        [&](HWND dialog) {
            EXPECT_EQ(Selected(kAlpha), 0);
            elements[3]->selected = 0;  // Beta
            page->RefreshRowTexts();
            ::SendMessageW(page->Item(IDC_OPTIONS_CHECK_ALL), BM_CLICK, 0, 0);
            for (Row row : {kAlpha, kBeta, kGamma, kZeta}) EXPECT_EQ(Selected(row), row == kBeta ? 0 : 1);
            elements[3]->selected = 1;
            page->RefreshRowTexts();
            ::SendMessageW(page->Item(IDC_OPTIONS_CLEAR_ALL), BM_CLICK, 0, 0);
            for (Row row : {kAlpha, kBeta, kGamma, kZeta}) EXPECT_EQ(page->rows[row]->checked, row == kBeta ? 1 : 0);
            SendClick(dialog, IDCANCEL);
        },
    });
}

TEST_F(SetupOptionsTest, FolderButtonsSetPackageFoldersAndANewInstallFolderResetsThemAll)
{
    Page(install);
    ASSERT_TRUE(WriteBytes(dir / L"datei", "x"));
    ASSERT_TRUE(MakeDirs(dir / L"Neu"));
    std::vector<std::wstring> chosen = {dir / L"Woanders\\", dir / L"datei"}, typed = {dir / L"fehlt", dir / L"Neu"};
    std::vector<std::wstring> asked;
    ui.onBrowseForFolder = [&](std::wstring& path, const std::wstring& title) {
        asked.push_back(title + L"|" + path);
        path = chosen.front();
        chosen.erase(chosen.begin());
        return true;
    };
    ui.onEditPath = [&](std::wstring& path, const std::wstring& caption) {
        asked.push_back(caption + L"|" + path);
        path = typed.front();
        typed.erase(typed.begin());
        return IDOK;
    };
    RunModal(*page, {[&](HWND dialog) {
        page->list.SetCurSel(kZeta);
        SendClick(dialog, IDC_OPTIONS_FOLDER);  // the folder key is appended and the folder made
        EXPECT_EQ(page->rows[kZeta]->text, L"Zeta Licht\t" + (dir / L"Woanders\\ZET"));
        EXPECT_NE(::GetFileAttributesW((dir / L"Woanders\\ZET").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
        SendClick(dialog, IDC_OPTIONS_FOLDER);  // below a file: refused, row unchanged
        EXPECT_EQ(Element(kZeta).destination, dir / L"Woanders\\ZET");
        page->list.SetCurSel(-1);
        SendClick(dialog, IDC_OPTIONS_FOLDER);  // nothing selected: nothing asked
        SendClick(dialog, IDC_OPTIONS_PATH);    // a folder that is not there: nothing changes
        EXPECT_EQ(page->installDir, install);
        SendClick(dialog, IDC_OPTIONS_PATH);
        EXPECT_EQ(page->ItemText(IDC_OPTIONS_DIR), dir / L"Neu");
        SendClick(dialog, IDCANCEL);
    }});
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"Zeta Licht|" + install + L"\\ZET",
                                                L"Zeta Licht|" + (dir / L"Woanders\\ZET"),
                                                L"Pfad für die ORVEK-Applikation|" + install,
                                                L"Pfad für die ORVEK-Applikation|" + install}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, L"Folder " + (dir / L"datei\\ZET") + L" could not be created!");
    EXPECT_EQ(elements[0]->destination, dir / L"Neu");
    for (Row row : {kAlpha, kGamma, kZeta}) EXPECT_EQ(Element(row).destination.find(dir / L"Neu\\"), 0u);
    EXPECT_EQ(Element(kGamma).destination, dir / L"Neu\\Gamma Daten");
}

TEST_F(SetupOptionsTest, TenElementsGiveAnEmptyListAndOkStillChecksTheProgramsDrive)
{
    elements = MakeElements();
    Page(L"C:\\Orvek");
    std::wstring asked;
    page->driveSpace = [&](wchar_t letter) {
        asked += letter;
        return DriveSpace{true, 4096, 1 << 30};
    };
    EXPECT_EQ(RunModal(*page, {[&](HWND dialog) {
        EXPECT_EQ(page->list.Count(), 0);
        SendClick(dialog, IDOK);
    }}), IDOK);
    EXPECT_EQ(asked, L"cc");  // its need and its free space
    const std::size_t n = elements.GetSize();
    for (std::size_t fromEnd = 1; fromEnd <= 9; ++fromEnd)
        EXPECT_EQ(elements[n - fromEnd]->destination, fromEnd == 4 || fromEnd == 5 || fromEnd == 7 ? L"C:\\Orvek" : L"");
}

TEST_F(SetupOptionsTest, OkWarnsPerDriveWithTheUpperCaseLetterAndCancelKeepsThePageOpen)
{
    install[0] = static_cast<wchar_t>(::towlower(install[0]));
    Page(install);
    page->driveSpace = GetDriveSpace;  // the real drives
    GiveFiles(Element(kAlpha), 1ull << 60);
    Element(kGamma).destination = std::wstring(1, MissingDrive()) + L":\\GAM";  // cannot be queried: no message
    GiveFiles(Element(kGamma), 1ull << 60);
    ui.Answer(IDCANCEL);
    EXPECT_EQ(RunModal(*page, {[&](HWND dialog) {
        SendClick(dialog, IDOK);
        EXPECT_EQ(ui.messages.size(), 1u);
        ui.Answer(IDOK);
        SendClick(dialog, IDOK);
    }}), IDOK);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].stringId, UINT(IDS_DISK_SPACE_LOW));
    const std::wstring letter(1, static_cast<wchar_t>(::towupper(install[0])));
    EXPECT_EQ(ui.messages[0].text, L"Nicht genügend Speicherplatz auf Laufwerk " + letter +
                                       L".\nMöchten Sie trotzdem mit der Installation forfahren?");
    EXPECT_EQ(ui.messages[0].flags, UINT(MB_OKCANCEL));

    // Free space exactly equal to the need passes; a cluster more does not.
    for (uint64_t extra : {0u, 1u}) {
        ui.messages.clear();
        elements = MakeElements();
        GiveFiles(*elements[0], (64ull << 20) + extra);
        Page(L"C:\\Orvek", DriveSpace{true, 4096, 64ull << 20});
        if (extra) ui.Answer(IDOK);
        EXPECT_EQ(RunModal(*page, {[](HWND dialog) { SendClick(dialog, IDOK); }}), IDOK);
        EXPECT_EQ(ui.messages.size(), extra);
    }
}

TEST_F(SetupOptionsTest, TabFollowsTheReadingOrderEnterGoesOnEscapeAndButton3End)
{
    Page(install);
    std::vector<int> order;
    std::vector<PageStep> steps = {[&](HWND) { order.push_back(::GetDlgCtrlID(::GetFocus())); }};
    for (int i = 0; i < 7; ++i) {
        steps.push_back([&](HWND) { PressKey(::GetFocus(), VK_TAB); });
        steps.push_back([&](HWND) { order.push_back(::GetDlgCtrlID(::GetFocus())); });
    }
    steps.push_back([&](HWND) { PressKey(page->list.Handle(), VK_RETURN); });
    EXPECT_EQ(RunModal(*page, steps), IDOK);
    EXPECT_EQ(order, (std::vector<int>{IDC_OPTIONS_TO_DISK, IDC_OPTIONS_FOLDER, IDC_OPTIONS_LIST, IDC_OPTIONS_CHECK_ALL,
                                       IDC_OPTIONS_CLEAR_ALL, IDOK, IDCANCEL, IDC_OPTIONS_TO_DISK}));
    EXPECT_EQ(RunModal(Page(install), {[](HWND) { PressKey(::GetFocus(), VK_ESCAPE); }}), IDCANCEL);
    EXPECT_EQ(RunModal(Page(install), {[](HWND dialog) { SendClick(dialog, IDC_OPTIONS_END); }}), IDC_OPTIONS_END);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace

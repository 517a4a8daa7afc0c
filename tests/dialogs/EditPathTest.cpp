// The path dialog on a real display: its texts, the drive figures and the check on OK.
#include "PageDriver.h"
#include "PageElements.h"
#include "dialogs/EditPath.h"
#include "files/source/FileList.h"
#include "files/run/InstallRun.h"
#include "resources/resource.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(EditPathTest, ShowsTheFiguresOfTheTypedDriveAndEndsOnlyForAUsableFolder)
{
    TempDir dir;
    ScriptedUi ui;
    InstallRun run{ui};
    CIEArray elements = MakeElements({{L"Alpha", L"ALP"}});
    FileList files;
    elements[0]->destination = L"C:\\Orvek";
    GiveFiles(*elements[0], 10000);  // 3 clusters, 12 KB, on the drive of the path being typed
    elements[1]->destination = L"d:\\Daten\\ALP";
    GiveFiles(*elements[1], 4096);
    CEditPath dialog(nullptr, run, elements, files, 0, nullptr);
    dialog.caption = L"Pfad für die ORVEK-Applikation";
    dialog.newPath = L"d:\\Orvek";
    dialog.driveSpace = [](wchar_t letter) { return letter == L'D' ? DriveSpace{true, 4096, 1536 * 1024 + 511} : DriveSpace{}; };
    const std::wstring wanted = dir / L"Neu";
    const INT_PTR result = RunModal(dialog, {[&](HWND window) {
        const struct { int id; const wchar_t* text; } texts[] = {
            {0, L"Pfad für die ORVEK-Applikation"}, {IDC_EDITPATH_PATH_LABEL, L"Neuer Pfad"},
            {IDC_EDITPATH_GROUP, L"Laufwerksinfo"}, {IDC_EDITPATH_DRIVE_LABEL, L"Laufwerk"},
            {IDC_EDITPATH_FREE_LABEL, L"frei (KB)"}, {IDC_EDITPATH_NEEDED_LABEL, L"benötigt (KB)"},
            {IDC_EDITPATH_DETERMINE, L"Ermitteln"}, {IDOK, L"OK"}, {IDCANCEL, L"Abbrechen"},
            {IDC_EDITPATH_PATH, L"d:\\Orvek"}, {IDC_EDITPATH_DRIVE, L"D"},
            {IDC_EDITPATH_FREE, L"1536"}, {IDC_EDITPATH_NEEDED, L"16"}};
        for (const auto& text : texts) {
            wchar_t shown[80] = {};
            ::GetWindowTextW(text.id ? dialog.Item(text.id) : window, shown, 80);
            EXPECT_STREQ(shown, text.text) << text.id;
        }
        EXPECT_TRUE(SaveScreenshot(window, L"path-dialog"));
        dialog.SetItemText(IDC_EDITPATH_PATH, L"c:\\anders");  // a drive that does not answer
        ::SendMessageW(dialog.Item(IDC_EDITPATH_DETERMINE), BM_CLICK, 0, 0);
        EXPECT_EQ(dialog.ItemText(IDC_EDITPATH_DRIVE) + dialog.ItemText(IDC_EDITPATH_FREE) +
                      dialog.ItemText(IDC_EDITPATH_NEEDED), L"C00");
        EXPECT_EQ(elements[0]->destination, L"C:\\Orvek");  // given back after counting

        dialog.SetItemText(IDC_EDITPATH_PATH, L"Orvek");
        SendClick(window, IDOK);  // not a full path: string 66, still open
        dialog.SetItemText(IDC_EDITPATH_PATH, wanted);
        ui.Answer(IDNO);
        SendClick(window, IDOK);  // not created: still open
        ui.Answer(IDYES);
        PressKey(dialog.Item(IDC_EDITPATH_PATH), VK_RETURN);
    }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.newPath, wanted);
    std::vector<UINT> ids;
    for (const AskedMessage& message : ui.messages) ids.push_back(message.stringId);
    EXPECT_EQ(ids, (std::vector<UINT>{IDS_FULL_PATH_NEEDED, IDS_CREATE_FOLDER, IDS_CREATE_FOLDER}));
    EXPECT_NE(::GetFileAttributesW(wanted.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(RunModal(dialog, {[](HWND) { PressKey(::GetFocus(), VK_ESCAPE); }}), IDCANCEL);
}

}  // namespace

// The built-in German texts come out of the string table exactly, with insertion.
#include "resources/resource.h"
#include "framework/Strings.h"
#include "framework/UserInterface.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace {

TEST(StringTable, QuotedTextsComeOutExactly)
{
    const struct { UINT id; const wchar_t* text; } cases[] = {
        {IDS_INSERT_ORIGINAL_DVD, L"Legen Sie die Original-DVD ein und starten Sie die Installation neu."},
        {IDS_NOTHING_SELECTED, L"Es wurde keine Komponente zur Installation ausgew\u00e4hlt.\nDie Installation wird abgebrochen."},
        {IDS_ENTRY_EMPTY, L"Warnung:\nDer Eintrag %1 im Abschnitt  [%2] ist leer."},
        {IDS_ENTRY_MALFORMED, L"Der Eintrag %1 im Abschnitt  [%2] ist fehlerhaft."},
        {IDS_ENTRY_FILE_MISSING, L"Das File in Eintrag %1 im Abschnitt [%2]\nkonnte nicht gefunden werden."},
        {IDS_FILE_IN_USE, L"Die Datei %1 ist in Verwendung\nund kann nicht \u00fcberschrieben werden.\nBitte beenden Sie alle Programme und\nversuchen Sie es noch einmal."},
        {IDS_FILE_EXISTS, L"Es existiert bereits eine Datei mit dem Namen \"%1\".\nBitte w\u00e4hlen Sie ein anderes Verzeichnis."},
        {IDS_CREATE_FOLDER, L"Das Verzeichnis \"%1\" existiert noch nicht. Soll es jetzt angelegt werden?"},
        {IDS_FOLDER_NOT_CREATED, L"\"%1\" konnte nicht angelegt werden."},
        {IDS_NO_INSTALLATION, L"Keine Orvek-Installation gefunden.\nBitte installieren Sie zuerst OrvekDesktop."},
        {IDS_SUITE_ONLY, L"Dieses Datenpaket l\u00e4sst sich nur mit OrvekDesktop nutzen.\n\nHerstellerdaten f\u00fcr die OrvekSuite k\u00f6nnen Sie weiterhin \u00fcber dessen OnlineUpdate installieren."},
        {IDS_FULL_PATH_NEEDED, L"Bitte geben Sie einen vollst\u00e4ndigen Pfad an."},
        {IDS_DISK_SPACE_LOW, L"Nicht gen\u00fcgend Speicherplatz auf Laufwerk %c.\nM\u00f6chten Sie trotzdem mit der Installation forfahren?"},
        {IDS_DOTNET_MISSING_TEXT, L"Microsoft Dot Net Framwork %1 must be installed on your computer to continue the installation\n\nYou can download it on the Microsoft homepage:\n\n"},
        {IDS_DOTNET_MISSING_TITLE, L"Dot Net Framework %1 is missing..."},
    };
    for (const auto& c : cases) EXPECT_EQ(fw::LoadStr(nullptr, c.id), c.text) << c.id;
    EXPECT_EQ(fw::LoadStr(nullptr, 9999), L"");
}

TEST(StringTable, InsertionReplacesOnlyPercentOneAndTwo)
{
    EXPECT_EQ(fw::FormatStr(nullptr, IDS_ENTRY_MALFORMED, L"File3", L"Files"),
              L"Der Eintrag File3 im Abschnitt  [Files] ist fehlerhaft.");
    EXPECT_EQ(fw::FormatText(L"%2-%1-%3-%%1-%", L"a", L"b"), L"b-a-%3-%a-%");
    EXPECT_EQ(fw::FormatText(L"%1%1", L"%2", L"x"), L"%2%2");  // inserted text is not scanned again
}

TEST(StringTable, MessagesGoThroughTheOneInterface)
{
    ScriptedUi ui;
    ui.Answer(IDCANCEL);
    EXPECT_EQ(ui.MessageId(IDS_FOLDER_NOT_CREATED, MB_OK | MB_ICONERROR, L"C:\\x"), IDCANCEL);
    EXPECT_EQ(ui.Message(L"fixed", MB_YESNO), IDYES);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].stringId, static_cast<UINT>(IDS_FOLDER_NOT_CREATED));
    EXPECT_EQ(ui.messages[0].text, L"\"C:\\x\" konnte nicht angelegt werden.");
    EXPECT_EQ(ui.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(ui.messages[1].stringId, 0u);
}

}  // namespace

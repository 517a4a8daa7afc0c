// The file sections of the data script: line format, language filter, groups,
// rename, and the three messages with their answers.
#include "app/SetupState.h"
#include "resources/resource.h"
#include "files/elements/FileItem.h"
#include "files/sections/FileSection.h"
#include "files/run/InstallRun.h"
#include "files/source/FileList.h"
#include "files/source/SourceNames.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(FileEntryTest, ParsesFiveCommaTerminatedFields)
{
    struct Case {
        const wchar_t* value;
        bool ok;
        const wchar_t* source;
        const wchar_t* subfolder;
        const wchar_t* rename;
        const wchar_t* language;
    };
    const Case cases[] = {
        {L"1,bin\\a.dll,sys,b.dll,9,", true, L"bin\\a.dll", L"sys", L"b.dll", L"9"},
        {L"1,bin\\*,,,,", true, L"bin\\*", L"", L"", L""},
        {L" 1 ,  bin\\a b.dll , sys x ,  , 7 ,tail", true, L"bin\\a b.dll", L"sys x", L"", L"7"},
        {L"1,bin\\a.dll,sys,b.dll,9", false, L"", L"", L"", L""},   // four commas
        {L"1,,sys,b.dll,9,", false, L"", L"", L"", L""},            // empty source
        {L"1,   ,sys,b.dll,9,", false, L"", L"", L"", L""},         // blank source
        {L"bin\\a.dll", false, L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        FileEntry entry;
        ASSERT_EQ(ParseFileEntry(c.value, entry), c.ok) << c.value;
        if (!c.ok) continue;
        EXPECT_EQ(entry.source, c.source);
        EXPECT_EQ(entry.subfolder, c.subfolder);
        EXPECT_EQ(entry.rename, c.rename);
        EXPECT_EQ(entry.language, c.language);
    }
}

TEST(FileEntryTest, LanguageFieldIsSignAndDigitsElseZero)
{
    EXPECT_EQ(LanguageNumber(L"9"), 9);
    EXPECT_EQ(LanguageNumber(L"+7"), 7);
    EXPECT_EQ(LanguageNumber(L"-7"), -7);
    EXPECT_EQ(LanguageNumber(L"12x"), 12);
    EXPECT_EQ(LanguageNumber(L"de"), 0);
    EXPECT_EQ(LanguageNumber(L"99999999999"), 0);
}

class FileSectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.sourceDir = dir / L"src\\";
        state.uiLanguage = 9;
        script = dir / L"DataSetup.inf";
        ASSERT_TRUE(MakeDirs(dir / L"src\\bin"));
        ASSERT_TRUE(MakeDirs(dir / L"src\\emptydir"));
        ASSERT_TRUE(WriteBytes(dir / L"src\\bin\\a.dll", "aaa"));
        ASSERT_TRUE(WriteBytes(dir / L"src\\bin\\c.dll", "cccccc"));
        ASSERT_TRUE(MakeDirs(dir / L"src\\bin\\nested"));  // folders are not files
    }
    void Section(const std::wstring& lines) { ASSERT_TRUE(WriteText(script, L"[Files]\r\n" + lines)); }
    SectionContext Sections() { return SectionContext{ui, run, state.sourceDir, state.uiLanguage}; }
    static std::vector<std::wstring> Names(const CClassItem& item)
    {
        std::vector<std::wstring> names;
        for (const auto& child : item.children) names.push_back(child->destName.empty() ? child->source : child->destName);
        return names;
    }

    TempDir dir;
    std::wstring script;
    ScriptedUi ui;
    InstallRun run{ui};
    SetupState state;
};

TEST_F(FileSectionTest, StarTakesEveryFileOfTheFolderWithItsName)
{
    Section(L"f1=1,bin\\*,,,,\r\n");
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    ASSERT_EQ(root.children.size(), 2u);
    std::vector<std::wstring> sources = Names(root);
    std::sort(sources.begin(), sources.end());
    EXPECT_EQ(sources[0], dir / L"src\\bin\\a.dll");
    EXPECT_EQ(sources[1], dir / L"src\\bin\\c.dll");
    for (const auto& child : root.children) {
        EXPECT_FALSE(child->IsClass());
        EXPECT_TRUE(child->destName.empty());
        const bool isA = child->source.find(L"a.dll") != std::wstring::npos;
        EXPECT_EQ(child->size, isA ? 3u : 6u);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileSectionTest, SingleFileGoesIntoItsSubfolderRenamedOnlyForItsLanguage)
{
    Section(L"f1=1,bin\\a.dll,sys,b.dll,9,\r\n");
    CClassItem english;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", english));
    ASSERT_EQ(english.children.size(), 1u);
    ASSERT_TRUE(english.children[0]->IsClass());
    const auto& sys = static_cast<const CClassItem&>(*english.children[0]);
    EXPECT_EQ(sys.destName, L"sys");
    ASSERT_EQ(sys.children.size(), 1u);
    EXPECT_EQ(sys.children[0]->source, dir / L"src\\bin\\a.dll");
    EXPECT_EQ(sys.children[0]->destName, L"b.dll");
    EXPECT_EQ(sys.children[0]->size, 3u);

    state.uiLanguage = 7;
    CClassItem german;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", german));
    EXPECT_TRUE(german.children.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileSectionTest, RenameAppliesOnlyWhenExactlyOneFileWasAdded)
{
    Section(L"f1=1,bin\\*,,z.dll,,\r\n");
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    ASSERT_EQ(root.children.size(), 2u);
    for (const auto& child : root.children) EXPECT_TRUE(child->destName.empty());
}

TEST_F(FileSectionTest, SubfoldersXYXGiveThreeGroups)
{
    Section(L"f1=1,bin\\a.dll,x,,,\r\nf2=1,bin\\c.dll,Y,,,\r\nf3=1,bin\\a.dll,X,,,\r\nf4=1,bin\\c.dll,x,,,\r\n");
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0]->destName, L"x");
    EXPECT_EQ(root.children[1]->destName, L"Y");
    EXPECT_EQ(root.children[2]->destName, L"X");
    // f4 is the same group as f3 (names compared without case).
    EXPECT_EQ(static_cast<CClassItem&>(*root.children[2]).children.size(), 2u);
    EXPECT_EQ(CountFiles(root, state.sourceFiles), 4);
}

TEST_F(FileSectionTest, EveryEntryOfALongSectionIsRead)
{
    // Far more names than a 32,000-character key list holds.
    std::wstring lines;
    for (int i = 0; i < 10000; ++i)
        lines += L"entry" + std::to_wstring(10000 + i) + L"=1,bin\\a.dll,sub,n" + std::to_wstring(i) + L".dll,,\r\n";
    Section(lines);
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(root.children.size(), 1u);
    const auto& sub = static_cast<const CClassItem&>(*root.children[0]);
    ASSERT_EQ(sub.children.size(), 10000u);
    EXPECT_EQ(sub.children.front()->destName, L"n0.dll");
    EXPECT_EQ(sub.children.back()->destName, L"n9999.dll");
}

TEST_F(FileSectionTest, EmptyStarFolderAddsNothingAndSaysNothing)
{
    Section(L"f1=1,emptydir\\*,,,,\r\nf2=1,nofolder\\*,,,,\r\n");
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    EXPECT_EQ(CountFiles(root, state.sourceFiles), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileSectionTest, EmptyAndMalformedEntriesAreReportedAndSkipped)
{
    Section(L"gone=\r\nshort=1,bin\\a.dll,sys,b.dll,9\r\nok=1,bin\\c.dll,,,,\r\n");
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].stringId, static_cast<UINT>(IDS_ENTRY_EMPTY));
    EXPECT_EQ(ui.messages[0].text, L"Warnung:\nDer Eintrag gone im Abschnitt  [Files] ist leer.");
    EXPECT_EQ(ui.messages[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(ui.messages[1].stringId, static_cast<UINT>(IDS_ENTRY_MALFORMED));
    EXPECT_EQ(ui.messages[1].text, L"Der Eintrag short im Abschnitt  [Files] ist fehlerhaft.");
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0]->source, dir / L"src\\bin\\c.dll");
}

TEST_F(FileSectionTest, MissingFileAsksAbortRetryIgnore)
{
    Section(L"lost=1,bin\\lost.dll,,,,\r\nok=1,bin\\a.dll,,,,\r\n");

    ui.Answer(IDIGNORE);
    CClassItem ignored;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", ignored));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].stringId, static_cast<UINT>(IDS_ENTRY_FILE_MISSING));
    EXPECT_EQ(ui.messages[0].text, L"Das File in Eintrag lost im Abschnitt [Files]\nkonnte nicht gefunden werden.");
    EXPECT_EQ(ui.messages[0].flags, static_cast<UINT>(MB_ABORTRETRYIGNORE | MB_ICONERROR));
    ASSERT_EQ(ignored.children.size(), 1u);
    EXPECT_EQ(ignored.children[0]->source, dir / L"src\\bin\\a.dll");

    ui.messages.clear();
    ui.Answer(IDABORT);
    CClassItem aborted;
    EXPECT_FALSE(ReadFileSection(Sections(), script, L"Files", aborted));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(aborted.children.empty());  // the entry after the aborted one is not read
}

TEST_F(FileSectionTest, RetryReadsAndExpandsTheEntryAgain)
{
    Section(L"late=1,bin\\late.dll,sub,new.dll,,\r\n");
    // The user puts the missing file in place, then answers Retry.
    ui.onMessage = [this](const AskedMessage&) { WriteBytes(dir / L"src\\bin\\late.dll", "late"); };
    ui.Answer(IDRETRY);
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    EXPECT_EQ(ui.messages.size(), 1u);
    ASSERT_EQ(root.children.size(), 1u);  // one group, not a second one on the retry
    const auto& sub = static_cast<const CClassItem&>(*root.children[0]);
    ASSERT_EQ(sub.children.size(), 1u);
    EXPECT_EQ(sub.children[0]->destName, L"new.dll");
    EXPECT_EQ(sub.children[0]->size, 4u);
}

TEST_F(FileSectionTest, WildcardPatternTakesTheFilesItMatches)
{
    ASSERT_TRUE(WriteBytes(dir / L"src\\bin\\readme.txt", "r"));
    Section(L"dlls=1,bin\\*.dll,,,,\r\nnone=1,bin\\*.exe,,,,\r\n");
    ui.Answer(IDIGNORE);
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    EXPECT_EQ(root.children.size(), 2u);
    ASSERT_EQ(ui.messages.size(), 1u);  // no .exe: reported like a missing file
    EXPECT_EQ(ui.messages[0].stringId, static_cast<UINT>(IDS_ENTRY_FILE_MISSING));
}

// An entry whose folder or name would lead outside the destination, or whose
// fields do not all fit its buffer, is refused: asked like a missing file,
// never taken in part, and the run fails.
TEST_F(FileSectionTest, EntryLeadingOutsideOrTooLongIsRefusedAndSkipped)
{
    const std::wstring head = L"1,bin\\a.dll,";
    const std::wstring bad[] = {
        head + L"..\\..\\windows,,,",          head + L"sub\\..\\..\\x,,,",   head + L"C:\\x,,,",
        head + L"\\..\\x,,,",                  head + L"\\\\srv\\share\\x,,,", head + L"x:stream,,,",
        head + L",..\\..\\iexplore.exe,,",     head + L",sub\\b.dll,,",        head + L",b.dll:stream,,",
        head + L",..,,",                       head + L",.,,",
        head + std::wstring(241, L'x') + L",,,",  // 256 characters: one more than the buffer holds
    };
    for (const std::wstring& value : bad) {
        Section(L"bad=" + value + L"\r\ngood=1,bin\\c.dll,ok,,,\r\n");
        ui.messages.clear();
        ui.Answer(IDIGNORE);
        InstallRun fresh(ui);
        std::vector<std::wstring> told;
        fresh.reporter = [&told](const std::wstring& line) { told.push_back(line); };
        CClassItem root;
        ASSERT_TRUE(ReadFileSection(SectionContext{ui, fresh, state.sourceDir, state.uiLanguage}, script, L"Files", root));
        ASSERT_EQ(root.children.size(), 1u) << value;
        EXPECT_EQ(root.children[0]->destName, L"ok");
        EXPECT_EQ(Names(static_cast<CClassItem&>(*root.children[0])), std::vector<std::wstring>{dir / L"src\\bin\\c.dll"});
        ASSERT_EQ(ui.messages.size(), 1u) << value;
        EXPECT_EQ(ui.messages[0].flags, static_cast<UINT>(MB_ABORTRETRYIGNORE | MB_ICONERROR));
        EXPECT_TRUE(fresh.Refused()) << value;
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].find(L"refused: entry bad in section [Files] "), 0u) << told[0];
    }

    // Taken: the longest value that fits, a longer one whose five fields all
    // fit (a comment after them), and a folder with a leading backslash, which
    // the join puts below the destination with one backslash at the seam.
    Section(L"long=" + head + std::wstring(240, L'y') + L",,,\r\n" + L"comment=" + head + L"sub,,,; " +
            std::wstring(300, L'c') + L"\r\nrooted=1,bin\\c.dll,\\Data\\Temp,,,\r\n");
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(Sections(), script, L"Files", root));
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0]->destName, std::wstring(240, L'y'));
    EXPECT_EQ(root.children[1]->destName, L"sub");
    EXPECT_EQ(Names(static_cast<CClassItem&>(*root.children[1])), std::vector<std::wstring>{dir / L"src\\bin\\a.dll"});
    EXPECT_EQ(root.children[2]->destName, L"Data\\Temp");
    EXPECT_FALSE(run.Refused());

    // Abort ends the reading; Retry reads the entry again.
    Section(L"bad=" + bad[0] + L"\r\n");
    ui.Answer(IDRETRY);
    ui.Answer(IDABORT);
    CClassItem aborted;
    EXPECT_FALSE(ReadFileSection(Sections(), script, L"Files", aborted));
    EXPECT_TRUE(aborted.children.empty());
    EXPECT_EQ(ui.messages.size(), 3u);
}

// With the medium's scan at hand, an entry is found as a search finds it: in
// any case, a file that came after the scan too, and never a folder.
TEST_F(FileSectionTest, EntriesAreFoundThroughTheScanAsASearchFindsThem)
{
    FileList scan;
    ASSERT_TRUE(scan.Scan(state.sourceDir));
    SourceNames scanned(scan);
    ASSERT_TRUE(WriteBytes(dir / L"src\\bin\\late.dll", "late"));
    Section(L"upper=1,BIN\\A.DLL,,,,\r\nlate=1,bin\\late.dll,,,,\r\nfolder=1,bin\\nested,,,,\r\n");
    ui.Answer(IDIGNORE);
    CClassItem root;
    ASSERT_TRUE(ReadFileSection(SectionContext{ui, run, state.sourceDir, state.uiLanguage, &scanned}, script, L"Files", root));
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0]->source, dir / L"src\\BIN\\A.DLL");
    EXPECT_EQ(root.children[0]->size, 3u);
    EXPECT_EQ(root.children[1]->source, dir / L"src\\bin\\late.dll");
    EXPECT_EQ(root.children[1]->size, 4u);
    ASSERT_EQ(ui.messages.size(), 1u);  // the folder is no file
    EXPECT_EQ(ui.messages[0].stringId, static_cast<UINT>(IDS_ENTRY_FILE_MISSING));
}

}  // namespace

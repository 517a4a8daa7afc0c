// The install element list and the folders created before copying.
#include "files/GeneratedSource.h"

#include "catalogue/AppData.h"
#include "files/elements/InstElement.h"
#include "files/elements/ElementList.h"
#include "platform/PathUtil.h"
#include "platform/SystemInfo.h"
#include "support/ScriptedUi.h"
#include "files/engine/RunLogs.h"
#include "files/steps/CreateFolders.h"

namespace {

std::wstring SystemFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    ::GetSystemDirectoryW(buffer, MAX_PATH);
    return buffer;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using ElementListTest = GeneratedSourceTest;

// The fixed elements a run does not install unless asked.
std::vector<FixedElement> NotSelected(const CIEArray& elements)
{
    std::vector<FixedElement> which;
    for (std::size_t i = 0; i < kFixedElementCount; ++i)
        if (!FixedElementOf(elements, static_cast<FixedElement>(i)).selected) which.push_back(static_cast<FixedElement>(i));
    return which;
}

TEST_F(ElementListTest, TheProgramComesFirstThenThePackagesInCatalogueOrderThenTheFixedElements)
{
    Catalogue({{L"C3", L"Gamma", L"PkgC"}, {L"A1", L"Alpha", L"PkgA"}, {L"B2", L"Beta", L"PkgB"}});
    state.elements.Add(std::make_unique<CInstElement>());  // cleared first
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    const CIEArray& elements = state.elements;

    EXPECT_EQ(elements[0]->folderKey, L"Files");
    EXPECT_EQ(elements[0]->selected, 1);
    ASSERT_EQ(PackageCount(elements), 3u);
    const wchar_t* ids[] = {L"C3", L"A1", L"B2"};
    for (size_t i = 0; i < 3; ++i) {
        const CInstElement& element = *elements[1 + i];
        ASSERT_TRUE(element.package) << i;
        EXPECT_EQ(element.package->id, ids[i]);
        EXPECT_EQ(element.displayName, element.package->name);
        EXPECT_EQ(element.folderKey, element.package->dirname);
        EXPECT_EQ(element.selected, 1);
        EXPECT_EQ(element.packageElement, 1);
    }
    // The named fixed elements close the list, none of them a package.
    ASSERT_EQ(elements.GetSize(), 4 + kFixedElementCount);
    for (std::size_t i = 0; i < kFixedElementCount; ++i) {
        const CInstElement& fixed = FixedElementOf(elements, static_cast<FixedElement>(i));
        EXPECT_EQ(&fixed, elements[4 + i]) << i;
        EXPECT_EQ(fixed.packageElement, 0) << i;
        EXPECT_FALSE(fixed.package) << i;
    }
    EXPECT_TRUE(ui.messages.empty());
}

// Where the fixed elements install and which of them a run leaves out unless asked,
// on the NT family (Wine reports version 6.1) and the 95 family.
TEST_F(ElementListTest, FixedElementsGoToTheSystemsFoldersAndDocumentsAndSetupFilesAreLeftOut)
{
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    const CIEArray& elements = state.elements;
    ASSERT_EQ(PackageCount(elements), 0u);
    EXPECT_EQ(FixedElementOf(elements, FixedElement::System).destination, SystemFolder());
    EXPECT_EQ(FixedElementOf(elements, FixedElement::WinSxS).destination, run.windowsFolder);
    std::wstring appData;
    ASSERT_TRUE(AppDataFolder(ui, appData, true, true));
    EXPECT_EQ(FixedElementOf(elements, FixedElement::ProgramDataFiles).destination, appData);
    // The rest go where the program goes, once it is chosen.
    EXPECT_EQ(FixedElementOf(elements, FixedElement::Docs).destination, L"");
    elements[0]->destination = L"C:\\Orvek";
    GiveProgramFolderToFixedElements(elements);
    for (FixedElement which : {FixedElement::Docs, FixedElement::CommonDtb, FixedElement::FilesPriv})
        EXPECT_EQ(FixedElementOf(elements, which).destination, L"C:\\Orvek");
    EXPECT_EQ(FixedElementOf(elements, FixedElement::AdditionalFiles).destination, L"");
    // The side-by-side folder is the system's own business from XP on.
    EXPECT_EQ(NotSelected(elements), (std::vector{FixedElement::Docs, FixedElement::Setup, FixedElement::WinSxS}));

    run.systemKind = SystemKind::Win95Family;
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    EXPECT_EQ(NotSelected(elements), (std::vector{FixedElement::Docs, FixedElement::Setup}));
}

// The 95 family reads the program's and the system files from sections of their own.
TEST_F(ElementListTest, The95FamilyTakesFiles98AndSystem98)
{
    run.systemKind = SystemKind::Win95Family;
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    EXPECT_EQ(state.elements[0]->folderKey, L"Files98");
    EXPECT_EQ(FixedElementOf(state.elements, FixedElement::System).folderKey, L"System98");
}

TEST(ElementListLayout, AListWithoutItsFixedElementsHasNoPackages)
{
    CIEArray elements;
    for (int i = 0; i < 9; ++i) elements.Add(std::make_unique<CInstElement>("E", "e", 1));
    elements[0]->destination = L"C:\\Orvek";
    EXPECT_FALSE(HasFixedElements(elements));
    EXPECT_EQ(PackageCount(elements), 0u);
    GiveProgramFolderToFixedElements(elements);  // nothing to give, nothing written past the list
    for (std::size_t i = 1; i < elements.GetSize(); ++i) EXPECT_EQ(elements[i]->destination, L"");
    elements.Add(std::make_unique<CInstElement>("E", "e", 1));
    EXPECT_TRUE(HasFixedElements(elements));
    EXPECT_EQ(PackageCount(elements), 0u);
}

TEST_F(ElementListTest, CreateFoldersMakesWhatTheScriptAndTheSelectionAsk)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}, {L"B2", L"Beta", L"PkgB"}});
    const std::wstring appSub = L"ovktest_" + std::to_wstring(::GetCurrentProcessId());
    // A leading backslash stays below the root; a long value is taken when the
    // field the program uses fits the buffer.
    Script(L"[WinSxS]\r\nw1=1,x86_a,sxs_one,,,\r\nw2=1,x86_b,sxs_two\r\nw3=1,x86_c, sxs three ,\r\n"
           L"w4=1,x86_d,\\sxs_four,,,\r\nw5=1,x86_e,sxs_five,,,; " + std::wstring(300, L'c') + L"\r\n"
           L"[CreateDir]\r\nc1=made\\deep\r\nc2=\\lead\\ing\r\n[CreateDirHalvue]\r\nh1=halvue\r\n"
           L"[CreateProgramDataDir]\r\np1=" + appSub + L"\\pd\r\n");
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    CIEArray& elements = state.elements;
    ASSERT_EQ(elements.GetSize(), 12u);
    elements[0]->destination = dir / L"dst\\prog";
    elements[1]->destination = dir / L"dst\\PkgA";
    elements[2]->destination = dir / L"dst\\PkgB";
    elements[2]->selected = 0;
    FixedElementOf(elements, FixedElement::WinSxS).destination = dir / L"win";  // kept out of the real Windows folder

    ASSERT_TRUE(OpenUninstallLog(run, dir / L"dst\\.UNINST.INF"));
    CreateFolders(run, state.elements, state.scriptFile, state.installDir);

    EXPECT_TRUE(IsFolder(dir / L"dst\\prog"));
    for (const wchar_t* sub : {L"", L"\\lvk", L"\\dtb", L"\\cad", L"\\pic", L"\\geo", L"\\sym", L"\\att"})
        EXPECT_TRUE(IsFolder(dir / (std::wstring(L"dst\\PkgA") + sub))) << sub;
    EXPECT_FALSE(IsFolder(dir / L"dst\\PkgB"));  // not selected
    EXPECT_TRUE(IsFolder(dir / L"win\\sxs_one"));
    EXPECT_TRUE(IsFolder(dir / L"win\\ sxs three "));  // the field as it stands
    EXPECT_FALSE(IsFolder(dir / L"win\\sxs_two"));      // two commas: no folder
    EXPECT_TRUE(IsFolder(dir / L"win\\sxs_four"));
    EXPECT_TRUE(IsFolder(dir / L"win\\sxs_five"));
    EXPECT_TRUE(IsFolder(dir / L"dst\\made\\deep"));
    EXPECT_TRUE(IsFolder(dir / L"dst\\lead\\ing"));
    EXPECT_FALSE(run.Refused());
    EXPECT_TRUE(IsFolder(dir / L"dst\\halvue"));

    std::wstring appData;
    ASSERT_TRUE(AppDataFolder(ui, appData, false, true));
    EXPECT_TRUE(IsFolder(appData + appSub + L"\\pd"));
    RemoveTree(appData + appSub);

    // Every folder made is in the run log, in the order of the steps.
    const std::vector<std::string> lines = Lines(dir / L"dst\\.UNINST.INF");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "ORVEK V3.5");
    EXPECT_EQ(lines[1], "dir " + Ansi(L"dst\\prog"));
    EXPECT_EQ(lines[2], "dir " + Ansi(L"dst\\PkgA"));
    const auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    EXPECT_LT(at("dir " + Ansi(L"win\\sxs_one")), at("dir " + Ansi(L"dst\\made\\")));
    EXPECT_LT(at("dir " + Ansi(L"dst\\made\\deep")), at("dir " + Ansi(L"dst\\halvue")));
    EXPECT_LT(at("dir " + Ansi(L"dst\\halvue")), static_cast<long>(lines.size()));
}

TEST_F(ElementListTest, CreateFoldersRefusesAJoinedPathBeyondThePathLimit)
{
    Script(L"[CreateDir]\r\nlong=" + std::wstring(250, L'x') + L"\r\nok=fine\r\n");
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    state.elements[0]->destination = dir / L"dst\\prog";
    CreateFolders(run, state.elements, state.scriptFile, state.installDir);
    EXPECT_TRUE(IsFolder(dir / L"dst\\fine"));
    EXPECT_FALSE(IsFolder(dir / (L"dst\\" + std::wstring(250, L'x')).substr(0, MAX_PATH - 1)));
}

// A folder value that would lead outside its root is refused where it is read
// (each field on a real medium: the crafted-media runs); Abort stops the run
// before anything is copied.
TEST_F(ElementListTest, CreateFoldersRefusesValuesLeadingOutsideTheirRoot)
{
    // c3 and the WinSxS entry: the buffer would cut the folder they give.
    Script(L"[CreateDir]\r\nc1=..\\outside\r\nc2=made\r\nc3=" + std::wstring(256, L'l') +
           L"\r\n[CreateDirHalvue]\r\nh1=halvue\r\n[WinSxS]\r\nw1=1,x86_a," + std::wstring(250, L'w') + L",,,\r\n");
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    state.elements[0]->destination = dir / L"dst";
    // WinSxS, kept out of the real Windows folder.
    FixedElementOf(state.elements, FixedElement::WinSxS).destination = dir / L"win";
    for (int i = 0; i < 3; ++i) ui.Answer(IDIGNORE);
    CreateFolders(run, state.elements, state.scriptFile, state.installDir);
    EXPECT_TRUE(IsFolder(dir / L"dst\\made") && IsFolder(dir / L"dst\\halvue"));
    EXPECT_FALSE(PathExists(dir / L"outside"));
    EXPECT_FALSE(PathExists(dir / L"win"));
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_TRUE(run.Refused() && run.KeepGoing());

    InstallRun aborted(ui);
    RemoveTree(dir / L"dst\\halvue");
    ui.Answer(IDABORT);
    CreateFolders(aborted, state.elements, state.scriptFile, state.installDir);
    EXPECT_FALSE(aborted.KeepGoing());
    EXPECT_FALSE(IsFolder(dir / L"dst\\halvue"));
}

}  // namespace

// Finding the administration file, its base paths, country and language, the
// suite's folders and the element destination rule.
#include "catalogue/AppData.h"
#include "catalogue/FirmenArray.h"
#include "files/elements/InstElement.h"
#include "framework/UserInterface.h"
#include "platform/Profile.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const wchar_t* const kProfileKeys[] = {L"Orvek_Admin_V2008", L"Orvek_Admin_V350", L"Orvek_Admin_V300"};

class AdminFile : public ::testing::Test {
protected:
    void SetUp() override { ClearProfile(); }
    void TearDown() override { ClearProfile(); }
    static void ClearProfile()
    {
        for (const wchar_t* key : kProfileKeys) ::WriteProfileStringW(L"ORVEK", key, nullptr);
    }
    static void SetProfile(const wchar_t* key, const std::wstring& value)
    {
        ASSERT_TRUE(::WriteProfileStringW(L"ORVEK", key, value.c_str()));
    }
    // An installation folder with obj\orvekAdmin.ini.
    std::wstring Installation(const std::wstring& name, const std::wstring& content = L"[basepath]\r\n")
    {
        std::wstring folder = dir / name;
        MakeDirs(folder + L"\\obj");
        WriteText(folder + L"\\obj\\orvekAdmin.ini", content);
        return folder;
    }

    TempDir dir;
};

TEST_F(AdminFile, ProfileKeysAreTriedInTheirOrder)
{
    const std::wstring v2008 = Installation(L"v2008");
    const std::wstring v350 = Installation(L"v350");
    SetProfile(L"Orvek_Admin_V300", Installation(L"v300"));
    SetProfile(L"Orvek_Admin_V350", v350);
    SetProfile(L"Orvek_Admin_V2008", L"");

    CFirmenArray list;
    EXPECT_TRUE(list.LocateAdminFile(false));
    EXPECT_EQ(list.adminFolder, v350);  // V2008 empty: V350 counts
    EXPECT_EQ(list.adminFile, v350 + L"\\obj\\orvekAdmin.ini");

    SetProfile(L"Orvek_Admin_V2008", v2008 + L"\\");
    EXPECT_TRUE(list.LocateAdminFile(false));
    EXPECT_EQ(list.adminFile, v2008 + L"\\obj\\orvekAdmin.ini");
}

TEST_F(AdminFile, AProfileValueIsNotFollowedByASearchBesideTheProgram)
{
    const std::wstring program = dir.Path() + L"\\program\\";
    MakeDirs(program);
    WriteText(program + L"orvekAdmin.ini", L"[basepath]\r\n");
    const std::wstring empty = dir / L"noadmin";
    MakeDirs(empty + L"\\obj");
    SetProfile(L"Orvek_Admin_V300", empty);

    CFirmenArray list;
    list.programFolder = program;
    EXPECT_FALSE(list.LocateAdminFile(false));
    EXPECT_EQ(list.adminFile, empty + L"\\obj\\orvekAdmin.ini");
    EXPECT_EQ(::GetFileAttributesW(list.adminFile.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(list.LocateAdminFile(true));
    EXPECT_EQ(ReadBytes(list.adminFile), "[basepath]\r\n");
    EXPECT_TRUE(list.LocateAdminFile(true));
}

TEST_F(AdminFile, WithoutProfileTheProgramFolderIsUsed)
{
    const std::wstring program = dir.Path() + L"\\program\\";
    MakeDirs(program);
    CFirmenArray list;
    list.programFolder = program;
    EXPECT_FALSE(list.LocateAdminFile(false));
    EXPECT_EQ(list.adminFolder, program);
    EXPECT_EQ(list.adminFile, program + L"orvekAdmin.ini");
    EXPECT_EQ(::GetFileAttributesW(list.adminFile.c_str()), INVALID_FILE_ATTRIBUTES);

    // A file there that already exists is never replaced by a new one.
    WriteText(list.adminFile, L"[basepath]\r\npath=D:\\Mine\r\n");
    EXPECT_TRUE(list.LocateAdminFile(true));
    EXPECT_EQ(ReadBytes(list.adminFile), "[basepath]\r\npath=D:\\Mine\r\n");

    // The running program's folder when none is given.
    CFirmenArray running;
    running.LocateAdminFile(false);
    ASSERT_FALSE(running.adminFolder.empty());
    EXPECT_EQ(running.adminFolder.back(), L'\\');
}

// Run by catalogue_long_program_path from a folder deeper than MAX_PATH, where
// the program cannot read its own path.
TEST_F(AdminFile, WithoutAProgramPathTheCurrentFolderIsNotSearched)
{
    if (!::GetEnvironmentVariableW(L"SETUP_NO_PROGRAM_PATH", nullptr, 0)) GTEST_SKIP() << "the deep run's test";
    std::wstring program;
    ASSERT_FALSE(fw::ProgramPath(program));
    ASSERT_TRUE(WriteText(dir / L"orvekAdmin.ini", L"[basepath]\r\n"));
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(dir.Path().c_str());
    CFirmenArray list;
    const bool found = list.LocateAdminFile(true);
    const bool written = static_cast<bool>(list.SetBasePath(L"D:\\Data"));
    ::SetCurrentDirectoryW(previous);
    EXPECT_FALSE(found);
    EXPECT_FALSE(written);
    EXPECT_EQ(list.adminFile, L"");
    EXPECT_EQ(ReadBytes(dir / L"orvekAdmin.ini"), "[basepath]\r\n");
}

TEST_F(AdminFile, SetAdminFileLocatesOnlyWhenEmpty)
{
    CFirmenArray list;
    EXPECT_TRUE(list.SetAdminFile(dir / L"any.ini"));
    EXPECT_EQ(list.adminFile, dir / L"any.ini");
    list.programFolder = dir.Path() + L"\\";
    EXPECT_FALSE(list.SetAdminFile(L""));
    EXPECT_EQ(list.adminFile, dir.Path() + L"\\orvekAdmin.ini");
}

TEST_F(AdminFile, CountryCodesAndLanguage)
{
    const struct { const wchar_t* country; const wchar_t* code; } cases[] = {
        {L"Country=1\r\n", L"01"}, {L"Country=49\r\n", L"49"}, {L"Country=041\r\n", L"041"}, {L"", L"00"},
        {L"Country=\r\n", L"00"},
    };
    const std::wstring admin = dir / L"orvekAdmin.ini";
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteText(admin, std::wstring(L"[Land]\r\n") + c.country + L"[Sprachen]\r\nOberflaeche=9\r\n"));
        CFirmenArray list;
        list.SetAdminFile(admin);
        EXPECT_TRUE(list.ReadCountryAndLanguage());
        EXPECT_EQ(list.countryCode, c.code) << c.country;
        EXPECT_EQ(list.surfaceLanguage, L"9");
    }
}

TEST_F(AdminFile, BasePathFindsTheLocalCatalogue)
{
    const std::wstring admin = dir / L"orvekAdmin.ini";
    const std::wstring data = dir / L"data";
    MakeDirs(data);
    CFirmenArray list;
    list.SetAdminFile(admin);
    EXPECT_FALSE(list.ReadBasePath());  // no file

    ASSERT_TRUE(list.SetBasePath(data));
    EXPECT_EQ(ReadProfileText(admin, L"basepath", L"path", 260), data);
    EXPECT_FALSE(list.ReadBasePath());  // no catalogue yet
    EXPECT_EQ(list.localCatalogue, data + L"\\ovkdata.inf");
    EXPECT_FALSE(list.localCatalogueExists);

    WriteText(data + L"\\ovkdata.inf", L"[manufacturers]\r\n");
    EXPECT_TRUE(list.ReadBasePath());
    EXPECT_TRUE(list.localCatalogueExists);
    EXPECT_EQ(list.dataBasePath, data);

    // An empty path leaves the flag as it was.
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=\r\n"));
    EXPECT_FALSE(list.ReadBasePath());
    EXPECT_TRUE(list.localCatalogueExists);
}

TEST(SuiteFolders, ApplicationDataAndTheMachineAdministrationFile)
{
    ScriptedUi ui;
    std::wstring folder;
    ASSERT_TRUE(AppDataFolder(ui, folder, false, true));
    EXPECT_EQ(folder, L"C:\\ProgramData\\Orvekhaus\\");
    ASSERT_TRUE(AppDataFolder(ui, folder, true, true));
    EXPECT_EQ(folder, L"C:\\ProgramData\\Orvekhaus\\OrvekDesktop\\");
    ASSERT_TRUE(DataFolder(ui, folder, true));
    EXPECT_EQ(folder, L"C:\\ProgramData\\Orvekhaus\\OrvekData");

    const bool hadSuite = ::GetFileAttributesW(L"C:\\ProgramData\\Orvekhaus") != INVALID_FILE_ATTRIBUTES;
    const bool hadData = ::GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::wstring file = folder + L"\\orvekAdmin.ini";
    ASSERT_EQ(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "left over from elsewhere";

    std::wstring path;
    EXPECT_FALSE(MachineAdminFile(ui, path));
    EXPECT_EQ(path, file);
    MakeDirs(folder);
    ASSERT_TRUE(WriteText(file, L"[Land]\r\nCountry=43\r\n"));
    EXPECT_TRUE(MachineAdminFile(ui, path));
    EXPECT_EQ(path, file);

    ::DeleteFileW(file.c_str());
    if (!hadData) ::RemoveDirectoryW(folder.c_str());
    if (!hadSuite) ::RemoveDirectoryW(L"C:\\ProgramData\\Orvekhaus");
}

TEST(ElementDestination, DtbPathRedirectsTheLastFolderName)
{
    TempDir dir;
    const std::wstring script = dir / L"DataSetup.inf";
    ASSERT_TRUE(WriteText(script, L"[DTBPath]\r\nLumi=Leuchten\r\nEmpty=\r\nUp=..\r\nPath=..\\..\\Windows\r\nDrive=C:\\\r\nLong=" +
                                      std::wstring(100, L'L') + L"\r\n"));
    const struct { const wchar_t* key; const wchar_t* base; std::wstring expected; } cases[] = {
        {L"Lumi", L"C:\\Data", L"C:\\Data\\Leuchten"},
        {L"lumi", L"C:\\Data\\", L"C:\\Data\\Leuchten"},
        {L"Empty", L"C:\\Data", L"C:\\Data\\Empty"},
        {L"Other", L"C:\\Data", L"C:\\Data\\Other"},
        {L"Up", L"C:\\Data", L"C:\\Data\\Up"},       // never out of the base folder
        {L"Path", L"C:\\Data", L"C:\\Data\\Path"},
        {L"Drive", L"C:\\Data", L"C:\\Data\\Drive"},
        {L"Long", L"C:\\D", L"C:\\D\\Long"},  // cut to 79 characters it would name another folder
    };
    const ElementFolderNames names(script);  // the section listed once for every package
    for (const auto& c : cases) {
        CInstElement element("Paket", "", 1);
        element.folderKey = c.key;
        SetElementDestination(element, c.base, script);
        EXPECT_EQ(element.destination, c.expected) << c.key;
        element.destination.clear();
        SetElementDestination(element, c.base, names);
        EXPECT_EQ(element.destination, c.expected) << c.key;
    }
    // What is not taken is told whole; what is taken, or missing, is not.
    for (const wchar_t* key : {L"Up", L"Path", L"Drive", L"Long"}) EXPECT_FALSE(names.Refused(key).empty()) << key;
    EXPECT_EQ(names.Refused(L"long"), std::wstring(100, L'L'));
    for (const wchar_t* key : {L"Lumi", L"Empty", L"Other"}) EXPECT_EQ(names.Refused(key), L"") << key;
    // A missing script keeps the folder key.
    EXPECT_EQ(ElementFolderName(dir / L"none.inf", L"Lumi"), L"Lumi");
}

TEST(ElementList, FixedElementsAndOwnership)
{
    CIEArray list;
    EXPECT_EQ(list.Add(std::make_unique<CInstElement>("Dokumente", "Docs", 0)), 0u);
    auto package = std::make_unique<CInstElement>();
    EXPECT_EQ(package->selected, 0);
    EXPECT_EQ(package->packageElement, 0);
    EXPECT_EQ(package->fileTree, nullptr);
    package->package = std::make_unique<CFirma>();
    EXPECT_EQ(list.Add(std::move(package)), 1u);
    EXPECT_EQ(list[0]->displayName, L"Dokumente");
    EXPECT_EQ(list[0]->folderKey, L"Docs");
    EXPECT_EQ(list.GetSize(), 2u);
    list.RemoveAll();
    EXPECT_EQ(list.GetSize(), 0u);
}

}  // namespace

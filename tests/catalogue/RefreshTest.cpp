// Merging the local catalogue into the administration file's known records.
#include "catalogue/FirmenArray.h"
#include "platform/Profile.h"
#include "CatalogueFiles.h"
#include "support/PlatformProfile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class Refresh : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProfile();
        data = dir / L"data";
        MakeDirs(data);
        admin = dir / L"orvekAdmin.ini";
        list.programFolder = dir.Path() + L"\\";
    }
    void TearDown() override { ClearProfile(); }
    static void ClearProfile()
    {
        for (const wchar_t* key : {L"Orvek_Admin_V2008", L"Orvek_Admin_V350", L"Orvek_Admin_V300"})
            ::WriteProfileStringW(L"ORVEK", key, nullptr);
    }
    std::wstring Value(const std::wstring& section, const std::wstring& key)
    {
        return ReadProfileText(admin, section, key, 512, L"<absent>");
    }
    // The administration file as a user of the suite has it.
    void WriteUsersAdminFile()
    {
        ASSERT_TRUE(WriteText(admin,
            L"[basepath]\r\npath=" + data + L"\r\n[Land]\r\nCountry=49\r\n[Sprachen]\r\nOberflaeche=7\r\n" +
            Catalogue({
                {L"INS", {{L"name", L"Installed"}, {L"dbname", L"insdb"}, {L"dirname", L"MyLumi"},
                          {L"version", L"9"}, {L"status", L"6"}, {L"localpath", L"C:\\Mine"},
                          {L"versiononline", L"11"}, {L"disc", L"DVD1"}}},
                {L"OLD", {{L"name", L"Kept"}, {L"dirname", L"Kept"}, {L"version", L"2008.10"},
                          {L"status", L"18"}, {L"localpath", L"D:\\Keep"}}},
                {L"NOV", {{L"name", L"No version"}, {L"dirname", L"Nov"}}},
            })));
    }
    void WriteLocalCatalogue()
    {
        ASSERT_TRUE(WriteText(data + L"\\ovkdata.inf", Catalogue({
            {L"INS", {{L"name", L"Installed 10"}, {L"dbname", L"CountryCodes:49,00"}, {L"dbname49", L"insdb_de"},
                      {L"dbname00", L"insdb_all"}, {L"dirname", L"Lumi"}, {L"version", L"10"}, {L"disc", L"DVD2"}}},
            {L"OLD", {{L"name", L"Older"}, {L"dirname", L"Older"}, {L"version", L"2008.9"}}},
            {L"NOV", {{L"name", L"Now versioned"}, {L"dirname", L"Nov"}, {L"version", L"1"}}},
            {L"NEW", {{L"name", L"New"}, {L"dirname", L"New"}, {L"version", L"1"}, {L"status", L"18"},
                      {L"localpath", L"C:\\Nowhere"}}},
            {L"XDE", {{L"name", L"Not here"}, {L"dirname", L"X"}, {L"dbname", L"CountryCodes:49_ex,00"},
                      {L"dbname00", L"x"}}},
        })));
    }

    TempDir dir;
    std::wstring data;
    std::wstring admin;
    CFirmenArray list;
};

TEST_F(Refresh, NothingTheUserHadIsLost)
{
    WriteUsersAdminFile();
    WriteLocalCatalogue();
    ASSERT_EQ(list.Refresh().result, CFirmenArray::Merge::Result::Merged);
    EXPECT_EQ(list.adminFile, admin);
    EXPECT_EQ(list.countryCode, L"49");
    EXPECT_EQ(Value(L"basepath", L"defpath"), dir.Path() + L"\\");

    // Newer catalogue version 10 (after 9): the record is updated, its installed
    // state stays.
    EXPECT_EQ(Value(L"INS", L"name"), L"Installed 10");
    EXPECT_EQ(Value(L"INS", L"dbname"), L"insdb_de");
    EXPECT_EQ(Value(L"INS", L"disc"), L"DVD2");
    EXPECT_EQ(Value(L"INS", L"status"), L"6");
    EXPECT_EQ(Value(L"INS", L"localpath"), L"C:\\Mine");
    EXPECT_EQ(Value(L"INS", L"dirname"), L"MyLumi");
    EXPECT_EQ(Value(L"INS", L"versiononline"), L"11");
    // 2008.9 is older than 2008.10: nothing changes.
    EXPECT_EQ(Value(L"OLD", L"name"), L"Kept");
    EXPECT_EQ(Value(L"OLD", L"localpath"), L"D:\\Keep");
    EXPECT_EQ(Value(L"OLD", L"status"), L"18");
    // Without a version any catalogue version replaces the record.
    EXPECT_EQ(Value(L"NOV", L"name"), L"Now versioned");
    // Unknown: appended, not installed, status 0x48.
    EXPECT_EQ(Value(L"NEW", L"status"), L"72");
    EXPECT_EQ(Value(L"NEW", L"localpath"), L"");
    EXPECT_EQ(Value(L"manufacturers", L"NEW"), L"NEW");
    EXPECT_EQ(Value(L"XDE", L"name"), L"<absent>");
    EXPECT_EQ(Value(L"Land", L"Country"), L"49");
    EXPECT_EQ(Value(L"Sprachen", L"Oberflaeche"), L"7");

    // Memory agrees with the file.
    ASSERT_EQ(list.GetSize(), 4u);
    EXPECT_EQ(list.Find(L"INS")->version, L"10");
    EXPECT_EQ(list.Find(L"INS")->localpath, L"C:\\Mine");
    EXPECT_EQ(list.Find(L"INS")->basepath, data);
    EXPECT_EQ(list.Find(L"NEW")->status, 0x48);

    // Reading the file again gives the same records.
    CFirmenArray again;
    again.Load(admin, L"", L"");
    ASSERT_EQ(again.GetSize(), 4u);
    EXPECT_EQ(again[3]->id, L"NEW");
    EXPECT_EQ(again.Find(L"INS")->localpath, L"C:\\Mine");
    EXPECT_EQ(again.Find(L"INS")->status, 6);

    // A second merge changes nothing.
    const std::string merged = ReadBytes(admin);
    CFirmenArray second;
    second.SetAdminFile(admin);
    ASSERT_EQ(second.Refresh().result, CFirmenArray::Merge::Result::Merged);
    EXPECT_EQ(ReadBytes(admin), merged);
}

TEST_F(Refresh, WithoutLocalCatalogueOnlyTheKnownRecordsLoad)
{
    WriteUsersAdminFile();
    const std::string before = ReadBytes(admin);
    list.SetAdminFile(admin);
    ASSERT_EQ(list.Refresh().result, CFirmenArray::Merge::Result::Merged);
    EXPECT_EQ(list.GetSize(), 3u);
    EXPECT_FALSE(list.localCatalogueExists);
    EXPECT_EQ(ReadBytes(admin), before);  // defpath stays unset: no folder known
}

TEST_F(Refresh, NoAdministrationFileIsToldAsSuch)
{
    EXPECT_EQ(list.Refresh().result, CFirmenArray::Merge::Result::NoAdminFile);
    EXPECT_EQ(::GetFileAttributesW(admin.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Refresh, ReadOnlyAdministrationFileIsLeftAsItWas)
{
    WriteUsersAdminFile();
    WriteLocalCatalogue();
    ASSERT_TRUE(WriteProfileText(admin, L"basepath", L"defpath", L"D:\\def"));
    const std::string before = ReadBytes(admin);
    ASSERT_TRUE(::SetFileAttributesW(admin.c_str(), FILE_ATTRIBUTE_READONLY));
    list.SetAdminFile(admin);
    const CFirmenArray::Merge merged = list.Refresh();
    EXPECT_EQ(merged.result, CFirmenArray::Merge::Result::NotWritten);
    EXPECT_EQ(merged.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    const Win32Result saved = list.Save();
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    ::SetFileAttributesW(admin.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(admin), before);
}

// The text of one section in the file, header to the next header.
std::string SectionBytes(const std::string& file, const std::string& name)
{
    const std::size_t begin = file.find("[" + name + "]\r\n");
    if (begin == std::string::npos) return std::string();
    const std::size_t end = file.find("\r\n[", begin);
    return file.substr(begin, end == std::string::npos ? std::string::npos : end + 2 - begin);
}

TEST_F(Refresh, RecordsWithOddFolderNamesAreLeftByteForByte)
{
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=" + data + L"\r\ndefpath=D:\\\r\n" + Catalogue({
        {L"SUB", {{L"name", L"Sub"}, {L"dirname", L"Sub\\Lumi"}, {L"version", L"3"}, {L"status", L"18"},
                  {L"localpath", L"C:\\Mine"}}},
        {L"ST4", {{L"name", L"Four"}, {L"dirname", L""}, {L"version", L"3"}, {L"status", L"4"},
                  {L"versiononline", L"5"}}},
        {L"UPP", {{L"name", L"Up"}, {L"dirname", L".."}, {L"version", L"3"}}},
    })));
    const Keys offered = {{L"name", L"Offered"}, {L"dirname", L"Lumi"}, {L"version", L"3"}};
    ASSERT_TRUE(WriteText(data + L"\\ovkdata.inf", Catalogue({{L"SUB", offered}, {L"ST4", offered}, {L"UPP", offered},
                                                             {L"NEW", offered}})));
    const std::string before = ReadBytes(admin);
    list.SetAdminFile(admin);
    ASSERT_EQ(list.Refresh().result, CFirmenArray::Merge::Result::Merged);

    const std::string after = ReadBytes(admin);
    ASSERT_NE(after, before);  // NEW was added
    for (const char* id : {"SUB", "ST4", "UPP"}) {
        EXPECT_FALSE(SectionBytes(before, id).empty());
        EXPECT_EQ(SectionBytes(after, id), SectionBytes(before, id)) << id;
    }
    ASSERT_NE(list.Find(L"SUB"), nullptr);
    EXPECT_EQ(list.Find(L"SUB")->status, 18);
    EXPECT_EQ(list.Find(L"SUB")->localpath, L"C:\\Mine");
    EXPECT_EQ(Value(L"NEW", L"status"), L"72");
}

TEST_F(Refresh, CatalogueRecordsWhoseFolderLeadsElsewhereAreNotMerged)
{
    WriteUsersAdminFile();
    ASSERT_TRUE(WriteProfileText(admin, L"basepath", L"defpath", L"D:\\def"));
    ASSERT_TRUE(WriteText(data + L"\\ovkdata.inf", Catalogue({
        {L"INS", {{L"name", L"Climbs"}, {L"dirname", L"..\\..\\x"}, {L"version", L"10"}}},
        {L"ABS", {{L"name", L"Absolute"}, {L"dirname", L"C:\\x"}, {L"version", L"1"}}},
        {L"EMP", {{L"name", L"Empty"}, {L"version", L"1"}}},
        {L"NEW", {{L"name", L"New"}, {L"dirname", L"New"}, {L"version", L"1"}}},
    })));
    const std::string before = ReadBytes(admin);
    list.SetAdminFile(admin);
    ASSERT_EQ(list.Refresh().result, CFirmenArray::Merge::Result::Merged);

    EXPECT_EQ(SectionBytes(ReadBytes(admin), "INS"), SectionBytes(before, "INS"));
    EXPECT_EQ(list.Find(L"INS")->name, L"Installed");
    for (const wchar_t* id : {L"ABS", L"EMP"}) {
        EXPECT_EQ(Value(L"manufacturers", id), L"<absent>") << id;
        EXPECT_EQ(Value(id, L"name"), L"<absent>") << id;
        EXPECT_EQ(list.Find(id), nullptr);
    }
    EXPECT_EQ(Value(L"NEW", L"status"), L"72");
}

TEST_F(Refresh, SaveKeepsWhatAnotherProgramWroteMeanwhile)
{
    WriteUsersAdminFile();
    list.SetAdminFile(admin);
    ASSERT_EQ(list.Refresh().result, CFirmenArray::Merge::Result::Merged);
    // The suite changes the file between two steps of the run.
    ASSERT_TRUE(WriteProfileText(admin, L"Land", L"Country", L"43"));
    ASSERT_TRUE(list.ReadCountryAndLanguage());
    EXPECT_EQ(list.countryCode, L"43");

    list.Find(L"OLD")->name = L"Renamed";
    list.Find(L"OLD")->status |= kStatusChanged;
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(Value(L"Land", L"Country"), L"43");
    EXPECT_EQ(Value(L"OLD", L"name"), L"Renamed");
    EXPECT_EQ(Value(L"INS", L"localpath"), L"C:\\Mine");
}

TEST_F(Refresh, CatalogueOfFiveThousandPackages)
{
    ASSERT_TRUE(WriteText(data + L"\\ovkdata.inf", ManyPackages(5000, L"2", 0)));
    CFirmenArray catalogue;
    catalogue.LoadCatalogue(data, 49);
    ASSERT_EQ(catalogue.GetSize(), 5000u);
    EXPECT_EQ(catalogue[4999]->id, PackageId(4999));
    EXPECT_EQ(catalogue.Find(PackageId(2500))->name, L"Maker " + PackageId(2500));
    EXPECT_EQ(catalogue[0]->products, 12);
}

}  // namespace

// Reading package records: country lists, defaults, dropped records, bad files.
#include "catalogue/FirmenArray.h"
#include "CatalogueFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const Keys kCountryList = {
    {L"name", L"Lumi"}, {L"dirname", L"Lumi"},
    {L"dbname", L"CountryCodes:41,49,00"},
    {L"dbname41", L"lumi_ch"}, {L"products41", L"41"},
    {L"dbname49", L"lumi_de"}, {L"products49", L""},
    {L"dbname00", L"lumi_all"}, {L"products00", L"100"}, {L"products", L"5"},
};

struct CountryCase {
    const wchar_t* list;
    const wchar_t* code;
    bool kept;
    const wchar_t* dbname;
    int products;
};

TEST(FirmaRead, CountryListsChooseTheValuesOrDropTheRecord)
{
    const CountryCase cases[] = {
        {L"CountryCodes:41,49,00", L"43", true, L"lumi_all", 100},
        {L"CountryCodes:41,49,00", L"41", true, L"lumi_ch", 41},
        {L"CountryCodes:41,49,00", L"49", true, L"lumi_de", 5},   // empty products49 keeps products
        {L"CountryCodes:41,49_ex,00", L"49", false, L"", 0},
        {L"CountryCodes:41", L"43", false, L"", 0},
        {L"CountryCodes:41", L"", false, L"", 0},
        {L"CountryCodes:41,00", L"", true, L"lumi_all", 100},
        {L"CountryCodes:41,43,00", L"43", true, L"", 5},          // listed, no dbname43 key
        {L"lumi_plain", L"49", true, L"lumi_plain", 5},
    };
    TempDir dir;
    const std::wstring file = dir / L"ovkdata.inf";
    for (const auto& c : cases) {
        Keys keys = kCountryList;
        keys[2].second = c.list;
        ASSERT_TRUE(WriteText(file, Catalogue({{L"LUM", keys}})));
        CFirmenArray list;
        list.Load(file, L"", c.code);
        ASSERT_EQ(list.GetSize(), c.kept ? 1u : 0u) << c.list << " / " << c.code;
        if (!c.kept) continue;
        EXPECT_EQ(list[0]->dbname, c.dbname) << c.list << " / " << c.code;
        EXPECT_EQ(list[0]->localdbname, c.dbname) << c.list << " / " << c.code;
        EXPECT_EQ(list[0]->products, c.products) << c.list << " / " << c.code;
    }
}

TEST(FirmaRead, FieldsAndDefaults)
{
    TempDir dir;
    const std::wstring file = dir / L"ovkdata.inf";
    ASSERT_TRUE(WriteText(file, Catalogue({
        {L"AAA", {{L"name", L"Alpha"}, {L"dbname", L"adb"}, {L"dirname", L"Alpha"}, {L"disc", L"DVD2"},
                  {L"version", L"2008.10"}, {L"plugin", L"setup\\a.exe"}, {L"localdbname", L"alocal"},
                  {L"status", L"6"}, {L"localpath", L"C:\\Data"}, {L"versiononline", L"2009.1"}}},
        {L"BBB", {{L"name", L"Beta"}, {L"dirname", L"Beta"}, {L"localpath", L"C:\\NotRead"},
                  {L"versiononline", L"x"}}},
    })));
    CFirmenArray list;
    list.Load(file, L"D:\\base", L"");
    ASSERT_EQ(list.GetSize(), 2u);
    const CFirma& a = *list[0];
    EXPECT_EQ(a.id, L"AAA");
    EXPECT_EQ(a.name, L"Alpha");
    EXPECT_EQ(a.dbname, L"adb");
    EXPECT_EQ(a.localdbname, L"alocal");
    EXPECT_EQ(a.disc, L"DVD2");
    EXPECT_EQ(a.version, L"2008.10");
    EXPECT_EQ(a.plugin, L"setup\\a.exe");
    EXPECT_EQ(a.status, 6);
    EXPECT_EQ(a.localpath, L"C:\\Data");
    EXPECT_EQ(a.versiononline, L"2009.1");
    EXPECT_EQ(a.basepath, L"D:\\base");
    EXPECT_EQ(a.products, 1);  // absent gives 1
    const CFirma& b = *list[1];
    EXPECT_EQ(b.status, 0);
    EXPECT_EQ(b.localpath, L"");       // only with status 0x02
    EXPECT_EQ(b.versiononline, L"");   // only with status 0x04
}

TEST(FirmaRead, ManufacturerValuesGiveIdsOfAtMostThreeCharacters)
{
    TempDir dir;
    const std::wstring file = dir / L"ovkdata.inf";
    std::wstring text = L"[manufacturers]\r\na=X\r\nb=XY\r\nc=XYZ\r\nd=XYZW\r\ne=XYZWV\r\nf=\r\n";
    for (const wchar_t* id : {L"X", L"XY", L"XYZ", L"XYZW", L"XYZWV"})
        text += Section(id, {{L"name", std::wstring(L"n") + id}, {L"dirname", L"F"}});
    ASSERT_TRUE(WriteText(file, text));
    CFirmenArray list;
    list.Load(file, L"", L"");
    std::vector<std::wstring> ids;
    for (std::size_t i = 0; i < list.GetSize(); ++i) ids.push_back(list[i]->id + L":" + list[i]->name);
    // Four and five characters read the section of the first three.
    EXPECT_EQ(ids, (std::vector<std::wstring>{L"X:nX", L"XY:nXY", L"XYZ:nXYZ", L"XYZ:nXYZ", L"XYZ:nXYZ"}));
}

TEST(FirmaRead, EveryPackageOfALongListIsRead)
{
    // Far more names than a 32,000-character key list holds.
    TempDir dir;
    const std::wstring file = dir / L"ovkdata.inf";
    ASSERT_TRUE(WriteText(file, ManyPackages(10000, L"2", 0)));
    CFirmenArray list;
    list.Load(file, L"", L"");
    ASSERT_EQ(list.GetSize(), 10000u);
    EXPECT_EQ(list[0]->id, PackageId(0));
    EXPECT_EQ(list[9999]->id, PackageId(9999));
    EXPECT_EQ(list[9999]->name, L"Maker " + PackageId(9999));
}

TEST(FirmaRead, DuplicatesLoadTwiceAndFindReturnsTheFirst)
{
    TempDir dir;
    const std::wstring file = dir / L"ovkdata.inf";
    ASSERT_TRUE(WriteText(file, L"[manufacturers]\r\none=DUP\r\ntwo=DUP\r\nthree=abc\r\n" +
                                    Section(L"DUP", {{L"name", L"Dup"}, {L"dirname", L"Dup"}}) +
                                    Section(L"ABC", {{L"name", L"Upper"}, {L"dirname", L"Abc"}})));
    CFirmenArray list;
    list.Load(file, L"", L"");
    ASSERT_EQ(list.GetSize(), 3u);
    EXPECT_EQ(list.Find(L"DUP"), list[0]);
    EXPECT_EQ(list.Find(L"abc"), list[2]);   // the section name matches in any case
    EXPECT_EQ(list.Find(L"ABC"), nullptr);   // the id does not
    EXPECT_EQ(list.Find(L"dup"), nullptr);
}

TEST(FirmaRead, OnlyMissingEmptyAndGoneRecordsAreDroppedUnsafeOnesAreNotOffered)
{
    TempDir dir;
    const std::wstring file = dir / L"ovkdata.inf";
    const std::wstring here = dir.Path();
    ASSERT_TRUE(WriteText(file, L"[manufacturers]\r\na=NOS\r\nb=EMP\r\nc=DOT\r\nd=UP\r\ne=SL\r\nf=BS\r\ng=COL\r\n"
                                L"h=NOD\r\ni=GON\r\nj=HAS\r\nk=INS\r\nl=OK\r\n" +
                                Section(L"EMP", {}) +
                                Section(L"DOT", {{L"dirname", L"."}}) +
                                Section(L"UP", {{L"dirname", L".."}}) +
                                Section(L"SL", {{L"dirname", L"a/b"}}) +
                                Section(L"BS", {{L"dirname", L"..\\..\\Windows"}}) +
                                Section(L"COL", {{L"dirname", L"C:Data"}}) +
                                Section(L"NOD", {{L"name", L"no folder"}}) +
                                Section(L"GON", {{L"dirname", L"G"}, {L"status", L"130"}, {L"localpath", here + L"\\gone"}}) +
                                Section(L"HAS", {{L"dirname", L"H"}, {L"status", L"258"}, {L"localpath", here}}) +
                                Section(L"INS", {{L"status", L"2"}, {L"localpath", L"C:\\Lumi"}}) +
                                Section(L"OK", {{L"dirname", L"Fine Name"}})));
    CFirmenArray list;
    list.Load(file, L"", L"");
    std::vector<std::wstring> ids;
    for (std::size_t i = 0; i < list.GetSize(); ++i) ids.push_back(list[i]->id);
    // Whatever its dirname, a record is kept as it stands: an administration
    // file's record dropped here would be overwritten by the merge.
    EXPECT_EQ(ids, (std::vector<std::wstring>{L"DOT", L"UP", L"SL", L"BS", L"COL", L"NOD", L"HAS", L"INS", L"OK"}));
    EXPECT_EQ(list.Find(L"BS")->dirname, L"..\\..\\Windows");

    // The medium's catalogue offers only packages with one plain folder name.
    CFirmenArray offered;
    offered.LoadCatalogue(dir.Path(), 49);
    ids.clear();
    for (std::size_t i = 0; i < offered.GetSize(); ++i) ids.push_back(offered[i]->id);
    EXPECT_EQ(ids, (std::vector<std::wstring>{L"HAS", L"OK"}));
}

TEST(FirmaRead, BadFilesReadAsEmptyCatalogues)
{
    TempDir dir;
    CFirmenArray list;
    list.Load(dir / L"missing.inf", L"", L"");
    EXPECT_EQ(list.GetSize(), 0u);

    ASSERT_TRUE(WriteText(dir / L"empty.inf", L"[manufacturers]\r\n"));
    list.Load(dir / L"empty.inf", L"", L"");
    EXPECT_EQ(list.GetSize(), 0u);

    std::string garbage;
    unsigned seed = 7;
    for (int i = 0; i < 50000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        garbage.push_back(static_cast<char>(seed >> 24));
    }
    ASSERT_TRUE(WriteBytes(dir / L"garbage.inf", garbage));
    list.Load(dir / L"garbage.inf", L"", L"49");
    EXPECT_EQ(list.GetSize(), 0u);
    // Garbage with a valid list in the middle still gives the valid record.
    ASSERT_TRUE(WriteBytes(dir / L"mixed.inf", garbage.substr(0, 3000) +
                                                   "\r\n[manufacturers]\r\nx=OKK\r\n[OKK]\r\ndirname=Ok\r\n" +
                                                   garbage.substr(3000, 3000)));
    list.Load(dir / L"mixed.inf", L"", L"49");
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list[0]->dirname, L"Ok");
}

TEST(FirmaRead, LongValuesAreCutAt511Characters)
{
    TempDir dir;
    const std::wstring file = dir / L"ovkdata.inf";
    ASSERT_TRUE(WriteText(file, Catalogue({{L"LNG", {{L"name", std::wstring(511, L'n')},
                                                     {L"dbname", std::wstring(600, L'd')},
                                                     {L"dirname", L"Long"}}}})));
    CFirmenArray list;
    list.Load(file, L"", L"");
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list[0]->name, std::wstring(511, L'n'));
    EXPECT_EQ(list[0]->dbname, std::wstring(511, L'd'));
}

TEST(FirmaRead, LoadReplacesTheContents)
{
    TempDir dir;
    ASSERT_TRUE(WriteText(dir / L"ovkdata.inf", Catalogue({{L"AAA", {{L"dirname", L"A"}}},
                                                             {L"BBB", {{L"dirname", L"B"}}}})));
    CFirmenArray list;
    list.LoadCatalogue(dir.Path(), 49);
    list.LoadCatalogue(dir.Path() + L"\\", 49);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(list[0]->id, L"AAA");
    EXPECT_EQ(list[1]->id, L"BBB");
}

}  // namespace

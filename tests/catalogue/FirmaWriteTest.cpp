// Writing package records into the administration file.
#include "catalogue/FirmenArray.h"
#include "platform/Profile.h"
#include "platform/ProfileDocument.h"
#include "CatalogueFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

CFirma Record(const std::wstring& id)
{
    CFirma record;
    record.id = id;
    record.name = L"Lumi";
    record.dbname = L"lumidb";
    record.localdbname = L"lumidb";
    record.dirname = L"Lumi";
    record.disc = L"DVD1";
    record.version = L"5";
    record.plugin = L"inst.exe";
    record.status = 0x12;
    record.localpath = L"C:\\Data";
    return record;
}

// Write into the file's document, then the file saved.
bool WriteTo(const std::wstring& file, const CFirma& record)
{
    ProfileDocument document;
    return document.Load(file) && record.Write(document) && document.Save();
}

std::wstring Value(const std::wstring& file, const std::wstring& section, const std::wstring& key)
{
    return ReadProfileText(file, section, key, 512, L"<absent>");
}

TEST(FirmaWrite, WritesTheRecordAndListsItOnce)
{
    TempDir dir;
    const std::wstring admin = dir / L"orvekAdmin.ini";
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=D:\\x\r\n[manufacturers]\r\nfree=LUM\r\n"));
    CFirma record = Record(L"LUM");
    record.products = 0;
    ASSERT_TRUE(WriteTo(admin, record));
    ASSERT_TRUE(WriteTo(admin, record));

    EXPECT_EQ(ReadProfileKeys(admin, L"manufacturers"), (std::vector<std::wstring>{L"free", L"LUM"}));
    EXPECT_EQ(Value(admin, L"manufacturers", L"LUM"), L"LUM");
    EXPECT_EQ(Value(admin, L"LUM", L"products"), L"<absent>");  // 0 is not written
    EXPECT_EQ(Value(admin, L"LUM", L"name"), L"Lumi");
    EXPECT_EQ(Value(admin, L"LUM", L"dbname"), L"lumidb");
    EXPECT_EQ(Value(admin, L"LUM", L"dirname"), L"Lumi");
    EXPECT_EQ(Value(admin, L"LUM", L"disc"), L"DVD1");
    EXPECT_EQ(Value(admin, L"LUM", L"status"), L"18");
    EXPECT_EQ(Value(admin, L"LUM", L"localpath"), L"C:\\Data");
    EXPECT_EQ(Value(admin, L"LUM", L"version"), L"<absent>");
    EXPECT_EQ(Value(admin, L"LUM", L"plugin"), L"<absent>");
    EXPECT_EQ(Value(admin, L"LUM", L"localdbname"), L"<absent>");
    EXPECT_EQ(Value(admin, L"basepath", L"path"), L"D:\\x");

    record.products = 17;
    ASSERT_TRUE(WriteTo(admin, record));
    EXPECT_EQ(Value(admin, L"LUM", L"products"), L"17");

    // What was written reads back as the same record (listed twice: an entry
    // is looked up by its key, and "free" is not "LUM").
    CFirmenArray list;
    list.Load(admin, L"", L"");
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(list[1]->id, L"LUM");
    EXPECT_EQ(list[1]->localpath, L"C:\\Data");
    EXPECT_EQ(list[1]->products, 17);
}

TEST(FirmaWrite, LocalDbNameRules)
{
    const struct {
        const wchar_t* inFile;   // null: no key
        const wchar_t* record;
        const wchar_t* expected;
    } cases[] = {
        {nullptr, L"lumidb", L"<absent>"},     // same as dbname: nothing
        {nullptr, L"other", L"other"},          // differs: written
        {nullptr, L"", L"<absent>"},
        {L"old", L"LUMIDB", L""},               // equal ignoring case: emptied
        {L"old", L"", L""},
        {L"old", L"other", L"other"},
        {L"", L"lumidb", L""},
    };
    TempDir dir;
    const std::wstring admin = dir / L"orvekAdmin.ini";
    for (const auto& c : cases) {
        Keys keys = {{L"name", L"x"}};
        if (c.inFile) keys.emplace_back(L"localdbname", c.inFile);
        ASSERT_TRUE(WriteText(admin, Catalogue({{L"LUM", keys}})));
        CFirma record = Record(L"LUM");
        record.localdbname = c.record;
        ASSERT_TRUE(WriteTo(admin, record));
        EXPECT_EQ(Value(admin, L"LUM", L"localdbname"), c.expected) << (c.inFile ? c.inFile : L"-") << " / " << c.record;
    }
}

TEST(FirmaWrite, EmptyIdWritesNothing)
{
    TempDir dir;
    const std::wstring admin = dir / L"orvekAdmin.ini";
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\n"));
    CFirma record = Record(L"");
    EXPECT_FALSE(WriteTo(admin, record));
    EXPECT_EQ(ReadBytes(admin), "[basepath]\r\n");

    // Without a file name nothing goes to the Windows profile either.
    record.id = L"ZZQ";
    EXPECT_FALSE(WriteTo(L"", record));
    CFirmenArray list;
    list.Add(std::make_unique<CFirma>(record));
    list[0]->status |= kStatusChanged;
    EXPECT_FALSE(list.Save());
    wchar_t value[16] = {};
    ::GetProfileStringW(L"ZZQ", L"name", L"", value, 16);
    EXPECT_STREQ(value, L"");
}

TEST(FirmaWrite, ReadOnlyFileIsRefusedAndStaysAsItWas)
{
    TempDir dir;
    const std::wstring admin = dir / L"orvekAdmin.ini";
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=D:\\x\r\n[manufacturers]\r\nLUM=LUM\r\n" +
                                     Section(L"LUM", {{L"name", L"old"}, {L"status", L"2"}, {L"localpath", L"C:\\Mine"},
                                                      {L"dirname", L"Lumi"}})));
    const std::string before = ReadBytes(admin);
    ASSERT_TRUE(::SetFileAttributesW(admin.c_str(), FILE_ATTRIBUTE_READONLY));

    CFirma record = Record(L"NEW");
    EXPECT_FALSE(WriteTo(admin, record));

    CFirmenArray list;
    list.SetAdminFile(admin);
    list.Load(admin, L"", L"");
    ASSERT_EQ(list.GetSize(), 1u);
    list[0]->name = L"changed";
    list[0]->status |= kStatusChanged;
    list.dataBasePath = L"E:\\elsewhere";
    EXPECT_FALSE(list.Save());
    EXPECT_TRUE(list[0]->status & kStatusChanged);  // still to be written
    EXPECT_FALSE(list.SetBasePath(L"F:\\other"));

    ::SetFileAttributesW(admin.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(admin), before);
    CFirmenArray again;
    again.Load(admin, L"", L"");
    ASSERT_EQ(again.GetSize(), 1u);
    EXPECT_EQ(again[0]->name, L"old");
}

TEST(FirmaWrite, SaveWritesOnlyChangedRecordsWithoutTheChangeBit)
{
    TempDir dir;
    const std::wstring admin = dir / L"orvekAdmin.ini";
    ASSERT_TRUE(WriteText(admin, Catalogue({{L"AAA", {{L"name", L"a"}, {L"dirname", L"A"}}},
                                            {L"BBB", {{L"name", L"b"}, {L"dirname", L"B"}}}})));
    CFirmenArray list;
    list.SetAdminFile(admin);
    list.Load(admin, L"", L"");
    ASSERT_EQ(list.GetSize(), 2u);
    list[0]->name = L"a2";
    list[1]->name = L"b2";
    list[1]->status = 0x1A | kStatusChanged;
    list.dataBasePath = L"D:\\Data";
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(Value(admin, L"basepath", L"path"), L"D:\\Data");
    EXPECT_EQ(Value(admin, L"AAA", L"name"), L"a");
    EXPECT_EQ(Value(admin, L"BBB", L"name"), L"b2");
    EXPECT_EQ(Value(admin, L"BBB", L"status"), L"26");
    EXPECT_EQ(list[1]->status, 0x1A);
}

}  // namespace
